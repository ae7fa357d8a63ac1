// Test helper: a text file as pilots' editors save it (byte-order marks, UTF-16, Latin-1,
// CR-only line ends), for the table-driven tests of every reader of pilots' files.
#pragma once

#include <string>
#include <vector>

namespace kalveo::testing {

struct EditorFile {
    std::string editor; ///< how it was saved, for the test's trace
    std::string bytes;
};

/// The forms of a UTF-8 text with "\n" line ends whose characters are all Latin-1:
/// as it is, with CR LF, with a UTF-8 byte-order mark (Notepad), in UTF-16 little- and
/// big-endian with their marks, in Latin-1 (ANSI) and with CR-only line ends.
[[nodiscard]] std::vector<EditorFile> editor_files(const std::string& utf8_lf);

} // namespace kalveo::testing
