// Each window is redrawn for what it shows: the waiting text does not redraw the horizon, the
// horizon's attitude and marks do.
#include "display/display_state.h"
#include "display/window_events.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

TEST(HorizonRedraw, TheHorizonKeyFollowsWhatTheHorizonShows) {
    const DisplayStateRecord saved;
    DisplayStateRecord s = saved;
    const double now = 5000.0;
    const std::size_t horizon = horizon_state_key(s, now);
    const std::size_t text = text_state_key(s, now);
    // The waiting text and the strip's fields are not on the horizon.
    s.count += 40;
    s.buf_clk = "12:00:01";
    s.nvario += 1.0F;
    EXPECT_EQ(horizon_state_key(s, now), horizon);
    EXPECT_NE(text_state_key(s, now), text);
    s = saved;
    // Everything the horizon draws is.
    for (auto change : std::initializer_list<void (*)(DisplayStateRecord&)>{
             [](DisplayStateRecord& d) { d.bank += 1.0F; },
             [](DisplayStateRecord& d) { d.WindDir += 1.0F; },
             [](DisplayStateRecord& d) { d.DisSli = 2; },
             [](DisplayStateRecord& d) { d.GMax += 0.5F; },
             [](DisplayStateRecord& d) { d.ColHDG[0] = 0.5F; },
             [](DisplayStateRecord& d) { d.HOR_Initialized = 1; },
             [](DisplayStateRecord& d) { d.NorthUp = 1 - d.NorthUp; }}) {
        change(s);
        EXPECT_NE(horizon_state_key(s, now), horizon);
        EXPECT_EQ(text_state_key(s, now), text) << "the strip does not show it";
        s = saved;
    }
    // In polar mode the chart's trace too.
    s.Polar = 1;
    const std::size_t polar = horizon_state_key(s, now);
    s.vval[5] = 0.25F;
    EXPECT_NE(horizon_state_key(s, now), polar);
}

} // namespace
} // namespace kalveo
