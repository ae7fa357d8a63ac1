// display/see_through: a window whose background colour lets the simulator show through.
// Windows makes the colour transparent itself (a colour key); elsewhere the window is cut to
// what is drawn, read back from each frame drawn and cut again only when that changed, so that
// the figures float over the simulator and clicks beside them reach it.
#pragma once

#include "cpw/cpw.h"
#include "display/records.h"
#include "platform/window_shape.h"

#include <cstdint>
#include <vector>

struct SDL_Window;

namespace kalveo {

/// The pixels of a frame (RGBA bytes, bottom row first, as OpenGL reads them) that differ
/// from `background`, as spans per row counted from the top.
[[nodiscard]] std::vector<WindowSpan> drawn_spans(const std::vector<std::uint8_t>& rgba, int width,
                                                  int height, const Rgb8& background);

/// One window's cut, following its frames.
class SeeThrough {
  public:
    /// `label` starts the window's log lines ("Txt", "AH").
    explicit SeeThrough(const char* label) : label_(label) {}

    /// After a frame of window `id` is drawn (its GL context current, before the swap): cuts
    /// the window to the pixels not in `background` when they changed since the last frame.
    void follow_frame(pCpw cpw, CpwWindowId id, int width, int height, const Rgb8& background);

    /// The window's cut as last made (empty before the first, or where windows cannot be cut).
    [[nodiscard]] const std::vector<WindowSpan>& spans() const { return spans_; }

  private:
    const char* label_;
    SDL_Window* window_ = nullptr; ///< the window cut; a new one (a restart) starts afresh
    std::vector<std::uint8_t> frame_;
    std::vector<WindowSpan> spans_;
    bool cut_ = false;
    bool failed_ = false;
};

} // namespace kalveo
