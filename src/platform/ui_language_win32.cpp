#include "platform/ui_language.h"

#include <windows.h>

namespace kalveo {

std::string ui_language_code() {
    const LANGID id = GetUserDefaultUILanguage();
    char name[16] = {};
    const LCID locale = MAKELCID(id, SORT_DEFAULT);
    if (GetLocaleInfoA(locale, LOCALE_SISO639LANGNAME, name, sizeof name) == 0) return {};
    return language_of_locale_name(name);
}

} // namespace kalveo
