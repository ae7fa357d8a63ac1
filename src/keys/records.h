// keys/records: the hotkeys from the settings.
#pragma once

namespace kalveo {

// A key code is modifiers x 10000 + key: a positive key is a virtual-key
// code, a negative one a negated scan code; modifier bits 1 CTRL, 2 SHFT,
// 4 ALT, 8 LONG (held more than 900 ms). A key part above 5000 stands for a
// negative key with one more modifier unit (CTRL with scan code 30 is 9970).

/// Hotkeys of the program (key codes).
struct KeydefRecord {
    /// Raise the alarm margin; double press: alarm on ("I").
    int keyinc = 73;
    /// Lower the alarm margin; double press: alarm off ("U").
    int keydec = 85;
    /// Cycle the horizon window ("O").
    int keyhor = 79;
    /// Flap sounds on/off ("M").
    int keysfl = 77;
    /// Volume up ("8").
    int keyvup = 56;
    /// Volume down ("7").
    int keyvdn = 55;
    /// Climb average (integrator); in polar mode: record a polar point ("9").
    int keyave = 57;
    /// Stopwatch ("0").
    int keytim = 48;
    /// Netto average ("6").
    int keyavn = 54;
    /// Task timer ("5").
    int keytsktim = 53;
    /// Head-up speed mode ("<").
    int keyhuds = 60;
};

extern KeydefRecord keydef;

} // namespace kalveo
