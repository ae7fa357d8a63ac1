// flight/flight_setup: what the first datagram of a flight learns from the simulator
// (version, controls, units, altimeter, flight plan, glider and VNE) and the alarm
// thresholds and fixed display values that follow from it.
#pragma once

#include "config/records.h"
#include "config/settings_value.h"
#include "flight/outputs.h"
#include "flight/records.h"
#include "glider/glider_data.h"
#include "glider/records.h"
#include "sim/records.h"

namespace kalveo {

/// What a flight learns at its start and keeps: the simulator's installation and
/// keys, the flight plan and the glider. The flight cycle owns it.
struct FlightFacts {
    Installation installation;
    SimulatorKeys keys;
    Rdstng00Record pilot_options; ///< the simulator's units and altimeter setting
    FlightPlan plan;
    Glider glider;
    /// The language in use ("EN", "FR", ...) and its texts, for what the set-up tells the
    /// pilot and for the flight's file.
    std::string language;
    MessagesRecord texts;
};

/// The simulator's controls and options files of the installation's pilot (into the
/// flight's keys and pilot options), its units (into the records `f`) and the atmosphere
/// model. `chat_open_key` is the chat key of the settings. A missing or unreadable file is
/// told to the pilot and stops the program.
void init_settings_0(FlightFacts& flight, FlightRecords& f, int chat_open_key);

/// Altimeter reference of the simulator's pilot options: QFE keeps the altitude offset of
/// the flight plan, QNH drops it.
void init_settings_1(const Rdstng00Record& pilot_options, FlightRecords& f);

/// Margins and VNE in m/s (settings values in display units, defaults by unit), the
/// glider's total mass, the flap table in the log, the flight's fixed values to the
/// display, the alarm speeds. Returns what the display's upd_vne returns (0 when none is
/// connected).
int init_settings_2(const FlightOutputs& out, const Settings& settings, FlightFacts& flight,
                    FlightRecords& f);

/// After the glider lookup: the VNE is the glider data's when it found one, else
/// the "VNE" setting `vne_setting` (display units, below -1000 when unset) in m/s,
/// else it stays unset for init_settings_2's default.
void settle_vne(FlightRecords& f, double vne_setting);

/// The glider values in force, from the records `f`, the glider and its flap table: what a
/// glider lookup starts from.
[[nodiscard]] GliderValues current_glider_values(const Glider& glider, const FlightRecords& f);

/// Stores what the glider lookup found in the records `f`, the glider and its flap table.
void store_glider_values(const GliderValues& values, Glider& glider, FlightRecords& f);

/// Default VNE (m/s) of the display unit, for a glider without one.
[[nodiscard]] double default_vne(const FlightRecords& f);

/// The simulator's part of the flight set-up, in order: active version,
/// init_settings_0, flight plan, init_settings_1, glider data (with the flap table)
/// and VNE. The glider's masses start afresh; a flight plan that cannot be opened
/// leaves the plan and the glider's names and options of the flight before.
void learn_flight_from_simulator(FlightFacts& flight, FlightRecords& f, const Settings& settings);

} // namespace kalveo
