// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Action = CommandLine::Action;

CommandLine parse(std::initializer_list<std::string_view> arguments, const std::vector<std::filesystem::path>& dirs,
                  const std::filesystem::path& working_dir = std::filesystem::current_path())
{
    const std::vector<std::string_view> list(arguments);
    return parse_command_line(list, installed_skin_folders(dirs, {}), working_dir);
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

TEST(CommandLineTest, WithoutASkinTheWorkingDirectoryWinsThenTheInstalledDemo)
{
    TempDir with_skin, without_skin, data, beside_program, empty;
    std::ofstream(with_skin.path() / "tarnel.cfg") << "x";
    std::filesystem::create_directories(data.path() / "vorlunde/skins/demo");
    std::filesystem::create_directories(beside_program.path() / "demo");
    const std::vector<std::filesystem::path> no_data;
    const std::vector<std::filesystem::path> with_data{empty.path(), data.path()};

    struct Case {
        const char* what;
        std::filesystem::path working_dir;
        std::vector<std::filesystem::path> data_dirs;
        std::filesystem::path program_skins;
        std::filesystem::path skin_dir;
    };
    const Case cases[] = {
        {"the working directory's skin", with_skin.path(), with_data, beside_program.path(), {}},
        {"the data folders' demo", without_skin.path(), with_data, beside_program.path(),
         data.path() / "vorlunde/skins/demo"},
        {"the demo beside the program", without_skin.path(), no_data, beside_program.path(),
         beside_program.path() / "demo"},
        {"no demo anywhere: the working directory", without_skin.path(), {empty.path()}, empty.path(), {}},
    };
    for (const Case& c : cases) {
        const CommandLine line =
            parse_command_line({}, installed_skin_folders(c.data_dirs, c.program_skins), c.working_dir);
        EXPECT_EQ(line.action, Action::run) << c.what;
        EXPECT_EQ(line.skin_dir, c.skin_dir) << c.what;
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
