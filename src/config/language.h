// config/language: the language list, the language files and the message catalogue of the
// user dialogs.
#pragma once

#include "config/records.h"

#include <array>
#include <string>
#include <string_view>

namespace kalveo {

/// Number of messages in the catalogue.
inline constexpr int kMessageCount = 30;

/// Longest stored message (characters).
inline constexpr std::size_t kMessageLength = 240;

inline constexpr std::string_view kLanguageList = "Lang\\Kalveo_Lang_List.txt";

/// Which messages a language file has set, by message number 1..30 (slot 0 unused).
using MessageMarks = std::array<int, kMessageCount + 1>;

/// The language-file key of message `number` (1..30).
[[nodiscard]] std::string_view message_key(int number);

/// The catalogue text of message `number` (1..30).
[[nodiscard]] std::string& message_text(MessagesRecord& record, int number);

/// Stores `text` in the message of `texts` whose key is exactly `key`, marks it and counts
/// it; a key that is not in the catalogue changes nothing.
void my_namelist_messages(MessagesRecord& texts, std::string_view key, std::string_view text,
                          int& nread, MessageMarks& items);

/// Takes the messages of a language file's whole text into `texts`; returns how many
/// lines set a message (a key given twice counts twice).
int parse_language_text(MessagesRecord& texts, std::string_view text, MessageMarks& items);

/// The text a language-file value stands for: one leading double quote and a closing one
/// removed, every "/" a line feed, cut to 240 characters.
[[nodiscard]] std::string message_from_value(std::string_view value);

/// True when the user's interface language is French.
[[nodiscard]] bool IsLanguageFrench();

/// True when `lang` is one of the codes of the language list's text.
[[nodiscard]] bool language_listed(std::string_view list_text, std::string_view lang);

/// The language file of a code: "Lang\Kalveo_Lang_" + code + ".txt".
[[nodiscard]] std::string language_file_name(std::string_view lang);

/// The language in use and its texts.
struct LanguageTexts {
    /// The code of the language file read ("EN" after a fall-back).
    std::string code;
    MessagesRecord texts;
};

/// Reads the language list and the language file of `code`, falling back to English with
/// a warning; stops the program when not even English can be read.
[[nodiscard]] LanguageTexts rd_lang(std::string_view code);

} // namespace kalveo
