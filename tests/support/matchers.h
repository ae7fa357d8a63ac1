// support/matchers: a whole-text regular-expression matcher that means the same on every
// system (GoogleTest's own falls back to a tiny dialect on Windows).
#pragma once

#include <gmock/gmock.h>
#include <regex>
#include <string>

namespace kalveo::testing {

MATCHER_P(MatchesPattern, pattern, "matches the regular expression " + std::string(pattern)) {
    return std::regex_match(std::string(arg), std::regex(std::string(pattern)));
}

} // namespace kalveo::testing
