// Text drawn glyph by glyph as pixel maps in the current colour.
#include <SDL_opengl.h>
#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H
#include "cpw/cpw_context.h"
#include "cpw/cpw_font.h"

#include <new>

namespace kalveo {

namespace {

int bytes_per_pixel(int format) {
    if (format == CPW_GL_RGBA) return 4;
    if (format == CPW_GL_RGB) return 3;
    return 1;
}

/// Coverage 0..255 scaled by a colour component, truncated as the blend expects.
std::uint8_t scaled(std::uint8_t coverage, float component) {
    return static_cast<std::uint8_t>(static_cast<float>(coverage) * component);
}

/// The saved pixel state comes back whatever way the drawing ends.
class PixelStateGuard {
  public:
    PixelStateGuard() {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPushAttrib(GL_PIXEL_MODE_BIT);
        glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        // FreeType rows run top down, GL's bottom up.
        glPixelZoom(1.0F, -1.0F);
    }
    ~PixelStateGuard() {
        glPopAttrib();
        glPopClientAttrib();
    }
    PixelStateGuard(const PixelStateGuard&) = delete;
    PixelStateGuard& operator=(const PixelStateGuard&) = delete;
};

/// Draws one rendered glyph with its top-left corner at the pen moved by its bearings.
bool draw_glyph(pCpw cpw, const FT_GlyphSlot slot, float pen_x, float pen_y,
                const float colour[4]) {
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) {
        return true;
    }
    const int width = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    CpwFontState& font = cpw->font;
    if (!cpw_convert_coverage(bitmap.buffer, width, rows, bitmap.pitch, font.glformat, colour,
                              font.buffer)) {
        cpw_error_set(cpw, CPW_OUTOFMEMORY_ERROR);
        return false;
    }
    cpw_window_pos(cpw, pen_x + static_cast<float>(slot->bitmap_left),
                   pen_y + static_cast<float>(slot->bitmap_top));
    glDrawPixels(width, rows, static_cast<GLenum>(font.glformat), GL_UNSIGNED_BYTE,
                 font.buffer.data());
    return true;
}

} // namespace

bool cpw_convert_coverage(const std::uint8_t* coverage, int width, int rows, int pitch, int format,
                          const float colour[4], std::vector<std::uint8_t>& out) {
    if (!coverage || width < 0 || rows < 0) return false;
    const int bpp = bytes_per_pixel(format);
    const std::size_t needed = static_cast<std::size_t>(width) * static_cast<std::size_t>(rows) *
                               static_cast<std::size_t>(bpp);
    if (out.size() < needed) {
        try {
            out.resize(needed);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    // GL hands back the colour as it was set; outside 0..1 it would overflow a byte.
    float c[4];
    for (int i = 0; i < 4; ++i)
        c[i] = std::clamp(colour[i], 0.0F, 1.0F);
    std::uint8_t* dest = out.data();
    for (int row = 0; row < rows; ++row) {
        // A negative pitch means the rows are stored bottom up.
        const std::uint8_t* source =
            pitch >= 0 ? coverage + static_cast<std::ptrdiff_t>(row) * pitch
                       : coverage + static_cast<std::ptrdiff_t>(rows - 1 - row) * -pitch;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t cov = source[x];
            if (bpp == 1) {
                *dest++ = cov;
                continue;
            }
            *dest++ = scaled(cov, c[0]);
            *dest++ = scaled(cov, c[1]);
            *dest++ = scaled(cov, c[2]);
            if (bpp == 4) *dest++ = scaled(cov, c[3]);
        }
    }
    return true;
}

bool cpwDrawFont(pCpw cpw, CpwFontFace face, std::string_view text, int drawflag) {
    if (!cpw) return false;
    if (!face || drawflag != 1) {
        cpw_error_set(cpw, CPW_BADARGUMENT_ERROR);
        return false;
    }
    if (!cpw_gl_ready(cpw) || !cpw->window_pos2f) {
        cpw_error_set(cpw, CPW_WINDOW_ERROR);
        return false;
    }
    const CpwFontState& font = cpw->font;
    if (FT_Set_Char_Size(face, 0, font.size, static_cast<FT_UInt>(font.hres),
                         static_cast<FT_UInt>(font.vres)) != 0) {
        cpw_error_set(cpw, CPW_FREETYPE_ERROR);
        return false;
    }
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) return true; // as GL itself: an invalid raster position draws nothing
    float raster[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    float colour[4] = {0, 0, 0, 1};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    float pen_x = raster[0];
    const float pen_y = raster[1];
    bool ok = true;
    {
        PixelStateGuard guard;
        for (const char byte : text) {
            const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(byte));
            if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
            if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
            if (!draw_glyph(cpw, face->glyph, pen_x, pen_y, colour)) {
                ok = false;
                break;
            }
            pen_x += static_cast<float>(face->glyph->advance.x >> 6);
        }
    }
    // The next text goes on where this one ended.
    cpw_window_pos(cpw, pen_x, pen_y);
    return ok;
}

} // namespace kalveo
