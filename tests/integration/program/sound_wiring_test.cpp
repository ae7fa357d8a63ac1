// Where flight's sound calls meet the sound files, on an engine that loaded the shipped files
// (SDL's dummy driver, no speakers): the lengths that pace the calls and what the log says was
// heard.
#include "flight/outputs.h"
#include "report/log.h"
#include "shell/flight_sounds.h"
#include "sound/sound.h"
#include "sound/wav_files.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace kalveo {
namespace {

namespace fs = std::filesystem;
using testing::read_text;
using testing::ScopedCwd;
using testing::TempDir;

class SoundWiring : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir_ / "Logs");
        fs::create_directories(dir_ / "Sounds");
        for (int slot = 1; slot <= kSoundSlots; ++slot)
            fs::copy_file(shipped(slot), dir_ / "Sounds" / shipped(slot).filename());
        set_error_log_folder(dir_.path().string() + "/");
        log_message_f("CREATE Logs\\Logfile.txt");
    }
    void TearDown() override { set_error_log_folder({}); }

    // The engine on the silent device with the files in the Sounds folder.
    void load() {
        ASSERT_EQ(sound_.init(kNoSoundDevice), 1);
        sound_.load_files();
    }

    static fs::path shipped(int slot) {
        const std::string name(kSoundFiles[static_cast<std::size_t>(slot)]);
        return testing::env_folder("KALVEO_DATA_DIR") / "Sounds" / name.substr(name.find('\\') + 1);
    }
    [[nodiscard]] std::string log() const { return read_text(dir_ / "Logs" / "Logfile.txt"); }

    TempDir dir_;
    ScopedCwd cwd_{dir_.path()};
    SoundEngine sound_;
};

TEST_F(SoundWiring, EachCallPlaysItsOwnFileAndTheLogSaysWhich) {
    load();
    for (int level = 0; level < kAlarmLevels; ++level)
        play_alarm_sound(sound_, level, 0.5);
    play_flap_sound(sound_, FlapCall::up, 0.25);
    play_flap_sound(sound_, FlapCall::down, 0.25);
    play_flap_sound(sound_, FlapCall::landing, 1.0);
    const std::string text = log();
    const char* expected[] = {"Sound 0 Sounds\\\\VNE_0\\.wav at .* volume 0\\.50",
                              "Sound 1 Sounds\\\\VNE_1\\.wav at .* volume 0\\.50",
                              "Sound 2 Sounds\\\\VNE_2\\.wav at .* volume 0\\.50",
                              "Sound 3 Sounds\\\\VNE_3\\.wav at .* volume 0\\.50",
                              "Sound 4 Sounds\\\\Flaps_Up\\.wav at .* volume 0\\.25",
                              "Sound 5 Sounds\\\\Flaps_Dn\\.wav at .* volume 0\\.25",
                              "Sound 6 Sounds\\\\Landing\\.wav at .* volume 1\\.00"};
    for (const char* line : expected)
        EXPECT_TRUE(std::regex_search(text, std::regex(line))) << line << "\n" << text;
    EXPECT_TRUE(sound_.playing(6));
}

TEST_F(SoundWiring, FlightPacesItsSoundsByTheLoadedLengths) {
    load();
    const FlightSoundLengths lengths = loaded_sound_lengths(sound_.files());
    for (int level = 0; level < kAlarmLevels; ++level)
        EXPECT_NEAR(lengths.alarm[static_cast<std::size_t>(level)],
                    testing::wav_seconds(shipped(level + 1)), 1e-4);
    EXPECT_NEAR(flap_call_length(lengths, FlapCall::up), testing::wav_seconds(shipped(5)), 1e-4);
    EXPECT_NEAR(flap_call_length(lengths, FlapCall::down), testing::wav_seconds(shipped(6)), 1e-4);
    EXPECT_NEAR(flap_call_length(lengths, FlapCall::landing), testing::wav_seconds(shipped(7)),
                1e-4);
}

TEST_F(SoundWiring, AFileThatDidNotLoadIsLoggedAsTheSoundHeardInstead) {
    // VNE_2.wav is missing: its slot keeps number 0 and length 0, so number 0 (VNE_0.wav) plays.
    fs::remove(dir_ / "Sounds" / "VNE_2.wav");
    load();
    play_alarm_sound(sound_, 2, 0.5);
    EXPECT_TRUE(std::regex_search(log(), std::regex("Sound 0 Sounds\\\\VNE_0\\.wav at "))) << log();
    EXPECT_EQ(loaded_sound_lengths(sound_.files()).alarm[2], 0.0);
}

} // namespace
} // namespace kalveo
