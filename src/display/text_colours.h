// display/text_colours: the colours of the text window's fields that change with the flight:
// the flap advice with its blinking, and the averages by their run state.
#pragma once

#include "display/records.h"

namespace kalveo {

/// Flap text colour with no advice pending, when the advice colour is on.
inline constexpr RgbF kFlapsInPlaceGreen{0.0F, 1.0F, 0.0F};

/// Whether a flap change advice blinks at `now` (s): a change is advised, the glider banks
/// less than FlapMxBank (whole degrees), and the advice is younger than MaxBlink seconds.
[[nodiscard]] bool flap_advice_blinking(const DisplayStateRecord& s, double now);

/// The flap arrow's colour (and the flap text's with DisFla 2): the blink partner ColFlap1 in
/// blink phase 1 while the advice blinks, else ColFlap0.
[[nodiscard]] RgbF flap_colour(const DisplayStateRecord& s, double now);

/// The flap text's colour: ColFlap0 with DisFla 1; with DisFla 2 the flap colour while a
/// change is advised and green with none.
[[nodiscard]] RgbF flap_text_colour(const DisplayStateRecord& s, double now);

/// Netto average: ColAvN0 after a reset (netto average reset), else ColAvN1.
[[nodiscard]] RgbF netto_average_colour(const DisplayStateRecord& s);
/// Climb average: ColInt1 while running (climb average running), else ColInt0.
[[nodiscard]] RgbF integrator_colour(const DisplayStateRecord& s);

} // namespace kalveo
