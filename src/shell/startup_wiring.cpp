#include "shell/startup_wiring.h"

#include "display/display_state.h"
#include "display/manual.h"
#include "display/window_input.h"
#include "display/windows.h"
#include "flight/cycle.h"
#include "flight/outputs.h"
#include "keys/controls.h"
#include "keys/hook.h"
#include "keys/window_keys.h"
#include "link/udp_ini.h"
#include "link/udp_link.h"
#include "platform/clock.h"
#include "platform/key_watch.h"
#include "shell/log.h"
#include "shell/stop.h"
#include "shell/text_format.h"
#include "sound/sound.h"
#include "sound/tone.h"

#include <cmath>

namespace kalveo {

namespace {

// The log keeps when each sound played: what the pilot heard, for questions afterwards.
void log_sound(int num, double vol) {
    std::size_t slot = 1;
    while (slot < kSoundFiles.size() && beeps.sound_num[slot] != num)
        ++slot;
    const std::string_view file = slot < kSoundFiles.size() ? kSoundFiles[slot] : "?";
    const std::tm t = local_time_now();
    const double seconds = display_clock();
    const int tenths = static_cast<int>((seconds - std::floor(seconds)) * 10.0);
    log_verbatim(format_text("Sound %d %.*s at %02d:%02d:%02d.%d volume %.2f", num,
                             static_cast<int>(file.size()), file.data(), t.tm_hour, t.tm_min,
                             t.tm_sec, tenths, vol));
}

// Where the system has no beeper of its own the sound engine plays the tone.
void beep(int freq, int dur) {
    if (!system_beep(freq, dur)) play_tone(freq, dur, beeps.sndvol);
    log_verbatim(format_text("Beep %d Hz %d ms", freq, dur));
}

void connect_keyboard() {
    KeyboardWatch& watch = keyboard_watch();
    watch.start = [] { return StartKbdHook(); };
    watch.stop = [] { return ReleaseKbdHook(); };
    watch.poll = [] { PollKbdHook(); };
    WindowKeyHooks& hooks = window_key_hooks();
    hooks.keyboard = keyboard;
    hooks.syskeyboard = syskeyboard;
    hooks.print_key_name = [](std::string_view label, int code) { Print_Key_Name(label, code); };
}

} // namespace

void connect_program_parts() {
    static bool connected = false;
    if (connected) return;
    connected = true;

    set_packet_handler([](std::string_view datagram) {
        return static_cast<double>(my_tas(datagram.data(), datagram.size()));
    });
    FlightOutputs& outputs = flight_outputs();
    connect_display_outputs(outputs);
    outputs.play_sound = [](int num, double vol) {
        play_sound(num, vol);
        log_sound(num, vol);
    };
    outputs.my_beep = beep;
    connect_keyboard();
    set_manual_display([](int section) { display_manual(section); });

    // A fatal stop from inside the run still closes the socket and the windows in order.
    at_stop([] { close_sounds(); });
    at_stop([] {
        if (this_cpw != nullptr) close_graphics();
    });
}

} // namespace kalveo
