// BMP images for textures, through SDL's loader.
#include "cpw/cpw.h"
#include "platform/paths.h"

#include <SDL.h>
#include <cstring>
#include <memory>
#include <string>

namespace kalveo {

namespace {

/// Larger pictures are refused: the insect picture is small, and a damaged header must not
/// make us allocate gigabytes.
constexpr int kMaxImageSide = 4096;

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

void copy_rows(const SDL_Surface& surface, int depth, bool flip, CpwImage& image) {
    const auto row_bytes = static_cast<std::size_t>(surface.w) * static_cast<std::size_t>(depth);
    image.data.resize(row_bytes * static_cast<std::size_t>(surface.h));
    const auto* pixels = static_cast<const std::uint8_t*>(surface.pixels);
    for (int row = 0; row < surface.h; ++row) {
        const int source = flip ? surface.h - 1 - row : row;
        std::memcpy(image.data.data() + row_bytes * static_cast<std::size_t>(row),
                    pixels +
                        static_cast<std::size_t>(source) * static_cast<std::size_t>(surface.pitch),
                    row_bytes);
    }
    image.width = surface.w;
    image.height = surface.h;
    image.depth = depth;
}

} // namespace

int cpwLoadImage(pCpw cpw, CpwImage* image, int format, std::string_view filename, int flip) {
    if (!image) return 0;
    *image = CpwImage{};
    if (format != CPW_IMAGEFORMAT_BMP) {
        cpw_error_set(cpw, CPW_BADARGUMENT_ERROR);
        return 0;
    }
    const std::string path = native_path(filename).string();
    Surface loaded(SDL_LoadBMP(path.c_str()));
    if (!loaded || loaded->w < 1 || loaded->h < 1 || loaded->w > kMaxImageSide ||
        loaded->h > kMaxImageSide) {
        return 0;
    }
    const bool alpha = loaded->format->Amask != 0;
    Surface converted(SDL_ConvertSurfaceFormat(
        loaded.get(), alpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24, 0));
    if (!converted) return 0;
    if (SDL_MUSTLOCK(converted.get())) SDL_LockSurface(converted.get());
    copy_rows(*converted, alpha ? 4 : 3, flip != 0, *image);
    if (SDL_MUSTLOCK(converted.get())) SDL_UnlockSurface(converted.get());
    return 1;
}

void cpwFreeImage(pCpw, CpwImage* image) {
    if (image) *image = CpwImage{};
}

} // namespace kalveo
