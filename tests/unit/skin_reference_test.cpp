// SPDX-License-Identifier: GPL-3.0-or-later
// docs/skin-reference.md against the tool: its command and key tables are what
// `tarnel-skin commands` and `tarnel-skin keys` print, and every TOML example builds.
#include "command_table.h"
#include "commands.h"
#include "key_names.h"
#include "media/png_writer.h"
#include "platform/headless/headless_platform.h"
#include "skin_manifest.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string reference_text()
{
    std::ifstream in(std::filesystem::path(VORLUNDE_DOCS_DIR) / "skin-reference.md");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text between "<!-- MARKER -->\n" and the next "<!-- end -->".
std::string generated_part(const std::string& page, const std::string& marker)
{
    const std::string start = "<!-- " + marker + " -->\n";
    const std::size_t from = page.find(start);
    if (from == std::string::npos)
        return "no " + marker + " part";
    const std::size_t to = page.find("<!-- end -->", from);
    return page.substr(from + start.size(), to - from - start.size());
}

std::vector<std::string> toml_examples(const std::string& page)
{
    std::vector<std::string> examples;
    const std::string open = "```toml\n", close = "```\n";
    for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at)) {
        const std::size_t end = page.find(close, at + open.size());
        examples.push_back(page.substr(at + open.size(), end - at - open.size()));
        at = end;
    }
    return examples;
}

TEST(SkinReference, TablesAreTheToolsOwn)
{
    const std::string page = reference_text();
    EXPECT_EQ(generated_part(page, "tarnel-skin commands"), commands_markdown());
    EXPECT_EQ(generated_part(page, "tarnel-skin keys"), keys_markdown());
}

// Every example builds; source files it names are made first (pictures of the window's size,
// art at twice the size twice that, any bytes for the rest). An example of page elements alone gets a page to stand in. The
// first, a whole skin, builds without a warning and loads as the player loads it.
TEST(SkinReference, EveryExampleBuilds)
{
    const std::vector<std::string> examples = toml_examples(reference_text());
    ASSERT_GE(examples.size(), 4u);
    for (std::size_t i = 0; i < examples.size(); ++i) {
        SCOPED_TRACE(examples[i]);
        TempDir dir;
        std::string text = examples[i];
        if (text.starts_with("[[chunk.element]]"))
            text = "[[chunk]]\ntype = \"page\"\nname = \"dzien\"\n" + text;
        const SkinManifest manifest = parse_manifest(text, "example.toml", dir.path());
        const int width = static_cast<int>(manifest.config.values.number(1)) > 0 ? static_cast<int>(manifest.config.values.number(1)) : 8;
        const int height = static_cast<int>(manifest.config.values.number(2)) > 0 ? static_cast<int>(manifest.config.values.number(2)) : 8;
        const auto make_source = [&](const std::filesystem::path& path, int scale) {
            std::filesystem::create_directories(path.parent_path());
            if (path.extension() == ".png")
                write_png(path, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height * scale * scale), 0xFF406080u),
                          width * scale, height * scale);
            else
                std::ofstream(path) << "bytes";
        };
        for (const ManifestFile& file : manifest.files) {
            if (file.text)
                continue;
            make_source(file.path, 1);
            if (file.source_2x)
                make_source(*file.source_2x, 2);
        }
        const auto path = dir.write("skin.toml", std::vector<std::uint8_t>(text.begin(), text.end()));
        std::ostringstream out;
        ASSERT_NO_THROW(build_skin(path, dir.path(), out));
        if (i == 0) {
            EXPECT_EQ(out.str().find("warning"), std::string::npos) << out.str();
            EXPECT_NO_THROW(check_skin(dir.path(), [](bool layered) { return std::make_unique<HeadlessPlatform>(layered); }));
        }
    }
}

} // namespace
