// The insect picture of the bug-wipe reminder, loaded as a texture when the flight starts.
#include "display/display_log.h"
#include "display/display_state.h"
#include "display/instrument_windows.h"
#include "platform/dialogs.h"
#include "report/log.h"

#include <SDL_opengl.h>
#include <string>

namespace kalveo {

namespace {

/// The texture name the horizon window draws the picture with.
constexpr GLuint kBugTextureId = 2;

void register_texture(BugPicture& bug) {
    const CpwImage& image = bug.image;
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
    bug.texture = error == GL_NO_ERROR ? kBugTextureId : 0;
}

} // namespace

void load_bug(InstrumentWindows& windows) {
    // Without a window there is no GL to take the texture.
    if (!cpw_gl_ready(windows.cpw)) return;
    BugPicture& bug = windows.bug;
    cpwFreeImage(windows.cpw, &bug.image);
    bug.texture = 0;
    bug.drawn_logged = false;
    if (cpwLoadImage(windows.cpw, &bug.image, CPW_IMAGEFORMAT_BMP, bug.file, 1) == 0) {
        const std::string message = bug.file + " \nImage not loaded";
        tinyfd_messageBox("Kalveo", message, "ok", "warning", 1);
        log_printf("%s", message.c_str());
        return;
    }
    register_texture(bug);
}

void draw_bug(BugPicture& bug, int width, int height) {
    if (bug.texture == 0 || bug.image.width <= 0 || bug.image.height <= 0) return;
    const int x0 = width / 2 - bug.image.width / 2;
    const int y0 = height / 2 - bug.image.height / 2;
    const int x1 = x0 + bug.image.width;
    const int y1 = y0 + bug.image.height;
    if (!bug.drawn_logged) {
        // Once per picture: the reminder blinks it ten times a second.
        bug.drawn_logged = true;
        display_console("draw_bug X %d %d %d Y %d %d %d\n", x0, x1, bug.image.width, y0, y1,
                        bug.image.height);
    }
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, bug.texture);
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
