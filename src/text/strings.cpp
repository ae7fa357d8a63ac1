#include "text/strings.h"

#include "text/blanks.h"

namespace kalveo {

std::string majusc(std::string_view text) {
    std::string out(trim_right(text));
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string subs_dot_comma(std::string_view text) {
    std::string out(trim_right(text));
    for (char& c : out) {
        if (c == ',')
            c = ';';
        else if (c == '.')
            c = ',';
    }
    return out;
}

} // namespace kalveo
