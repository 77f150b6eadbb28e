// SPDX-License-Identifier: GPL-3.0-or-later
// TrackChooser: sequential and random order, the one-step history of previous, ineligible
// entries, choices that cannot be made, and the never-seeded generator.
#include "audio/track_chooser.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A playlist whose index i has file name names[i] ("" is ineligible).
Playlist playlist_of(const std::vector<std::string>& names)
{
    Playlist playlist;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        playlist.insert_front(make_track_entry(*it, false));
    return playlist;
}

Playlist tracks(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("track" + std::to_string(i) + ".ogg");
    return playlist_of(names);
}

TEST(RandomGeneratorTest, DrawsTheRuntimeSequenceFromSeedOne)
{
    RandomGenerator generator;
    // The first values of the classic runtime's rand() when never seeded.
    for (const int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358})
        EXPECT_EQ(generator.next(), expected);
}

TEST(TrackChooserTest, SequentialOrderWrapsBothWays)
{
    const Playlist playlist = tracks(17);
    TrackChooser chooser;
    ASSERT_TRUE(chooser.select(playlist, 16));
    chooser.choose_next(playlist);
    EXPECT_EQ(chooser.current_index(), 0);
    chooser.choose_previous(playlist);
    EXPECT_EQ(chooser.current_index(), 16);
    EXPECT_EQ(chooser.previous_index(), -1);
}

TEST(TrackChooserTest, IneligibleEntriesAreSkippedBothWaysAndNeverSelected)
{
    const Playlist playlist = playlist_of({"a.ogg", "", "", "d.xm", ""});
    TrackChooser chooser;
    chooser.choose_next(playlist);
    EXPECT_EQ(chooser.current_index(), 3);
    chooser.choose_next(playlist);
    EXPECT_EQ(chooser.current_index(), 0);
    chooser.choose_previous(playlist);
    EXPECT_EQ(chooser.current_index(), 3);
    EXPECT_FALSE(chooser.select(playlist, 1));
    EXPECT_FALSE(chooser.select(playlist, 5));
    EXPECT_FALSE(chooser.select(playlist, -1));
    EXPECT_EQ(chooser.current_index(), 3);
}

TEST(TrackChooserTest, RandomNextFollowsTheGeneratorAndNeverStays)
{
    const Playlist playlist = tracks(17);
    TrackChooser chooser;
    chooser.toggle_random();
    // 41 % 17 = 7, 18467 % 17 = 5, 6334 % 17 = 10: none equals the index it leaves.
    for (const int expected : {7, 5, 10}) {
        chooser.choose_next(playlist);
        EXPECT_EQ(chooser.current_index(), expected);
    }
    for (int i = 0; i < 200; ++i) {
        const std::int32_t left = chooser.current_index();
        chooser.choose_next(playlist);
        EXPECT_NE(chooser.current_index(), left);
        EXPECT_EQ(chooser.previous_index(), left);
    }
}

TEST(TrackChooserTest, TwoRunsDrawTheSameSequence)
{
    const Playlist playlist = tracks(9);
    auto run = [&playlist] {
        TrackChooser chooser;
        chooser.toggle_random();
        std::vector<std::int32_t> visited;
        for (int i = 0; i < 50; ++i) {
            if (i % 7 == 3)
                chooser.choose_previous(playlist);
            else
                chooser.choose_next(playlist);
            visited.push_back(chooser.current_index());
        }
        return visited;
    };
    const auto first = run();
    EXPECT_EQ(first, run());
    EXPECT_GT(std::set<std::int32_t>(first.begin(), first.end()).size(), 5u);
}

TEST(TrackChooserTest, RandomPreviousUsesTheHistoryOnce)
{
    const Playlist playlist = tracks(17);
    TrackChooser chooser;
    chooser.toggle_random();
    chooser.choose_next(playlist); // 0 -> 7
    chooser.choose_next(playlist); // 7 -> 5
    chooser.choose_previous(playlist);
    EXPECT_EQ(chooser.current_index(), 7);
    EXPECT_EQ(chooser.previous_index(), -1);
    chooser.choose_previous(playlist); // history used up: a draw, 6334 % 17 = 10
    EXPECT_EQ(chooser.current_index(), 10);
}

TEST(TrackChooserTest, SequentialPreviousClearsTheHistoryForRandom)
{
    const Playlist playlist = tracks(17);
    TrackChooser chooser;
    chooser.choose_next(playlist); // 0 -> 1, history 0
    chooser.choose_previous(playlist);
    EXPECT_EQ(chooser.current_index(), 0);
    chooser.toggle_random();
    chooser.choose_previous(playlist); // no history: draws 41 % 17 = 7
    EXPECT_EQ(chooser.current_index(), 7);
}

TEST(TrackChooserTest, ChoicesThatCannotBeMadeStayOnTheCurrentIndex)
{
    struct Case {
        const char* what;
        std::vector<std::string> names;
        bool random;
        std::int32_t start;
    };
    const std::vector<Case> cases{
        {"empty playlist", {}, false, 0},
        {"empty playlist at random", {}, true, 0},
        {"nothing eligible", {"", "", ""}, false, 1},
        {"nothing eligible at random", {"", "", ""}, true, 1},
        {"one eligible track at random", {"", "only.ogg", ""}, true, 1},
    };
    for (const Case& c : cases) {
        const Playlist playlist = playlist_of(c.names);
        TrackChooser chooser;
        if (c.start != 0) {
            ASSERT_TRUE(chooser.select(playlist_of({"x.ogg", "y.ogg"}), c.start));
        }
        if (c.random)
            chooser.toggle_random();
        chooser.choose_next(playlist);
        EXPECT_EQ(chooser.current_index(), c.start) << c.what;
        chooser.choose_previous(playlist);
        EXPECT_EQ(chooser.current_index(), c.start) << c.what;
    }
}

TEST(TrackChooserTest, OneEligibleTrackInSequenceIsChosenAgain)
{
    const Playlist playlist = playlist_of({"", "only.ogg"});
    TrackChooser chooser;
    chooser.choose_next(playlist);
    EXPECT_EQ(chooser.current_index(), 1);
    chooser.choose_next(playlist);
    EXPECT_EQ(chooser.current_index(), 1);
}

TEST(TrackChooserTest, ResetClearsModesAndIndices)
{
    const Playlist playlist = tracks(3);
    TrackChooser chooser;
    chooser.toggle_random();
    chooser.toggle_repeat();
    chooser.choose_next(playlist);
    chooser.reset();
    EXPECT_EQ(chooser.current_index(), 0);
    EXPECT_EQ(chooser.previous_index(), 0);
    EXPECT_FALSE(chooser.random());
    EXPECT_FALSE(chooser.repeat());
}

} // namespace
