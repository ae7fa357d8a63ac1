// kalveo-hear: tells what a pilot would have heard from audio captured with SDL's disk audio
// driver (signed 16-bit little-endian mono): each sound with its time and VNE alarm level.
#include "replay/audio_report.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::puts("Usage: kalveo-hear <capture.raw> [rate]   (rate in Hz, default 44100)");
        return 2;
    }
    const int rate = argc == 3 ? std::atoi(argv[2]) : 44100;
    if (rate <= 0) {
        std::fprintf(stderr, "kalveo-hear: bad rate %s\n", argv[2]);
        return 2;
    }
    const auto samples = kalveo::replay::read_raw_audio(argv[1]);
    if (!samples) {
        std::fprintf(stderr, "kalveo-hear: cannot read %s\n", argv[1]);
        return 1;
    }
    const auto sounds = kalveo::replay::hear(*samples, rate);
    std::printf("%zu sounds in %.1f s of audio\n", sounds.size(),
                static_cast<double>(samples->size()) / rate);
    for (const auto& sound : sounds)
        std::printf("%s\n", kalveo::replay::describe(sound).c_str());
    return 0;
}
