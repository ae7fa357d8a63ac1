// Installed fonts through fontconfig.
#include "platform/host_fonts.h"

#include "platform/font_names.h"

#include <fontconfig/fontconfig.h>
#include <memory>
#include <string>

namespace kalveo {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

bool fontconfig_ready() {
    static const bool ready = FcInit() == FcTrue;
    return ready;
}

std::string file_of(const FcPattern* pattern) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    return reinterpret_cast<const char*>(file);
}

std::string matching_face(const std::string& pattern_text) {
    Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>(pattern_text.c_str())));
    if (!pattern) return {};
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    return match ? file_of(match.get()) : std::string();
}

/// An installed font file of that name (without extension, any case).
std::string installed_file(const std::string& stem) {
    Pattern all(FcPatternCreate());
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* fonts = all && objects ? FcFontList(nullptr, all.get(), objects) : nullptr;
    if (objects) FcObjectSetDestroy(objects);
    std::string found;
    for (int i = 0; fonts && i < fonts->nfont && found.empty(); ++i) {
        const std::string file = file_of(fonts->fonts[i]);
        if (!file.empty() && font_file_stem(file) == stem) found = file;
    }
    if (fonts) FcFontSetDestroy(fonts);
    return found;
}

} // namespace

std::string host_font_file(std::string_view name) {
    const std::string stem = font_file_stem(name);
    if (stem.empty() || !fontconfig_ready()) return {};
    const std::string pattern = core_font_pattern(stem);
    return pattern.empty() ? installed_file(stem) : matching_face(pattern);
}

std::string host_font_folder() {
    return "/usr/share/fonts";
}

} // namespace kalveo
