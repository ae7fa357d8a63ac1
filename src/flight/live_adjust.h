// flight/live_adjust: the volume steps of the pilot's volume keys.
#pragma once

namespace kalveo {

/// The volume after one step up or down: small steps where the ear is sensitive, within 0..1,
/// to the hundredth.
[[nodiscard]] float next_volume_up(float vol);
[[nodiscard]] float next_volume_down(float vol);

} // namespace kalveo
