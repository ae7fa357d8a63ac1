#include "display/silhouette.h"

#include "config/line_reader.h"
#include "platform/paths.h"
#include "text/number_read.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

enum class Part { None, Fuselage, Wing, Tail };

const char* part_name(Part p) {
    switch (p) {
    case Part::Fuselage:
        return "fuselage";
    case Part::Wing:
        return "wing";
    case Part::Tail:
        return "tailplane";
    case Part::None:
        break;
    }
    return "";
}

bool starts_with_word(std::string_view line, std::string_view word) {
    if (line.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != word[i]) return false;
    return true;
}

std::string_view trim_left(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    return line;
}

Part section_of(std::string_view line) {
    if (starts_with_word(line, "[fuselage]")) return Part::Fuselage;
    if (starts_with_word(line, "[wing]")) return Part::Wing;
    if (starts_with_word(line, "[tailplane]")) return Part::Tail;
    return Part::None;
}

bool is_separator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';';
}

/// The next item of a line, and the line after it.
std::string_view next_item(std::string_view& line) {
    while (!line.empty() && is_separator(line.front()))
        line.remove_prefix(1);
    std::size_t n = 0;
    while (n < line.size() && !is_separator(line[n]))
        ++n;
    const std::string_view item = line.substr(0, n);
    line.remove_prefix(n);
    return item;
}

std::optional<double> real_item(std::string_view& line) {
    const std::string_view item = next_item(line);
    if (item.empty()) return std::nullopt;
    const std::optional<double> v = read_real(item);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::optional<BallPoint> point_of(std::string_view line) {
    const std::optional<double> x = real_item(line);
    if (!x) return std::nullopt;
    const std::optional<double> y = real_item(line);
    if (!y) return std::nullopt;
    return BallPoint{static_cast<float>(*x), static_cast<float>(*y)};
}

int join_index(const std::vector<BallPoint>& fuselage, const BallPoint& p, double eps) {
    for (std::size_t i = 0; i < fuselage.size(); ++i)
        if (std::fabs(fuselage[i].x - p.x) <= eps && std::fabs(fuselage[i].y - p.y) <= eps)
            return static_cast<int>(i);
    return -1;
}

void find_joins(Silhouette& s) {
    const double eps = std::fabs(s.fuselage.back().y - s.fuselage.front().y) * 0.0005;
    if (!s.wing.empty()) {
        s.joins[0] = join_index(s.fuselage, s.wing.front(), eps);
        s.joins[1] = join_index(s.fuselage, s.wing.back(), eps);
    }
    if (!s.tail.empty()) {
        s.joins[2] = join_index(s.fuselage, s.tail.front(), eps);
        s.joins[3] = join_index(s.fuselage, s.tail.back(), eps);
    }
}

void scale_points(std::vector<BallPoint>& points, double scale) {
    for (BallPoint& p : points)
        p = {static_cast<float>(p.x * scale), static_cast<float>(p.y * scale)};
}

std::vector<BallPoint> mirrored(const std::vector<BallPoint>& points) {
    std::vector<BallPoint> out;
    for (auto it = points.rbegin(); it != points.rend(); ++it)
        out.push_back({-it->x, it->y});
    return out;
}

/// A half closed across the axis: the half, then its mirror image back.
std::vector<BallPoint> both_halves(const std::vector<BallPoint>& half) {
    std::vector<BallPoint> loop = half;
    for (const BallPoint& p : mirrored(half))
        loop.push_back(p);
    return loop;
}

void append(std::vector<BallPoint>& out, const std::vector<BallPoint>& from, int first, int last) {
    for (int i = std::max(first, 0); i <= last && i < static_cast<int>(from.size()); ++i)
        out.push_back(from[static_cast<std::size_t>(i)]);
}

} // namespace

Silhouette built_in_silhouette() {
    Silhouette s;
    s.fuselage = {{0.0F, 0.25F},   {0.02F, 0.23F},  {0.04F, 0.15F}, {0.045F, 0.02F},
                  {0.04F, -0.06F}, {0.01F, -0.45F}, {0.0F, -0.51F}};
    s.wing = {{0.045F, 0.02F}, {0.75F, 0.02F}, {0.75F, -0.045F}, {0.04F, -0.06F}};
    s.tail = {{0.01F, -0.45F}, {0.18F, -0.45F}, {0.18F, -0.51F}, {0.0F, -0.51F}};
    s.joins = {3, 4, 5, 6};
    return s;
}

