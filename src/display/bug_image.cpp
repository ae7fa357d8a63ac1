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
bool bug_drawn_logged = false;

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
    bug_drawn_logged = false;
    if (cpwLoadImage(this_cpw, &BugImg, CPW_IMAGEFORMAT_BMP, BugFile, 1) == 0) {
        const std::string message = BugFile + " \nImage not loaded";
        tinyfd_messageBox("Kalveo", message, "ok", "warning", 1);
        log_printf("%s", message.c_str());
        return;
    }
    register_texture(BugImg);
}

void draw_bug(int width, int height) {
    if (BugTexture == 0 || BugImg.width <= 0 || BugImg.height <= 0) return;
    const int x0 = width / 2 - BugImg.width / 2;
    const int y0 = height / 2 - BugImg.height / 2;
    const int x1 = x0 + BugImg.width;
    const int y1 = y0 + BugImg.height;
    if (!bug_drawn_logged) {
        // Once per picture: the reminder blinks it ten times a second.
        bug_drawn_logged = true;
        display_console("draw_bug X %d %d %d Y %d %d %d\n", x0, x1, BugImg.width, y0, y1,
                        BugImg.height);
    }
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, BugTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0F, 0.0F);
    glVertex2i(x0, y0);
    glTexCoord2f(1.0F, 0.0F);
    glVertex2i(x1, y0);
    glTexCoord2f(1.0F, 1.0F);
    glVertex2i(x1, y1);
    glTexCoord2f(0.0F, 1.0F);
    glVertex2i(x0, y1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
}

} // namespace kalveo
