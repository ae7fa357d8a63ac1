// The start-up's sound engine: the "Sound device" setting decides the device,
// and 0 turns sound off without complaint.
#include "report/report_fixture.h"
#include "shell/startup_sounds.h"
#include "sound/sound.h"
#include "sound/wav_files.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace kalveo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::contains;

// A program folder with the shipped sounds, dialogs answered from a script and
// SDL's disk driver standing for the speakers.
class StartSounds : public testing::ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        fs::create_directories(folder() / "Sounds");
        for (int slot = 1; slot <= kSoundSlots; ++slot)
            fs::copy_file(shipped(slot), folder() / "Sounds" / shipped(slot).filename());
    }
    void TearDown() override {
        sound.close();
        ShellTest::TearDown();
    }

    static fs::path shipped(int slot) {
        const std::string name(kSoundFiles[static_cast<std::size_t>(slot)]);
        return testing::env_folder("KALVEO_DATA_DIR") / "Sounds" / name.substr(name.find('\\') + 1);
    }

    // What reached the speakers; nothing at all when the device never opened.
    [[nodiscard]] testing::Samples heard() const {
        return fs::exists(speaker) ? testing::read_raw_capture(speaker) : testing::Samples{};
    }

    fs::path speaker = folder() / "speaker.raw";
    testing::ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    testing::ScopedEnv file{"SDL_DISKAUDIOFILE", speaker.string()};
    SoundEngine sound;
};

TEST_F(StartSounds, DeviceZeroLoadsEverySoundAndPlaysItUnheardWithoutABox) {
    testing::StdoutCapture out;
    start_sounds(sound, 0);

    for (int slot = 1; slot <= kSoundSlots; ++slot) {
        SCOPED_TRACE(slot);
        const auto s = static_cast<std::size_t>(slot);
        EXPECT_EQ(sound.files().sound_num[s], slot - 1);
        EXPECT_NEAR(sound.files().sound_length[s], testing::wav_seconds(shipped(slot)), 1e-4);
    }
    // The longest alarm plays for about its length, as on a real device.
    const int vne3 = sound.files().sound_num[4];
    const auto start = std::chrono::steady_clock::now();
    for (int slot = 1; slot <= kSoundSlots; ++slot)
        ASSERT_EQ(sound.play(sound.files().sound_num[static_cast<std::size_t>(slot)], 1.0), 1);
    EXPECT_TRUE(sound.playing(vne3));
    while (sound.playing(vne3) && std::chrono::steady_clock::now() < start + 10s)
        std::this_thread::sleep_for(5ms);
    const std::chrono::duration<double> played = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(sound.playing(vne3));
    EXPECT_GT(played.count(), 0.8 * sound.files().sound_length[4]);
    sound.close();
    const std::string shown = out.finish();

    EXPECT_FALSE(contains(shown, "messageBox")) << shown;
    const testing::Samples samples = heard();
    EXPECT_EQ(testing::first_sound(samples), samples.size()) << "sound reached the speakers";
    const std::string text = log();
    EXPECT_TRUE(contains(text, "Sound devices available:")) << text;
    EXPECT_TRUE(contains(text, "\n1 ")) << "the device list is still logged";
    EXPECT_TRUE(contains(text, "Sound off by setting")) << text;
    EXPECT_TRUE(contains(text, "  4 Sounds\\VNE_3.wav  3"));
    EXPECT_FALSE(contains(text, "Can't initialize sound device"));
    EXPECT_EQ(error_log(), "");
}

TEST_F(StartSounds, ADeviceThatIsNotThereGetsTheBoxAndNoSounds) {
    testing::StdoutCapture out;
    start_sounds(sound, 7);
    const std::string shown = out.finish();
    EXPECT_TRUE(contains(shown, "messageBox ok error")) << shown;
    EXPECT_TRUE(contains(shown, "Error initialising sounds - see logfile"));
    EXPECT_EQ(sound.files().sound_length[1], 0.0);
    EXPECT_EQ(sound.play(0, 1.0), 0);
}

TEST_F(StartSounds, TheSystemDefaultIsHeard) {
    testing::StdoutCapture out;
    start_sounds(sound, -1);
    ASSERT_EQ(sound.play(sound.files().sound_num[1], 1.0), 1);
    while (sound.playing(sound.files().sound_num[1]))
        std::this_thread::sleep_for(5ms);
    sound.close();
    EXPECT_FALSE(contains(out.finish(), "messageBox"));
    const testing::Samples samples = heard();
    EXPECT_LT(testing::first_sound(samples), samples.size());
    EXPECT_FALSE(contains(log(), "Sound off by setting"));
}

} // namespace
} // namespace kalveo
