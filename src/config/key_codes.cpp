#include "config/key_codes.h"

#include "report/trace.h"
#include "text/number_read.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace kalveo {

namespace {

struct Modifier {
    std::string_view prefix;
    int bit;
};

// The order in which the prefixes are read and written.
constexpr std::array<Modifier, 4> kModifiers{{
    {"LONG+", kModLong},
    {"CTRL+", kModCtrl},
    {"SHFT+", kModShft},
    {"ALT+", kModAlt},
}};

constexpr int kModifierUnit = 10000;

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::optional<std::int64_t> key_part(std::string_view text) {
    if (text.size() >= 3 && text[0] == '"' && text[2] == '"')
        return static_cast<unsigned char>(text[1]);
    if (starts_with(text, "ASC")) {
        if (auto n = read_int(text.substr(3))) return *n;
        return std::nullopt;
    }
    if (starts_with(text, "SCN")) {
        if (auto n = read_int(text.substr(3))) return -static_cast<std::int64_t>(*n);
        return std::nullopt;
    }
    if (auto n = read_int(text)) return *n;
    return std::nullopt;
}

std::string key_text(int key) {
    char buffer[24];
    if (key >= 34 && key <= 126) {
        std::snprintf(buffer, sizeof buffer, "\"%c\"", static_cast<char>(key));
    } else if (key < 0) {
        std::snprintf(buffer, sizeof buffer, "SCN%d", -key);
    } else {
        std::snprintf(buffer, sizeof buffer, "ASC%d", key);
    }
    return buffer;
}

std::string plain_number(int code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", code);
    return buffer;
}

std::string key_code_text(int code) {
    if (code == 0) return std::string(1, '0');
    int mask = code / kModifierUnit;
    int key = code % kModifierUnit;
    if (key > 5000) {
        mask += 1;
        key -= kModifierUnit;
    }
    // Codes no prefix form can express are kept as the number itself.
    if (mask < 0 || mask > 15 || key == 0) return plain_number(code);
    std::string text;
    for (const auto& modifier : kModifiers)
        if ((mask & modifier.bit) != 0) text += modifier.prefix;
    return text + key_text(key);
}

} // namespace

std::optional<int> b2k(std::string_view text) {
    std::string_view rest = text;
    int mask = 0;
    for (const auto& modifier : kModifiers) {
        if (starts_with(rest, modifier.prefix)) {
            mask += modifier.bit;
            rest.remove_prefix(modifier.prefix.size());
        }
    }
    const auto key = key_part(rest);
    std::optional<int> code;
    if (key) {
        const std::int64_t full = *key + static_cast<std::int64_t>(mask) * kModifierUnit;
        if (full >= std::numeric_limits<int>::min() && full <= std::numeric_limits<int>::max())
            code = static_cast<int>(full);
    }
    const std::string shown(text);
    if (code) {
        trace("b2k : %s -> %d\n", shown.c_str(), *code);
    } else {
        trace("b2k : %s -> not a key code\n", shown.c_str());
    }
    return code;
}

std::string k2b(int code) {
    const std::string text = key_code_text(code);
    trace("k2b : %d -> %s\n", code, text.c_str());
    return text;
}

} // namespace kalveo
