// The insect picture of the bug-wipe reminder, loaded as a texture when the flight starts.
#include "display/display_log.h"
#include "display/display_state.h"
#include "platform/dialogs.h"
#include "report/log.h"

#include <SDL_opengl.h>
#include <string>

namespace kalveo {

std::string BugFile = "moustique.bmp";
unsigned int BugTexture = 0;

namespace {

/// The texture name the horizon window draws the picture with.
constexpr GLuint kBugTextureId = 2;

CpwImage BugImg;

void register_texture(const CpwImage& image) {
    GLenum format = 0;
    if (image.depth == 3)
        format = GL_RGB;
    else if (image.depth == 4)
        format = GL_RGBA;
    if (format == 0) return;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, kBugTextureId);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
                 GL_UNSIGNED_BYTE, image.data.data());
    glPopClientAttrib();
    const GLenum error = glGetError();
    display_console("ID D W H %d %d %d %d %d %d %d\n", static_cast<int>(kBugTextureId), image.depth,
                    image.width, image.height, static_cast<int>(format),
                    static_cast<int>(image.data.size()), static_cast<int>(error));
    BugTexture = error == GL_NO_ERROR ? kBugTextureId : 0;
}

} // namespace

void load_bug() {
    // Without a window there is no GL to take the texture.
    if (!cpw_gl_ready(this_cpw)) return;
    cpwFreeImage(this_cpw, &BugImg);
    BugTexture = 0;
    if (cpwLoadImage(this_cpw, &BugImg, CPW_IMAGEFORMAT_BMP, BugFile, 1) == 0) {
        const std::string message = BugFile + " \nImage not loaded";
        tinyfd_messageBox("Kalveo", message, "ok", "warning", 1);
        log_printf("%s", message.c_str());
        return;
    }
    register_texture(BugImg);
}

} // namespace kalveo
