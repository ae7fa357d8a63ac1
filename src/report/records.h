// report/records: the records of the program shell (paths, console mode, message counts).
#pragma once

#include <string>

namespace kalveo {

/// Program-wide paths and names, filled at start-up.
struct Cmndta000Record {
    /// Command of the text editor used to open files (settings key "Text editor").
    std::string text_editor = "notepad";
    /// The program's installation folder, with or without a trailing separator.
    std::string app_path;
    /// Title of the redirection error box (32 characters); start-up leaves it empty.
    std::string app_name;
};

/// Console mode, language choice and message counters.
struct Cmndta001Record {
    /// French texts wanted (set by the language detection of the settings reader).
    bool qfr = false;
    /// Console mode: messages go to the console instead of boxes.
    bool qline = false;
    /// Reserved; nothing reads or writes it.
    int nauto_upd = 0;
    /// Number of warnings reported through error_message_vfl.
    int nbwarn = 0;
    /// Number of errors reported through error_message_vfl.
    int nberr = 0;
    /// Start-up must run again after a settings edit.
    bool qrestart = false;
    /// Keep the console window (started from a console, or debug mode).
    bool qkeepwnd = false;
};

extern Cmndta000Record cmndta000;
extern Cmndta001Record cmndta001;

} // namespace kalveo
