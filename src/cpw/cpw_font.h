// cpw/cpw_font: TrueType text for the windows: font options of the context, faces from the
// host's fonts, string measuring, and drawing as anti-aliased pixel maps in the current colour.
#pragma once

#include "cpw/cpw.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct FT_FaceRec_;

namespace kalveo {

/// A loaded font face; null is "none". Faces live until cpw_font_exit (or cpwUnloadFont).
using CpwFontFace = FT_FaceRec_*;

// Options of cpwFontMode.
inline constexpr int CPW_FONTOPT_PIXELMAP = 1;
inline constexpr int CPW_FONTOPT_ALIGNRIGHT = 10;
inline constexpr int CPW_FONTOPT_ALIGNLEFT = 11;
inline constexpr int CPW_FONTOPT_ALIGNUP = 12;
inline constexpr int CPW_FONTOPT_ALIGNDOWN = 13;
inline constexpr int CPW_FONTOPT_ALIGNCENTER = 14;
inline constexpr int CPW_FONTOPT_SIZE = 20;
inline constexpr int CPW_FONTOPT_PICASIZE = 21;
inline constexpr int CPW_FONTOPT_KERN = 22;
inline constexpr int CPW_FONTOPT_SPACING = 23;
inline constexpr int CPW_FONTOPT_SCREENWIDTH = 24;
inline constexpr int CPW_FONTOPT_SCREENHEIGHT = 25;
inline constexpr int CPW_FONTOPT_PIXELMAP_GLFORMAT = 26;
inline constexpr int CPW_FONTOPT_LAYOUTDEBUG = 27;

// Where cpwLoadFont looks.
inline constexpr int CPW_FONTLOC_HOST = 1;     ///< The host's installed fonts.
inline constexpr int CPW_FONTLOC_RELATIVE = 2; ///< A given folder.

// Pixel-map output formats (the GL enums).
inline constexpr int CPW_GL_RGB = 6407;
inline constexpr int CPW_GL_RGBA = 6408;
inline constexpr int CPW_GL_LUMINANCE = 6409;

/// A string's extent (pixels): width, tallest glyph, and the deepest descent in offsety.
struct CpwFontBBox {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t offsetx = 0;
    std::int32_t offsety = 0;
};

/// Sets a font option; returns the previous value, or -1 with error 3 for an unknown option or
/// a value out of range (size below 1, kerning and layout debug other than 0/1, negative
/// spacing, a pixel-map format other than luminance, RGB, RGBA).
int cpwFontMode(pCpw cpw, int option, int value);

/// Opens a face: with CPW_FONTLOC_HOST `name` is a font file name as Windows knows it
/// ("arial.ttf", "arialbd.ttf"), resolved to the installed face of the same metrics; with
/// CPW_FONTLOC_RELATIVE it is a file in `folder` (empty folder: error 3). Returns null on
/// failure with error 4 (unknown font format) or 1 (any other FreeType failure, or no such
/// font).
CpwFontFace cpwLoadFont(pCpw cpw, std::string_view name, int location, std::string_view folder);
/// Releases a face early (faces are also released by cpw_font_exit).
void cpwUnloadFont(pCpw cpw, CpwFontFace face);

/// Measures `text` at the current size into `box`. False (and an empty box) on failure.
bool cpwGetFontBBox(pCpw cpw, CpwFontFace face, std::string_view text, CpwFontBBox* box);

/// Draws `text` (drawflag 1) from the current raster position to the right in the current
/// colour, leaving the raster position after the last glyph. Set the start with glWindowPos2i:
/// a position set with glRasterPos outside the viewport is invalid and nothing is drawn.
bool cpwDrawFont(pCpw cpw, CpwFontFace face, std::string_view text, int drawflag);

/// Creates and releases the font state of a context (cpwInitContext and cpwFreeContext call
/// them). False when FreeType cannot start.
bool cpw_font_init(pCpw cpw);
void cpw_font_exit(pCpw cpw);

/// Turns 8-bit glyph coverage (rows of `pitch` bytes, `width` used) into the output format in
/// `colour` (RGBA floats 0..1): each byte c gives c×R, c×G, c×B (and c×A for RGBA),
/// truncated; luminance passes the coverage through. The result is tightly packed rows.
/// False when the buffer cannot grow.
bool cpw_convert_coverage(const std::uint8_t* coverage, int width, int rows, int pitch, int format,
                          const float colour[4], std::vector<std::uint8_t>& out);

} // namespace kalveo
