// flight/flight_setup: what the first datagram of a flight learns from the simulator
// (version, controls, units, altimeter, flight plan, glider and VNE) and the alarm
// thresholds and fixed display values that follow from it.
#pragma once

#include "config/settings_value.h"
#include "flight/outputs.h"
#include "flight/records.h"
#include "glider/glider_data.h"

namespace kalveo {

/// The simulator's controls and options files, its units and the atmosphere model.
/// A missing or unreadable file is told to the pilot and stops the program.
void init_settings_0(FlightRecords& f);

/// Altimeter reference: QFE keeps the altitude offset of the flight plan, QNH drops it.
void init_settings_1(FlightRecords& f);

/// Margins and VNE in m/s (settings values in display units, defaults by unit), the
/// flap table in the log, the flight's fixed values to the display, the alarm speeds.
/// Returns what the display's upd_vne returns (0 when none is connected).
int init_settings_2(FlightRecords& f, const FlightOutputs& out, const DisplaySettings& display);

/// After the glider lookup: the VNE is the glider data's when it found one, else
/// the "VNE" setting `vne_setting` (display units, below -1000 when unset) in m/s,
/// else it stays unset for init_settings_2's default.
void settle_vne(FlightRecords& f, double vne_setting);

/// The glider values in force, from the flight's records `f`, gggmas and ggg001:
/// what a glider lookup starts from.
[[nodiscard]] GliderValues current_glider_values(const FlightRecords& f);

/// Stores what the glider lookup found in the flight's records `f`, gggmas and ggg001.
void store_glider_values(FlightRecords& f, const GliderValues& values);

/// Default VNE (m/s) of the display unit, for a glider without one.
[[nodiscard]] double default_vne(const FlightRecords& f);

/// The simulator's part of the flight set-up, in order: active version,
/// init_settings_0, flight plan, init_settings_1, glider data and VNE.
void learn_flight_from_simulator(FlightRecords& f);

} // namespace kalveo
