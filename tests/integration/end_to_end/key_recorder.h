// Another program's window on the test's X server that takes the keyboard focus, as the
// simulator would, and counts the keys it receives; and keys typed to whichever window has
// the focus.
#pragma once

#include <map>
#include <string>
#include <vector>

using Display = struct _XDisplay;

namespace kalveo::testing {

class KeyRecorder {
  public:
    /// With `grab` the window also grabs the keyboard, as a full-screen program may.
    explicit KeyRecorder(const std::string& display, bool grab = false);
    ~KeyRecorder();
    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;

    /// True once the window is mapped and has the focus.
    [[nodiscard]] bool focused() const { return focused_; }
    /// Gives the window the keyboard focus again; true when it has it.
    bool focus();
    /// True when the keyboard grab asked for was granted.
    [[nodiscard]] bool grabbed() const { return grabbed_; }
    [[nodiscard]] unsigned long window() const { return window_; }

    /// Presses and releases received so far, by key name ("i", "7").
    [[nodiscard]] std::map<std::string, int> presses();
    [[nodiscard]] std::map<std::string, int> releases();

  private:
    void drain();

    Display* x_ = nullptr;
    unsigned long window_ = 0;
    bool focused_ = false;
    bool grabbed_ = false;
    std::map<std::string, int> presses_;
    std::map<std::string, int> releases_;
};

/// Types `keys` (X key names) into the window that has the focus, `delay_ms` apart.
bool type_keys(const std::string& display, const std::vector<std::string>& keys, int delay_ms);

/// Types `text` as a person would (Shift for capitals) into the window that has the focus.
bool type_text(const std::string& display, const std::string& text, int delay_ms);

} // namespace kalveo::testing
