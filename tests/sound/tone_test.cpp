// The generated beep through the real engine on SDL's disk driver: its pitch, length and level
// in the capture, and a loaded sound keeping its own channel beside it.
#include "sound/sound.h"
#include "support/test_files.h"
#include "wav_files.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

namespace kalveo {
namespace {

using testing::Samples;

class ToneTest : public ::testing::Test {
  protected:
    void TearDown() override { sound.close(); }

    Samples play_and_capture(int freq, int dur_ms, double vol) {
        EXPECT_EQ(sound.play_tone(freq, dur_ms, vol), 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(dur_ms + 150));
        sound.close();
        return testing::read_raw_capture(output);
    }

    testing::TempDir dir;
    testing::ScopedCwd cwd{dir.path()};
    std::filesystem::path output = dir / "speaker.raw";
    testing::ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    testing::ScopedEnv file{"SDL_DISKAUDIOFILE", output.string()};
    SoundEngine sound;
};

// Rising zero crossings per second over [first, first + count).
double pitch(const Samples& s, std::size_t first, std::size_t count) {
    int crossings = 0;
    for (std::size_t i = first + 1; i < first + count && i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0) ++crossings;
    return crossings * static_cast<double>(kSoundRate) / static_cast<double>(count);
}

TEST_F(ToneTest, TheBeepIsA930HzToneOf100Ms) {
    EXPECT_EQ(sound.play_tone(930, 100, 1.0), 0) << "no engine, no beep";
    ASSERT_EQ(sound.init(-1), 1);
    EXPECT_EQ(sound.play_tone(930, 0, 1.0), 0);
    const Samples out = play_and_capture(930, 100, 1.0);
    const std::size_t start = testing::first_sound(out);
    const std::size_t end = testing::end_of_sound(out);
    ASSERT_LT(start, end) << "no beep in the capture";
    EXPECT_NEAR(static_cast<double>(end - start) / kSoundRate, 0.100, 0.003);
    EXPECT_NEAR(pitch(out, start, end - start), 930.0, 15.0);
    // Full volume: 0.8 of full scale, a sine's RMS is that over the square root of 2.
    EXPECT_NEAR(testing::rms(out, start + 500, 3000), 0.8 * 32767.0 / std::sqrt(2.0), 400.0);
}

TEST_F(ToneTest, VolumeScalesTheBeepAndASecondBeepReusesItsChannel) {
    ASSERT_EQ(sound.init(-1), 1);
    ASSERT_EQ(sound.play_tone(930, 100, 0.5), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    const Samples out = play_and_capture(930, 100, 0.25);
    const std::size_t first = testing::first_sound(out);
    ASSERT_LT(first + 4410, out.size());
    std::size_t second = first + 4410;
    while (second < out.size() && out[second] == 0)
        ++second;
    ASSERT_LT(second + 3000, out.size()) << "the second beep is missing";
    const double ratio =
        testing::rms(out, second + 500, 3000) / testing::rms(out, first + 500, 3000);
    EXPECT_NEAR(ratio, 0.5, 0.03);
}

} // namespace
} // namespace kalveo
