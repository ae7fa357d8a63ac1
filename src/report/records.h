// report/records: the records of the program shell (paths, console mode, message counts).
#pragma once

#include <string>

namespace kalveo {

/// Program-wide paths and names, filled at start-up.
struct Cmndta000Record {
    /// Command of the text editor used to open files (settings key "Text editor").
    std::string text_editor = "notepad";
};

/// Console mode, language choice and message counters.
struct Cmndta001Record {
    /// French texts wanted (set by the language detection of the settings reader).
    bool qfr = false;
    /// Start-up must run again after a settings edit.
    bool qrestart = false;
    /// Keep the console window (started from a console, or debug mode).
    bool qkeepwnd = false;
};

extern Cmndta000Record cmndta000;
extern Cmndta001Record cmndta001;

} // namespace kalveo
