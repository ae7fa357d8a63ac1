// platform/ui_language: the language of the user's desktop, for the first choice of texts.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// Two- or three-letter ISO 639 code of the user's interface language in lower case
/// ("fr", "en", "de"), or an empty string when the system does not say.
[[nodiscard]] std::string ui_language_code();

/// The language part of a locale name such as "fr_CH.UTF-8" or "de_DE@euro", in lower
/// case; empty for the neutral "C" and "POSIX" locales and for text that names no language.
[[nodiscard]] std::string language_of_locale_name(std::string_view locale_name);

} // namespace kalveo
