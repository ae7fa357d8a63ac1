#include "report/box_text.h"

namespace kalveo {

std::string box_lines(std::string_view msg) {
    std::string out;
    out.reserve(msg.size());
    for (std::size_t i = 0; i < msg.size(); ++i) {
        if (msg[i] != '/') {
            out += msg[i];
        } else if (i > 0 && msg[i - 1] == '\\') {
            out.back() = '/';
        } else {
            out += '\n';
        }
    }
    return out;
}

std::string cut_trimmed(std::string_view text, std::size_t length) {
    if (text.size() > length) {
        // Step back over UTF-8 continuation bytes so no character is split.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
        text = text.substr(0, length);
    }
    const auto end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : text.substr(0, end + 1));
}

} // namespace kalveo
