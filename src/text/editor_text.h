// text/editor_text: the text of a file as pilots' editors save it (Windows Notepad's
// byte-order marks and UTF-16, Latin-1 accents, old Mac line ends), made into the UTF-8
// with LF or CR LF line ends that the readers take.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// A file's text and how it had to be taken.
struct EditorText {
    std::string text; ///< UTF-8; every line ends with "\n" or "\r\n" (the last may have none)
    std::string how;  ///< what was converted, for the log; empty for plain UTF-8 or ASCII
};

/// The text of a file's bytes:
/// - a UTF-8 byte-order mark is dropped, so that it does not hide the first key;
/// - UTF-16 (with a byte-order mark, or without one when the second byte is NUL and
///   the first is not, as in "K\0a\0") is converted; an unpaired surrogate becomes
///   U+FFFD and an odd last byte is dropped;
/// - bytes that are not UTF-8 are read as Windows-1252 (Latin-1 with the euro sign),
///   the code page of western Windows editors;
/// - a CR not followed by LF ends a line.
[[nodiscard]] EditorText editor_text(std::string_view bytes);

} // namespace kalveo
