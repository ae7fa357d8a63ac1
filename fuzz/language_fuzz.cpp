// Language files and the language list.
#include "config/language.h"
#include "config/records.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const std::string_view text = fuzz::as_text(data, size);
    MessageMarks marks{};
    MessagesRecord texts;
    (void)parse_language_text(texts, text, marks);
    for (int n = 1; n <= kMessageCount; ++n) {
        if (message_text(texts, n).size() > kMessageLength) std::abort();
    }
    (void)message_from_value(text);
    (void)language_listed(text, "EN");
    (void)language_listed(text, "");
    return 0;
}
