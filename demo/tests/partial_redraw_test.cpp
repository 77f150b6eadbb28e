// SPDX-License-Identifier: GPL-3.0-or-later
// Partial redraws against whole ones: the player runs headless on the demo skin through a
// long seeded stream of input, commands, playback and clock steps. After every frame on a
// still page (no fade, no cross-fade, not in the tray) both the back buffer and the window's
// presented picture must equal, byte for byte, a whole redraw of the same state.
#include "app/player.h"
#include "app/window_placement.h"
#include "platform/headless/headless_platform.h"
#include "tagged_plugins.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <array>
#include <random>

namespace {

const std::filesystem::path skin_dir = DEMO_SKIN_DIR;

// Keys the demo binds, without Escape (the outro would end the run early).
constexpr std::array<std::uint16_t, 12> demo_keys{0x20, 0x0D, 0x53, 0x25, 0x27, 0x26, 0x28, 0x21, 0x22, 0x08, 0x52, 0x5A};
// Commands a skin may post: transport, repeat and random, list and text scrolling, module lamps.
constexpr std::array<std::uint16_t, 14> demo_commands{0x1001, 0x1002, 0x1003, 0x1004, 0x1005, 0x1006, 0x1007,
                                                      0x1008, 0x1009, 0x4001, 0x4002, 0x5001, 0x5002, 0x6001};

class RandomRun {
public:
    RandomRun(HeadlessPlatform& platform, Player& player, unsigned seed)
        : platform_(platform), player_(player), random_(seed)
    {
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // One random input event, or a command posted as the audio thread would.
    void push_step()
    {
        HeadlessEventSource& events = platform_.events();
        const int x = pick(0, 599);
        // Clicks stay off the tray, minimise and close buttons at the top right.
        const int y = x >= 476 ? pick(60, 509) : pick(0, 509);
        const std::uint16_t key = demo_keys[static_cast<std::size_t>(pick(0, demo_keys.size() - 1))];
        switch (pick(0, 9)) {
        case 0:
        case 1:
        case 2: events.push(Event{.kind = EventKind::mouse_move, .x = x, .y = y, .key_state = dragging_ ? key_state_left : std::uint16_t{0}}); break;
        case 3:
            events.push(Event{.kind = EventKind::button_down, .x = x, .y = y});
            dragging_ = true;
            break;
        case 4:
            events.push(Event{.kind = EventKind::button_up, .x = x, .y = y});
            dragging_ = false;
            break;
        case 5: events.push(Event{.kind = EventKind::double_click, .x = x, .y = y}); break;
        case 6: {
            const auto [left, top] = centred_origin(platform_.desktop_rect(), 600, 510);
            events.push(Event{.kind = EventKind::wheel, .x = left + x, .y = top + y,
                              .wheel_delta = static_cast<std::int16_t>(pick(0, 1) ? 120 : -120)});
            break;
        }
        case 7:
            events.push(Event{.kind = EventKind::key_down, .key = key});
            events.push(Event{.kind = EventKind::key_up, .key = key});
            break;
        default: {
            const std::uint16_t id = demo_commands[static_cast<std::size_t>(pick(0, demo_commands.size() - 1))];
            events.push_action([this, id] { player_.commands().post_command(id, 0); });
            break;
        }
        }
    }

    // Time passes: the clock moves and the audio device pulls as much sound.
    void push_time()
    {
        const int ms = pick(0, 3) == 0 ? pick(100, 900) : pick(1, 30);
        platform_.events().push_action([this, ms] {
            check();
            platform_.manual_clock().advance(static_cast<std::uint64_t>(ms));
            if (HeadlessAudioDevice* device = platform_.audio_device())
                device->render(static_cast<std::size_t>(ms) * 441 / 10);
        });
    }

    int compared() const { return compared_; }
    int partial() const { return partial_; }
    int unpresented() const { return unpresented_; }

private:
    // Compares the frame just drawn with a whole redraw, when the page has stood still since
    // the last check (the frame that ends a cross-fade shows the bare background by design).
    void check()
    {
        const ShellState& shell = player_.shell();
        HeadlessWindow* window = platform_.window();
        const bool still = player_.presentation() && window && !shell.page_switch &&
                           shell.presentation_state == PresentationState::none && !platform_.tray().icon_shown();
        const bool comparable = still && last_still_ && last_page_ == shell.current_page && !testing::Test::HasFailure();
        last_still_ = still;
        if (!comparable && window)
            last_present_count_ = window->present_count();
        last_page_ = shell.current_page;
        if (!comparable)
            return;
        const BackBuffer& drawn = *player_.back_buffer();
        BackBuffer whole(drawn.width(), drawn.height());
        player_.presentation()->draw_still_frame(whole);
        ASSERT_TRUE(std::ranges::equal(drawn.pixels(), whole.pixels())) << "back buffer, page " << shell.current_page;
        ASSERT_TRUE(std::ranges::equal(window->frame(), whole.pixels())) << "window, page " << shell.current_page;
        ++compared_;
        if (window->present_count() == last_present_count_)
            ++unpresented_;
        else if (!window->presented_parts().empty())
            ++partial_;
        last_present_count_ = window->present_count();
    }

    HeadlessPlatform& platform_;
    Player& player_;
    std::mt19937 random_;
    bool dragging_ = false;
    bool last_still_ = false;
    std::string last_page_;
    int compared_ = 0;
    int partial_ = 0;
    int unpresented_ = 0;
    int last_present_count_ = 0;
};

TEST(PartialRedraw, EveryFrameOfALongRandomRunEqualsAWholeRedraw)
{
    for (const bool layered : {false, true}) {
        SCOPED_TRACE(layered ? "layered" : "not layered");
        HeadlessPlatform platform(layered);
        // The skin's "./bar_scope.so" is found in its folder and asked for by that path.
        const auto plugin = std::filesystem::absolute(skin_dir / "bar_scope.so").lexically_normal();
        platform.libraries().add(plugin.string(), tagged_plugin_library<'s'>());
        Player player(platform, skin_dir);
        RandomRun run(platform, player, layered ? 7u : 12u);
        for (int step = 0; step < 3000; ++step) {
            run.push_time();
            run.push_step();
        }
        run.push_time();
        EXPECT_EQ(player.run(), 0) << platform.message_boxes().size();
        EXPECT_GT(run.compared(), 1500);
        EXPECT_GT(run.partial(), 300) << "frames presented in part";
        EXPECT_GT(run.unpresented(), 300) << "frames where nothing changed and nothing was presented";
    }
}

} // namespace
