#include "shell/flight_sounds.h"

#include "flight/records.h"
#include "platform/clock.h"
#include "platform/key_watch.h"
#include "report/log.h"
#include "sound/sound.h"
#include "text/text_format.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

namespace kalveo {

namespace {

// Flight's sound calls and the sound files that carry them: alarm levels 0 to 3, then the
// flap calls up, down and landing. The one place where flight's calls meet the sound slots.
constexpr std::array<std::size_t, kAlarmLevels + kFlapCalls> kSlotOfCall = {1, 2, 3, 4, 5, 6, 7};

std::size_t alarm_slot(int level) {
    return kSlotOfCall[static_cast<std::size_t>(std::clamp(level, 0, kAlarmLevels - 1))];
}

std::size_t flap_slot(FlapCall call) {
    return kSlotOfCall[kAlarmLevels + static_cast<std::size_t>(call)];
}

// The file the pilot hears for a slot: its own when it loaded; else the sound engine
// plays the loaded sound that holds the slot's number (a failed file keeps 0).
std::string_view heard_file(const SoundSlots& files, std::size_t slot) {
    if (files.sound_length[slot] > 0.0) return kSoundFiles[slot];
    for (std::size_t s = 1; s < kSoundFiles.size(); ++s) {
        if (files.sound_num[s] == files.sound_num[slot] && files.sound_length[s] > 0.0)
            return kSoundFiles[s];
    }
    return kSoundFiles[slot];
}

// The log keeps when each sound played: what the pilot heard, for questions afterwards.
void log_sound(int num, std::string_view file, double vol) {
    // Seconds and tenths both from the system clock; the local time of day only gives the
    // hour and minute it falls in (the display clock counts from elsewhere, and the time of
    // day's own second can lag the system clock's by a tick).
    const auto now = std::chrono::system_clock::now();
    std::tm local = local_time_now();
    std::tm as_read = local;
    const long long lag = static_cast<long long>(std::chrono::system_clock::to_time_t(now)) -
                          static_cast<long long>(std::mktime(&as_read));
    const auto second = std::chrono::floor<std::chrono::seconds>(now);
    const int tenths = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now - second).count() / 100);
    long long of_day = local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec + lag;
    of_day = ((of_day % 86400) + 86400) % 86400;
    std::tm t{};
    t.tm_hour = static_cast<int>(of_day / 3600);
    t.tm_min = static_cast<int>(of_day / 60 % 60);
    t.tm_sec = static_cast<int>(of_day % 60);
    log_verbatim(format_text("Sound %d %.*s at %02d:%02d:%02d.%d volume %.2f", num,
                             static_cast<int>(file.size()), file.data(), t.tm_hour, t.tm_min,
                             t.tm_sec, tenths, vol));
}

void play_slot(SoundEngine& sound, std::size_t slot, double vol) {
    const int num = sound.files().sound_num[slot];
    sound.play(num, vol);
    log_sound(num, heard_file(sound.files(), slot), vol);
}

} // namespace

void play_alarm_sound(SoundEngine& sound, int level, double vol) {
    play_slot(sound, alarm_slot(level), vol);
}

void play_flap_sound(SoundEngine& sound, FlapCall call, double vol) {
    play_slot(sound, flap_slot(call), vol);
}

// Where the system has no beeper of its own the sound engine plays the tone.
void flight_beep(SoundEngine& sound, int freq, int dur, double volume) {
    if (!system_beep(freq, dur)) sound.play_tone(freq, dur, volume);
    log_verbatim(format_text("Beep %d Hz %d ms", freq, dur));
}

FlightSoundLengths loaded_sound_lengths(const SoundSlots& files) {
    FlightSoundLengths lengths;
    for (int level = 0; level < kAlarmLevels; ++level)
        lengths.alarm[static_cast<std::size_t>(level)] = files.sound_length[alarm_slot(level)];
    for (const FlapCall call : {FlapCall::up, FlapCall::down, FlapCall::landing})
        lengths.flap[static_cast<std::size_t>(call)] = files.sound_length[flap_slot(call)];
    return lengths;
}

} // namespace kalveo
