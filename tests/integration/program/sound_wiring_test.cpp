// Where flight's sound calls meet the sound files: the lengths that pace them and what the
// log says was heard.
#include "flight/outputs.h"
#include "report/log.h"
#include "report/records.h"
#include "shell/flight_sounds.h"
#include "sound/records.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <regex>

namespace kalveo {
namespace {

using testing::read_file;
using testing::read_text;
using testing::ScopedCwd;
using testing::TempDir;

class SoundWiring : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_ / "Logs");
        cmndta000 = {};
        cmndta000.app_path = dir_.path().string() + "/";
        log_message_f("CREATE Logs\\Logfile.txt");
        // Seven sounds loaded as numbers 0..6; slot n lasts n tenths of a second.
        for (std::size_t slot = 1; slot <= kSoundSlots; ++slot) {
            beeps.sound_num[slot] = static_cast<int>(slot) - 1;
            beeps.sound_length[slot] = 0.1 * static_cast<double>(slot);
        }
    }
    void TearDown() override {
        beeps = BeepsRecord{};
        cmndta000 = {};
    }
    [[nodiscard]] std::string log() const { return read_text(dir_ / "Logs" / "Logfile.txt"); }

    TempDir dir_;
    ScopedCwd cwd_{dir_.path()};
};

TEST_F(SoundWiring, EachCallPlaysItsOwnFileAndTheLogSaysWhich) {
    for (int level = 0; level < kAlarmLevels; ++level)
        play_alarm_sound(level, 0.5);
    play_flap_sound(FlapCall::up, 0.25);
    play_flap_sound(FlapCall::down, 0.25);
    play_flap_sound(FlapCall::landing, 1.0);
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
}

TEST_F(SoundWiring, FlightPacesItsSoundsByTheLoadedLengths) {
    const FlightSoundLengths lengths = loaded_sound_lengths();
    for (int level = 0; level < kAlarmLevels; ++level)
        EXPECT_DOUBLE_EQ(lengths.alarm[static_cast<std::size_t>(level)], 0.1 * (level + 1));
    EXPECT_DOUBLE_EQ(flap_call_length(lengths, FlapCall::up), 0.5);
    EXPECT_DOUBLE_EQ(flap_call_length(lengths, FlapCall::down), 0.6);
    EXPECT_DOUBLE_EQ(flap_call_length(lengths, FlapCall::landing), 0.7);
}

TEST_F(SoundWiring, AFileThatDidNotLoadIsLoggedAsTheSoundHeardInstead) {
    // VNE_2.wav failed: it keeps number 0 and length 0, so number 0 (VNE_0.wav) plays.
    beeps.sound_num[3] = 0;
    beeps.sound_length[3] = 0.0;
    play_alarm_sound(2, 0.5);
    EXPECT_TRUE(std::regex_search(log(), std::regex("Sound 0 Sounds\\\\VNE_0\\.wav at "))) << log();
    EXPECT_EQ(loaded_sound_lengths().alarm[2], 0.0);
}

} // namespace
} // namespace kalveo
