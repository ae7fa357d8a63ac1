#include "display/see_through.h"

#include "platform/window_style.h"
#include "report/log.h"

#include <SDL_opengl.h>

namespace kalveo {

std::vector<WindowSpan> drawn_spans(const std::vector<std::uint8_t>& rgba, int width, int height,
                                    const Rgb8& background) {
    std::vector<WindowSpan> spans;
    if (width <= 0 || height <= 0 ||
        rgba.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
        return spans;
    const auto is_background = [&](std::size_t i) {
        return rgba[i] == background[0] && rgba[i + 1] == background[1] &&
               rgba[i + 2] == background[2];
    };
    for (int row = 0; row < height; ++row) {
        const std::size_t first = static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        const int y = height - 1 - row;
        int x = 0;
        while (x < width) {
            while (x < width && is_background((first + static_cast<std::size_t>(x)) * 4))
                ++x;
            const int x0 = x;
            while (x < width && !is_background((first + static_cast<std::size_t>(x)) * 4))
                ++x;
            if (x > x0) spans.push_back({y, x0, x});
        }
    }
    return spans;
}

void SeeThrough::follow_frame(pCpw cpw, CpwWindowId id, int width, int height,
                              const Rgb8& background) {
    SDL_Window* window = cpw_sdl_window(cpw, id);
    if (window != window_) {
        window_ = window;
        cut_ = failed_ = false;
    }
    if (failed_ || system_colour_key() || width <= 0 || height <= 0) return;
    frame_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame_.data());
    std::vector<WindowSpan> spans = drawn_spans(frame_, width, height, background);
    if (cut_ && spans == spans_) return;
    std::string why;
    if (!shape_window(window, spans, why)) {
        failed_ = true;
        log_printf("%s see-through : 0 (%s); the background is painted", label_, why.c_str());
        return;
    }
    if (!cut_)
        log_printf("%s see-through : 1 (the window is cut to what is drawn, X Shape extension)",
                   label_);
    cut_ = true;
    spans_ = std::move(spans);
}

} // namespace kalveo
