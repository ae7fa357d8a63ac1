#include "sound/sound.h"
#include "support/test_files.h"
#include "wav_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace kalveo {
namespace {

using namespace std::chrono_literals;
using testing::Samples;

// The real engine on SDL's disk driver: what would reach the speakers lands
// in a file of raw samples, written at the pace of a real device.
class DiskAudio : public ::testing::Test {
  protected:
    void TearDown() override { sound.close(); }

    // Waits until the sound has been mixed to its end.
    void wait_until_done(int num) {
        const auto give_up = std::chrono::steady_clock::now() + 10s;
        while (sound.playing(num) && std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(5ms);
        ASSERT_FALSE(sound.playing(num)) << "sound " << num << " never ended";
    }

    // Waits until the device has written `seconds` more sound to the capture.
    void wait_for_output(double seconds) {
        const auto wanted = static_cast<std::uintmax_t>(seconds * kSoundRate * 2);
        std::error_code error;
        const auto size_now = [&] {
            const auto size = std::filesystem::file_size(output, error);
            return error ? std::uintmax_t{0} : size;
        };
        const auto start = size_now();
        const auto give_up = std::chrono::steady_clock::now() + 10s;
        while (size_now() < start + wanted && std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(5ms);
    }

    // Closes the device, which completes the capture, and returns it.
    Samples capture() {
        sound.close();
        return testing::read_raw_capture(output);
    }

    [[nodiscard]] std::string log_text() const { return testing::read_text(dir / "Logfile.txt"); }

    testing::TempDir dir;
    testing::ScopedCwd cwd{dir.path()};
    std::filesystem::path output = dir / "speaker.raw";
    testing::ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    testing::ScopedEnv file{"SDL_DISKAUDIOFILE", output.string()};
    SoundEngine sound;
};

TEST_F(DiskAudio, PlaysTheSoundAtTheRequestedVolume) {
    const Samples source = testing::tone(1000.0, 0.25, 16000.0);
    testing::write_wav(dir / "tone.wav", source);
    const double source_rms = testing::rms(source, 0, source.size());

    for (const double volume : {1.0, 0.7, 0.5, 0.2}) {
        SCOPED_TRACE(volume);
        ASSERT_EQ(sound.init(-1), 1);
        int num = -1;
        double length = 0.0;
        ASSERT_EQ(sound.load((dir / "tone.wav").string(), num, length), 1);
        EXPECT_EQ(num, 0);
        EXPECT_NEAR(length, 0.25, 1e-6);
        ASSERT_EQ(sound.play(num, volume), 1);
        wait_until_done(num);
        const Samples out = capture();

        const std::size_t start = testing::first_sound(out);
        ASSERT_LT(start + source.size(), out.size() + 1) << "sound missing from the capture";
        EXPECT_NEAR(static_cast<double>(testing::end_of_sound(out) - start),
                    static_cast<double>(source.size()), 2.0);
        const double level = testing::rms(out, start, source.size()) / source_rms;
        EXPECT_NEAR(level, volume, 0.03 * volume);
    }
}

TEST_F(DiskAudio, VolumesOutsideZeroToOneAreLimited) {
    const Samples source = testing::tone(500.0, 0.1, 10000.0);
    testing::write_wav(dir / "tone.wav", source);
    ASSERT_EQ(sound.init(-1), 1);
    int num = -1;
    double length = 0.0;
    ASSERT_EQ(sound.load((dir / "tone.wav").string(), num, length), 1);
    ASSERT_EQ(sound.play(num, 3.0), 1);
    wait_until_done(num);
    const Samples out = capture();
    const std::size_t start = testing::first_sound(out);
    EXPECT_NEAR(testing::rms(out, start, source.size()) / testing::rms(source, 0, source.size()),
                1.0, 0.03);

    ASSERT_EQ(sound.init(-1), 1);
    ASSERT_EQ(sound.load((dir / "tone.wav").string(), num, length), 1);
    ASSERT_EQ(sound.play(num, -0.5), 1);
    wait_until_done(num);
    const Samples silent = capture();
    EXPECT_EQ(testing::first_sound(silent), silent.size());
}

TEST_F(DiskAudio, PlayingASoundAgainRestartsItInsteadOfMixingTwoCopies) {
    constexpr std::int16_t kLevel = 8000;
    const Samples source(static_cast<std::size_t>(0.3 * kSoundRate), kLevel);
    testing::write_wav(dir / "steady.wav", source);
    ASSERT_EQ(sound.init(-1), 1);
    int num = -1;
    double length = 0.0;
    ASSERT_EQ(sound.load((dir / "steady.wav").string(), num, length), 1);

    ASSERT_EQ(sound.play(num, 1.0), 1);
    wait_for_output(0.12);
    ASSERT_TRUE(sound.playing(num));
    ASSERT_EQ(sound.play(num, 1.0), 1);
    wait_until_done(num);
    const Samples out = capture();

    const std::size_t start = testing::first_sound(out);
    const std::size_t end = testing::end_of_sound(out);
    ASSERT_LT(start, end);
    // One copy at a time: never louder than the sound itself, and no gap.
    for (std::size_t i = start; i < end; ++i)
        ASSERT_EQ(out[i], kLevel) << "sample " << i;
    // The second start played the whole sound again from where it was.
    EXPECT_GT(end - start, source.size() + source.size() / 5);
}

TEST_F(DiskAudio, DifferentSoundsOverlap) {
    testing::write_wav(dir / "a.wav", Samples(static_cast<std::size_t>(0.3 * kSoundRate), 3000));
    testing::write_wav(dir / "b.wav", Samples(static_cast<std::size_t>(0.3 * kSoundRate), 5000));
    ASSERT_EQ(sound.init(-1), 1);
    int a = -1;
    int b = -1;
    double length = 0.0;
    ASSERT_EQ(sound.load((dir / "a.wav").string(), a, length), 1);
    ASSERT_EQ(sound.load((dir / "b.wav").string(), b, length), 1);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    ASSERT_EQ(sound.play(a, 1.0), 1);
    ASSERT_EQ(sound.play(b, 1.0), 1);
    wait_until_done(a);
    wait_until_done(b);
    const Samples out = capture();
    EXPECT_EQ(*std::max_element(out.begin(), out.end()), 8000);
}

TEST_F(DiskAudio, LengthComesFromTheFileWhateverItsRate) {
    testing::write_wav(dir / "slow.wav", Samples(11025, 1000), 22050);
    ASSERT_EQ(sound.init(-1), 1);
    int num = -1;
    double length = 0.0;
    ASSERT_EQ(sound.load((dir / "slow.wav").string(), num, length), 1);
    EXPECT_NEAR(length, 0.5, 0.001);
}

TEST_F(DiskAudio, UnknownSoundNumbersAndAnUnopenedDevicePlayNothing) {
    EXPECT_EQ(sound.play(0, 1.0), 0);
    EXPECT_FALSE(sound.playing(0));
    testing::write_wav(dir / "tone.wav", testing::tone(440.0, 0.1, 8000.0));
    ASSERT_EQ(sound.init(-1), 1);
    EXPECT_EQ(sound.play(0, 1.0), 0);
    int num = -1;
    double length = 0.0;
    ASSERT_EQ(sound.load((dir / "tone.wav").string(), num, length), 1);
    EXPECT_EQ(sound.play(1, 1.0), 0);
    EXPECT_EQ(sound.play(-1, 1.0), 0);
    EXPECT_EQ(sound.play(1000000, 1.0), 0);
    const Samples out = capture();
    EXPECT_EQ(testing::first_sound(out), out.size());
    EXPECT_EQ(sound.play(num, 1.0), 0);
}

TEST_F(DiskAudio, ListsTheDevicesAndOpensOneByItsNumber) {
    ASSERT_EQ(sound.init(1), 1);
    const std::string log = log_text();
    EXPECT_NE(log.find("Sound devices available:"), std::string::npos);
    EXPECT_NE(log.find("\n1 "), std::string::npos) << log;
    sound.close();

    EXPECT_EQ(sound.init(7), 0);
    EXPECT_NE(log_text().find("Can't initialize sound device : no sound device 7"),
              std::string::npos);
    EXPECT_EQ(sound.init(-2), 0);
}

TEST_F(DiskAudio, TheWatchHearsWhatLeavesTheMixerFromTheDevicesOpening) {
    std::atomic<int> sounding{0};
    sound.watch_mixed_buffers([&sounding](std::span<const std::int16_t> samples) {
        if (std::any_of(samples.begin(), samples.end(), [](std::int16_t v) { return v != 0; }))
            ++sounding;
    });
    ASSERT_EQ(sound.init(-1), 1);
    ASSERT_EQ(sound.play_tone(930, 100, 1.0), 1);
    const auto give_up = std::chrono::steady_clock::now() + 5s;
    while (sounding.load() == 0 && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(5ms);
    sound.close();
    EXPECT_GT(sounding.load(), 0);
}

TEST(SoundEngineFailure, ReportsAndGoesOnSilently) {
    testing::TempDir dir;
    testing::ScopedCwd cwd(dir.path());
    testing::ScopedEnv driver("SDL_AUDIODRIVER", "nonexistent");
    testing::write_wav(dir / "tone.wav", testing::tone(440.0, 0.1, 8000.0));

    SoundEngine sound;
    EXPECT_EQ(sound.init(-1), 0);
    int num = 42;
    double length = 4.2;
    EXPECT_EQ(sound.load((dir / "tone.wav").string(), num, length), 0);
    EXPECT_EQ(num, 42);
    EXPECT_EQ(sound.play(0, 1.0), 0);
    EXPECT_EQ(sound.load_files(), 0);
    for (int slot = 1; slot <= kSoundSlots; ++slot) {
        EXPECT_EQ(sound.files().sound_num[static_cast<std::size_t>(slot)], 0);
        EXPECT_EQ(sound.files().sound_length[static_cast<std::size_t>(slot)], 0.0);
    }
    sound.close();

    const std::string log = testing::read_text(dir / "Logfile.txt");
    EXPECT_NE(log.find("Can't initialize sound device : "), std::string::npos) << log;
    EXPECT_NE(log.find("Sound device not initialized"), std::string::npos);
}

} // namespace
} // namespace kalveo
