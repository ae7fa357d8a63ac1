// Font options, faces and measuring.
#include "cpw/cpw_font.h"

#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H
#include "cpw/cpw_context.h"
#include "platform/host_fonts.h"
#include "platform/paths.h"

#include <string>
#include <utility>

namespace kalveo {

namespace {

/// FreeType's "unknown file format".
constexpr FT_Error kFreeTypeUnknownFormat = 2;

int bad_argument(pCpw cpw) {
    cpw_error_set(cpw, CPW_BADARGUMENT_ERROR);
    return -1;
}

int set_flag(pCpw cpw, int& field, int value) {
    if (value != 0 && value != 1) return bad_argument(cpw);
    return std::exchange(field, value);
}

bool known_format(int format) {
    return format == CPW_GL_RGB || format == CPW_GL_RGBA || format == CPW_GL_LUMINANCE;
}

std::string face_file(pCpw cpw, std::string_view name, int location, std::string_view folder) {
    if (location == CPW_FONTLOC_HOST) return host_font_file(name);
    if (location != CPW_FONTLOC_RELATIVE || folder.empty()) {
        cpw_error_set(cpw, CPW_BADARGUMENT_ERROR);
        return {};
    }
    std::string file(folder);
    file += '\\';
    file += name;
    return native_path(file).string();
}

} // namespace

bool cpw_font_init(pCpw cpw) {
    if (!cpw) return false;
    cpw->font = CpwFontState{};
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return false;
    cpw->font.library = library;
    return true;
}

void cpw_font_exit(pCpw cpw) {
    if (!cpw) return;
    // Releasing the library releases its faces.
    if (cpw->font.library) FT_Done_FreeType(cpw->font.library);
    cpw->font = CpwFontState{};
}

int cpwFontMode(pCpw cpw, int option, int value) {
    if (!cpw) return -1;
    CpwFontState& font = cpw->font;
    switch (option) {
    case CPW_FONTOPT_PIXELMAP:
        return std::exchange(font.render_mode, 1);
    case CPW_FONTOPT_ALIGNRIGHT:
    case CPW_FONTOPT_ALIGNLEFT:
    case CPW_FONTOPT_ALIGNUP:
    case CPW_FONTOPT_ALIGNDOWN:
    case CPW_FONTOPT_ALIGNCENTER:
        return std::exchange(font.alignment, option);
    case CPW_FONTOPT_SIZE:
        // Sizes are kept in 1/64 points; an absurd size would overflow that.
        if (value < 1 || value > 10000) return bad_argument(cpw);
        return std::exchange(font.size, value * 64) / 64;
    case CPW_FONTOPT_KERN:
        return set_flag(cpw, font.kerning, value);
    case CPW_FONTOPT_LAYOUTDEBUG:
        return set_flag(cpw, font.layout_debug, value);
    case CPW_FONTOPT_SPACING:
        if (value < 0) return bad_argument(cpw);
        return std::exchange(font.spacing, value);
    case CPW_FONTOPT_PIXELMAP_GLFORMAT:
        if (!known_format(value)) return bad_argument(cpw);
        return std::exchange(font.glformat, value);
    default:
        return bad_argument(cpw);
    }
}

CpwFontFace cpwLoadFont(pCpw cpw, std::string_view name, int location, std::string_view folder) {
    if (!cpw) return nullptr;
    const std::string file = face_file(cpw, name, location, folder);
    if (file.empty()) {
        if (location == CPW_FONTLOC_HOST) cpw_error_set(cpw, CPW_FREETYPE_ERROR);
        return nullptr;
    }
    if (!cpw->font.library) {
        cpw_error_set(cpw, CPW_FREETYPE_ERROR);
        return nullptr;
    }
    FT_Face face = nullptr;
    const FT_Error error = FT_New_Face(cpw->font.library, file.c_str(), 0, &face);
    if (error != 0) {
        cpw_error_set(cpw,
                      error == kFreeTypeUnknownFormat ? CPW_FONTFORMAT_ERROR : CPW_FREETYPE_ERROR);
        return nullptr;
    }
    cpw->font.faces.push_back(face);
    return face;
}

void cpwUnloadFont(pCpw cpw, CpwFontFace face) {
    if (!cpw || !face) return;
    auto& faces = cpw->font.faces;
    const auto it = std::find(faces.begin(), faces.end(), face);
    if (it == faces.end()) return;
    faces.erase(it);
    FT_Done_Face(face);
}

bool cpwGetFontBBox(pCpw cpw, CpwFontFace face, std::string_view text, CpwFontBBox* box) {
    if (!cpw || !box) return false;
    *box = CpwFontBBox{};
    if (!face) {
        cpw_error_set(cpw, CPW_BADARGUMENT_ERROR);
        return false;
    }
    const CpwFontState& font = cpw->font;
    if (FT_Set_Char_Size(face, 0, font.size, static_cast<FT_UInt>(font.hres),
                         static_cast<FT_UInt>(font.vres)) != 0) {
        cpw_error_set(cpw, CPW_FREETYPE_ERROR);
        return false;
    }
    for (const char byte : text) {
        const FT_ULong code = static_cast<unsigned char>(byte);
        if (FT_Load_Char(face, code, FT_LOAD_NO_BITMAP) != 0) continue;
        const FT_Glyph_Metrics& metrics = face->glyph->metrics;
        const auto height = static_cast<std::int32_t>(metrics.height / 64);
        const auto top = static_cast<std::int32_t>(metrics.horiBearingY / 64);
        box->width += static_cast<std::int32_t>(metrics.horiAdvance / 64) * font.spacing;
        box->height = std::max(box->height, height);
        box->offsety = std::max(box->offsety, height - top);
    }
    return true;
}

} // namespace kalveo
