// The program's windows as the X server lists them: found by title, their place and size,
// keys typed into them, and the close request a window manager would send.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kalveo::testing {

struct XWindow {
    unsigned long id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

/// The window titled exactly `title` on `display`, waiting up to `seconds` for it.
[[nodiscard]] std::optional<XWindow> find_window(const std::string& display,
                                                 const std::string& title, double seconds);

/// Every window titled exactly `title` on `display` now, from the top of the screen down.
[[nodiscard]] std::vector<XWindow> find_windows(const std::string& display,
                                                const std::string& title);

/// Gives the window the keyboard and types `key` (an X key name: "Escape", "e").
bool type_key(const std::string& display, unsigned long window, const std::string& key);

/// Asks the window to close, as the close button of a window manager does.
bool request_close(const std::string& display, unsigned long window);

} // namespace kalveo::testing
