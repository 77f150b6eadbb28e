// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {

using Action = CommandLine::Action;

CommandLine parse(std::initializer_list<std::string_view> arguments, const std::vector<std::filesystem::path>& dirs)
{
    const std::vector<std::string_view> list(arguments);
    return parse_command_line(list, dirs);
}

} // namespace

TEST(CommandLineTest, FindsFoldersAndInstalledSkinsAndRejectsTheRest)
{
    TempDir home, system;
    std::filesystem::create_directories(home.path() / "vorlunde/skins/mine");
    std::filesystem::create_directories(system.path() / "vorlunde/skins/mine");
    std::filesystem::create_directories(system.path() / "vorlunde/skins/shared");
    const std::vector<std::filesystem::path> dirs{home.path(), system.path()};
    const std::string folder = (home.path() / "vorlunde/skins/mine").string();

    struct Case {
        std::initializer_list<std::string_view> arguments;
        Action action;
        std::filesystem::path skin_dir;
        std::string error;
    };
    const Case cases[] = {
        {{}, Action::run, {}, {}},
        {{folder}, Action::run, folder, {}},
        {{"mine"}, Action::run, home.path() / "vorlunde/skins/mine", {}}, // the user's before the system's
        {{"shared"}, Action::run, system.path() / "vorlunde/skins/shared", {}},
        {{"--help"}, Action::help, {}, {}},
        {{"--version"}, Action::version, {}, {}},
        {{"missing"}, Action::usage_error, {}, "no skin folder or installed skin named missing"},
        {{"./missing"}, Action::usage_error, {}, "no skin folder ./missing"},
        {{"--loud"}, Action::usage_error, {}, "unknown option --loud"},
        {{"mine", "shared"}, Action::usage_error, {}, "only one skin at a time"},
        {{""}, Action::usage_error, {}, "empty skin name"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parse(c.arguments, dirs);
        const std::string label = c.arguments.size() ? std::string(*c.arguments.begin()) : "(none)";
        EXPECT_EQ(line.action, c.action) << label;
        EXPECT_EQ(line.skin_dir, c.skin_dir) << label;
        EXPECT_EQ(line.error, c.error) << label;
    }
}

TEST(CommandLineTest, DataFoldersFollowTheBaseDirectoryRules)
{
#ifdef _WIN32
    GTEST_SKIP() << "the base directory rules are Linux's: on Windows a path without a drive is not absolute";
#endif
    using Dirs = std::vector<std::filesystem::path>;
    EXPECT_EQ(xdg_data_dirs("", "/home/u", ""), (Dirs{"/home/u/.local/share", "/usr/local/share", "/usr/share"}));
    EXPECT_EQ(xdg_data_dirs("/d", "/home/u", "/a:relative::/b"), (Dirs{"/d", "/a", "/b"}));
    EXPECT_EQ(xdg_data_dirs("relative", "", "/a"), (Dirs{"/a"}));
}