Silhouette read_silhouette_text(std::string_view text, const SilhouetteLog& log) {
    Silhouette s;
    std::optional<double> scale;
    bool first = true;
    Part part = Part::None;
    std::array<bool, 4> cut_logged{};
    for_each_line(text, [&](std::string_view raw) {
        const std::string_view line = trim_left(raw);
        if (first) {
            first = false;
            std::string_view rest = line;
            scale = real_item(rest);
            return;
        }
        if (const Part p = section_of(line); p != Part::None) {
            part = p;
            return;
        }
        if (part == Part::None) return;
        const std::optional<BallPoint> point = point_of(line);
        if (!point) return;
        std::vector<BallPoint>& points = part == Part::Fuselage ? s.fuselage
                                         : part == Part::Wing   ? s.wing
                                                                : s.tail;
        if (points.size() < kSilhouettePartPoints) {
            points.push_back(*point);
        } else if (!cut_logged[static_cast<std::size_t>(part)]) {
            cut_logged[static_cast<std::size_t>(part)] = true;
            log(std::string("silhouette: the ") + part_name(part) +
                " has more than 10 points; the first 10 are kept");
        }
    });
    if (!scale || *scale <= 0.0) {
        log("silhouette: no readable scale on the first line; the built-in outline is used");
        return built_in_silhouette();
    }
    if (s.fuselage.empty()) {
        log("silhouette: no fuselage; the built-in outline is used");
        return built_in_silhouette();
    }
    find_joins(s);
    scale_points(s.fuselage, *scale);
    scale_points(s.wing, *scale);
    scale_points(s.tail, *scale);
    s.from_file = true;
    return s;
}

Silhouette read_sil(const SilhouetteLog& log) {
    log("Enter read_sil");
    const FileBytes file = read_whole_file(native_path(kSilhouetteFile));
    Silhouette s = file.opened && file.complete ? read_silhouette_text(file.bytes, log)
                                                : built_in_silhouette();
    char line[64];
    std::snprintf(line, sizeof line, "NFU NWI NTA %d %d %d\n",
                  s.from_file ? static_cast<int>(s.fuselage.size()) : 0,
                  s.from_file ? static_cast<int>(s.wing.size()) : 0,
                  s.from_file ? static_cast<int>(s.tail.size()) : 0);
    log(line);
    return s;
}

std::vector<std::vector<BallPoint>> silhouette_outlines(const Silhouette& s) {
    const auto& j = s.joins;
    const bool wing_joined = s.wing.empty() || (j[0] >= 0 && j[1] >= j[0]);
    const bool tail_joined = s.tail.empty() || (j[2] >= 0 && j[3] >= j[2]);
    const bool in_order = s.wing.empty() || s.tail.empty() || j[1] <= j[2];
    if (wing_joined && tail_joined && in_order) {
        // Down the right side: fuselage to the wing, round the wing, fuselage to the
        // tailplane, round it, fuselage to the tail; then the left side back up.
        std::vector<BallPoint> half;
        int from = 0;
        if (!s.wing.empty()) {
            append(half, s.fuselage, from, j[0]);
            append(half, s.wing, 1, static_cast<int>(s.wing.size()) - 2);
            from = j[1];
        }
        if (!s.tail.empty()) {
            append(half, s.fuselage, from, j[2]);
            append(half, s.tail, 1, static_cast<int>(s.tail.size()) - 2);
            from = j[3];
        }
        append(half, s.fuselage, from, static_cast<int>(s.fuselage.size()) - 1);
        return {both_halves(half)};
    }
    // Parts that do not meet the fuselage where they say: each drawn round on its own.
    std::vector<std::vector<BallPoint>> loops{both_halves(s.fuselage)};
    for (const auto* part : {&s.wing, &s.tail}) {
        if (part->empty()) continue;
        loops.push_back(*part);
        loops.push_back(mirrored(*part));
    }
    return loops;
}

SilhouetteFill silhouette_fill(const Silhouette& s) {
    SilhouetteFill f;
    for (const BallPoint& p : s.fuselage) {
        f.fuselage_strip.push_back(p);
        f.fuselage_strip.push_back({-p.x, p.y});
    }
    for (const auto* part : {&s.wing, &s.tail}) {
        if (part->size() < 3) continue;
        f.polygons.push_back(*part);
        f.polygons.push_back(mirrored(*part));
    }
    return f;
}

} // namespace kalveo
