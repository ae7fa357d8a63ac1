#include "sound/sound.h"
#include "support/test_files.h"
#include "wav_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

namespace fs = std::filesystem;

// The shipped sound files, copied into a scratch program folder so that each
// test can take some away.
class ShippedSounds : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir / "Sounds");
        for (int slot = 1; slot <= kSoundSlots; ++slot)
            fs::copy_file(shipped(slot), dir / "Sounds" / shipped(slot).filename());
    }
    void TearDown() override { sound.close(); }

    static fs::path shipped(int slot) {
        const std::string name(kSoundFiles[static_cast<std::size_t>(slot)]);
        return testing::env_folder("KALVEO_DATA_DIR") / "Sounds" / name.substr(name.find('\\') + 1);
    }

    testing::TempDir dir;
    testing::ScopedCwd cwd{dir.path()};
    testing::ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    testing::ScopedEnv file{"SDL_DISKAUDIOFILE", (dir / "speaker.raw").string()};
    SoundEngine sound;
};

TEST_F(ShippedSounds, AllSevenLoadInSlotOrderWithTheirLengths) {
    ASSERT_EQ(sound.init(-1), 1);
    EXPECT_EQ(sound.load_files(), kSoundSlots);
    for (int slot = 1; slot <= kSoundSlots; ++slot) {
        SCOPED_TRACE(slot);
        const auto s = static_cast<std::size_t>(slot);
        EXPECT_EQ(sound.files().sound_num[s], slot - 1);
        EXPECT_NEAR(sound.files().sound_length[s], testing::wav_seconds(shipped(slot)), 1e-4);
        EXPECT_GT(sound.files().sound_length[s], 0.2);
    }
    // The strongest alarm is long enough to be repeated back to back.
    EXPECT_GT(sound.files().sound_length[4], 1.5);
    EXPECT_NE(testing::read_text(dir / "Logfile.txt").find("  4 Sounds\\VNE_3.wav  3"),
              std::string::npos);
}

TEST_F(ShippedSounds, AlarmsGrowLouderWithTheirLevel) {
    double previous = 0.0;
    for (int slot = 1; slot <= 4; ++slot) {
        const testing::Samples samples = [&] {
            // The data chunk of these files starts after the 44-byte header.
            const std::string bytes = testing::read_file(shipped(slot));
            testing::write_file(dir / "pcm.raw", bytes.substr(44));
            return testing::read_raw_capture(dir / "pcm.raw");
        }();
        const double level = testing::rms(samples, 0, samples.size());
        EXPECT_GT(level, previous * 1.2) << "VNE_" << slot - 1;
        previous = level;
    }
}

TEST_F(ShippedSounds, AMissingOrBrokenFileKeepsNumberZeroAndTheOthersMoveUp) {
    fs::remove(dir / "Sounds" / "VNE_1.wav");
    using namespace std::string_view_literals;
    testing::write_file(dir / "Sounds" / "Landing.wav", "RIFF\x10\0\0\0WAVEfmt garbage"sv);
    ASSERT_EQ(sound.init(-1), 1);
    EXPECT_EQ(sound.load_files(), 5);
    const std::array<int, kSoundSlots + 1> numbers{0, 0, 0, 1, 2, 3, 4, 0};
    EXPECT_EQ(sound.files().sound_num, numbers);
    EXPECT_EQ(sound.files().sound_length[2], 0.0);
    EXPECT_EQ(sound.files().sound_length[7], 0.0);
    const std::string log = testing::read_text(dir / "Logfile.txt");
    EXPECT_NE(log.find("Can't load sound Sounds\\VNE_1.wav"), std::string::npos) << log;
    EXPECT_NE(log.find("Can't load sound Sounds\\Landing.wav"), std::string::npos);
    // A request for the missing slot plays the first sound that loaded.
    EXPECT_EQ(sound.play(sound.files().sound_num[2], 0.5), 1);
    EXPECT_TRUE(sound.playing(0));
}

} // namespace
} // namespace kalveo
