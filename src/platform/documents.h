// platform/documents: the desktop's own viewer for a document or a web address, and the
// editor for a text file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// The argument vector that opens `target` (a file or an address) with the desktop's viewer.
/// `page` > 0 asks a PDF viewer that can be told so to open at that page.
[[nodiscard]] std::vector<std::string> document_viewer_command(const std::string& target,
                                                               int page = 0);

/// The program that opens a text file in the desktop's own editor for text: "xdg-open" on
/// Linux, "notepad" on Windows.
[[nodiscard]] std::string desktop_text_editor();

/// How a text file is opened for editing.
struct TextEditorCommand {
    /// The program, its arguments and the file as the last one.
    std::vector<std::string> argv;
    /// True when the chosen editor's program could not be found (or none was named) and the
    /// desktop's own editor stands in for it.
    bool stands_in = false;
};

/// Opens `file` with the editor command `editor` (split into words as a shell would); when
/// the program it names cannot be found, with the desktop's own editor instead.
[[nodiscard]] TextEditorCommand text_editor_command(std::string_view editor,
                                                    const std::string& file);

} // namespace kalveo
