#include "platform/env.h"
#include "platform/ui_language.h"

namespace kalveo {

// The messages category decides the language of texts: LC_ALL overrides
// LC_MESSAGES, which overrides LANG. Only the variables' text is read; no
// locale is ever built from them.
std::string ui_language_code() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const auto value = get_env(name);
        if (value && !value->empty()) return language_of_locale_name(*value);
    }
    return {};
}

} // namespace kalveo
