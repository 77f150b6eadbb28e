// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tick_schedule.h"
#include "platform/wake_up_post.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace std::chrono_literals;

namespace {

// One step on the schedule at time `at`, and what a wait there would see afterwards.
struct Step {
    enum { start, stop, set_next, check } action;
    std::uint64_t at;
    std::optional<std::chrono::milliseconds> delay; // period for start, delay for set_next
    bool tick = false;                              // check: a tick was due
    std::optional<std::uint64_t> timeout;           // the wait's timeout after the step
};

} // namespace

TEST(TickSchedule, TicksFollowThePeriodTheNextTickAndStops)
{
    const std::vector<std::vector<Step>> cases = {
        // not started: never a tick, the wait sleeps until an event
        {{Step::check, 100, {}, false, {}}},
        // a tick each period; early checks take none and wait for the rest
        {{Step::start, 0, 10ms, false, 10}, {Step::check, 4, {}, false, 6}, {Step::check, 10, {}, true, 10},
         {Step::check, 20, {}, true, 10}},
        // late ticks are not made up: one tick, the next one at least 1 ms on
        {{Step::start, 0, 10ms, false, 10}, {Step::check, 55, {}, true, 1}, {Step::check, 56, {}, true, 10}},
        // a moved tick, then the period again; a dropped one sleeps until an event
        {{Step::start, 0, 10ms, false, 10}, {Step::set_next, 2, 30ms, false, 30}, {Step::check, 32, {}, true, 10},
         {Step::set_next, 33, {}, false, {}}, {Step::check, 500, {}, false, {}}},
        // a negative delay is due at once; a zero period ticks every millisecond
        {{Step::start, 0, 0ms, false, 1}, {Step::set_next, 5, -3ms, false, 0}, {Step::check, 5, {}, true, 1}},
        // stopped: no tick and no timeout, whatever was set; a restart counts from then
        {{Step::start, 0, 10ms, false, 10}, {Step::stop, 3, {}, false, {}}, {Step::set_next, 4, 1ms, false, {}},
         {Step::check, 20, {}, false, {}}, {Step::start, 20, 10ms, false, 10}},
    };
    for (std::size_t c = 0; c < cases.size(); ++c) {
        TickSchedule schedule;
        for (std::size_t s = 0; s < cases[c].size(); ++s) {
            const Step& step = cases[c][s];
            bool tick = false;
            switch (step.action) {
            case Step::start: schedule.start(step.at, *step.delay); break;
            case Step::stop: schedule.stop(); break;
            case Step::set_next: schedule.set_next(step.at, step.delay); break;
            case Step::check: tick = schedule.take_due(step.at); break;
            }
            EXPECT_EQ(tick, step.tick) << "case " << c << " step " << s;
            EXPECT_EQ(schedule.wait_timeout(step.at), step.timeout) << "case " << c << " step " << s;
        }
    }
}

TEST(WakeUpPost, OnePostIsOnItsWayAndAFailedOneIsTriedAgain)
{
    WakeUpPost wake;
    int posts = 0;
    bool queue_full = true;
    const auto post = [&] {
        ++posts;
        return !queue_full;
    };
    wake.request(post); // fails
    queue_full = false;
    wake.request(post); // not silenced by the failure
    EXPECT_EQ(posts, 2);
    wake.request(post); // coalesced with the one on its way
    EXPECT_EQ(posts, 2);
    wake.taken();
    wake.request(post);
    EXPECT_EQ(posts, 3);
}
