// SPDX-License-Identifier: GPL-3.0-or-later
#include "watch_loop.h"

#include <gtest/gtest.h>

namespace {

TEST(TarnelSkinWatch, LoadErrorsPointAtTheLineNamingWhatIsMissing)
{
    const char* const manifest = "[[chunk]]\n"
                                 "type = \"page\"   # \"Data\\\\bg.bmp\" in a comment does not count\n"
                                 "background = \"Data\\\\bg.bmp\"\n"
                                 "font = \"list\"\n"
                                 "page = \"day \\\"one\\\"\"\n"
                                 "library = \"./vis.so\"\n";
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"can't find file Data\\bg.bmp in datafile", 3},
        {"config file corrupted, can't find font named list", 4},
        {"config file corrupted, can't find page named day \"one\"", 5},
        {"can't load plugin ./vis.so", 6},
        {"can't find file Data\\other.bmp in datafile", std::nullopt},
        {"can't find file Data\\bg in datafile", std::nullopt},
        {"config file corrupted, bad chunk length", std::nullopt},
    };
    for (const auto& [error, line] : cases)
        EXPECT_EQ(load_error_line(manifest, error), line) << error;
}

} // namespace
