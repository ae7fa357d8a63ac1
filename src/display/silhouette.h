// display/silhouette: the glider outline the heading symbol shows: read from the pilot's
// Settings\silhouette.txt (the right half of a glider: fuselage, wing and tailplane), or the
// built-in outline when there is no usable file.
#pragma once

#include "display/horizon_geometry.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// Points a part of the outline holds.
inline constexpr std::size_t kSilhouettePartPoints = 10;
/// Where the outline file is.
inline constexpr std::string_view kSilhouetteFile = "Settings\\silhouette.txt";

/// The right half of a glider (x to the right wing tip, y to the nose), in ball units.
struct Silhouette {
    std::vector<BallPoint> fuselage; ///< XFU, YFU: nose to tail, on or right of the axis
    std::vector<BallPoint> wing;     ///< XWI, YWI: from the fuselage round the tip back to it
    std::vector<BallPoint> tail;     ///< XTA, YTA: the tailplane, likewise
    /// NJO: the fuselage points where the wing starts and ends and the tailplane starts and
    /// ends; -1 when the part does not meet the fuselage.
    std::array<int, 4> joins{-1, -1, -1, -1};
    /// False for the built-in outline.
    bool from_file = false;
};

/// Log lines of the reader (the caller writes them to the log).
using SilhouetteLog = std::function<void(const std::string&)>;

/// The built-in outline.
[[nodiscard]] Silhouette built_in_silhouette();

/// Reads an outline file's text: a scale line, then "[fuselage]", "[wing]" and "[tailplane]"
/// sections of "x y" lines. A part longer than ten points keeps its first ten; a text
/// without a readable scale or without a fuselage gives the built-in outline.
[[nodiscard]] Silhouette read_silhouette_text(std::string_view text, const SilhouetteLog& log);

/// read_sil: Settings\silhouette.txt, or the built-in outline when it cannot be read.
[[nodiscard]] Silhouette read_sil(const SilhouetteLog& log);

/// The closed outlines to draw round the glider, both halves: one loop when the parts join
/// the fuselage in order, else one per part and side.
[[nodiscard]] std::vector<std::vector<BallPoint>> silhouette_outlines(const Silhouette& s);

/// The shapes to fill, each convex or a strip: the fuselage as a strip of pairs across the
/// axis (right, left, right, left...), then each wing and tailplane half as a polygon.
struct SilhouetteFill {
    std::vector<BallPoint> fuselage_strip;
    std::vector<std::vector<BallPoint>> polygons;
};
[[nodiscard]] SilhouetteFill silhouette_fill(const Silhouette& s);

} // namespace kalveo
