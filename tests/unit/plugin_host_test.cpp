// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/fft_spectrum_analyzer.h"
#include "base/skin_error.h"
#include "platform/audio_device.h"
#include "platform/headless/headless_libraries.h"
#include "skin/plugin_host.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The public header describes the spectrum that the analyzer makes and the mixer's rate.
static_assert(FftSpectrumAnalyzer::bin_count == VORLUNDE_SPECTRUM_BINS);
static_assert(FftSpectrumAnalyzer::window_size == VORLUNDE_SPECTRUM_WINDOW);
static_assert(AudioDevice::sample_rate == VORLUNDE_SPECTRUM_SAMPLE_RATE);

// What the test plug-ins saw, in call order: "<tag> start" / "<tag> draw <page>".
std::vector<std::string>& calls()
{
    static std::vector<std::string> log;
    return log;
}

template <char Tag>
class RecordingPlugin final : public VorlundePlugin {
public:
    void start(PluginContext*) override { calls().push_back(std::string(1, Tag) + " start"); }
    void draw(PluginContext* context) override
    {
        calls().push_back(std::string(1, Tag) + " draw " + plugin_string_text(&context->page_name));
    }
    ~RecordingPlugin() = default;
};

template <char Tag>
VorlundePlugin* create_recording()
{
    return new RecordingPlugin<Tag>;
}

template <char Tag>
void destroy_recording(VorlundePlugin* plugin)
{
    calls().push_back(std::string(1, Tag) + " destroy");
    delete static_cast<RecordingPlugin<Tag>*>(plugin);
}

VorlundePlugin* create_nothing()
{
    return nullptr;
}

void* symbol(auto function)
{
    return reinterpret_cast<void*>(function);
}

std::string error_of(PluginHost& host, const std::string& file)
{
    try {
        host.load_plugin("p", file);
    } catch (const SkinError& error) {
        return error.what();
    }
    return "no error";
}

class PluginHostTest : public testing::Test {
protected:
    PluginHostTest()
    {
        calls().clear();
        libraries.add("a.so", {{"PluginCreateProc", symbol(create_recording<'a'>)},
                               {"PluginDestroyProc", symbol(destroy_recording<'a'>)}});
        libraries.add("b.so", {{"PluginCreateProc", symbol(create_recording<'b'>)},
                               {"PluginDestroyProc", symbol(destroy_recording<'b'>)}});
        libraries.add("no-export.so", {{"SomethingElse", symbol(create_nothing)}});
        libraries.add("null.so", {{"PluginCreateProc", symbol(create_nothing)}});
    }

    CallLog log;
    HeadlessLibraries libraries{log};
    TempDir dir;
};

TEST_F(PluginHostTest, ReportsEachLoadFailureWithTheFileName)
{
    PluginHost host(libraries, dir.path());
    EXPECT_EQ(error_of(host, "missing.so"), "can't load plugin missing.so");
    EXPECT_EQ(error_of(host, "no-export.so"), "can't find PluginCreateProc in no-export.so");
    EXPECT_EQ(error_of(host, "null.so"), "can't create plugin class from null.so");
    EXPECT_EQ(host.plugin_count(), 0u);
    EXPECT_EQ(log, (CallLog{"library load no-export.so", "library unload no-export.so", "library load null.so",
                            "library unload null.so"}))
        << "a library that yields no plug-in is unloaded at once";
}

TEST_F(PluginHostTest, StartsNewestFirstDrawsOnRequestAndReleasesThroughTheLibrary)
{
    {
        PluginHost host(libraries, dir.path());
        host.load_plugin("scope", "a.so");
        host.load_plugin("scope", "b.so");
        host.load_plugin("idle", "a.so");
        EXPECT_EQ(host.find_plugin("scope")->file_name(), "b.so") << "the newest of equal names";
        EXPECT_EQ(host.find_plugin("Scope"), nullptr);

        host.start_plugins();
        EXPECT_EQ(calls(), (std::vector<std::string>{"a start", "b start", "a start"})) << "every plug-in once";

        calls().clear();
        host.set_page_name("a page name longer than sixteen bytes");
        host.draw_plugin(*host.find_plugin("scope"));
        host.set_page_name("dzien");
        host.draw_plugin(*host.find_plugin("scope"));
        EXPECT_EQ(calls(), (std::vector<std::string>{"b draw a page name longer than sixteen bytes", "b draw dzien"}));
        calls().clear();
        log.clear();
    }
    EXPECT_EQ(calls().size(), 3u) << "every object handed back to its library";
    EXPECT_EQ(log.size(), 3u) << "every library unloaded";
}

TEST_F(PluginHostTest, RelativeNamesAreLookedForInTheSkinFolderFirst)
{
    const auto local = dir.write("local.so", std::vector<std::uint8_t>{0});
    libraries.add(local.string(), {{"PluginCreateProc", symbol(create_recording<'l'>)},
                                   {"PluginDestroyProc", symbol(destroy_recording<'l'>)}});
    libraries.add("local.so", {{"PluginCreateProc", symbol(create_recording<'s'>)},
                               {"PluginDestroyProc", symbol(destroy_recording<'s'>)}});
    PluginHost host(libraries, dir.path());
    host.load_plugin("here", "local.so");
    host.load_plugin("dotted", "./local.so"); // the skin folder, not the process's working directory
    host.load_plugin("path", "a.so");         // not in the folder: the loader's search path
    EXPECT_EQ(log, (CallLog{"library load " + local.string(), "library load " + local.string(), "library load a.so"}));
}

TEST_F(PluginHostTest, ContextCarriesTitlesAndPlaybackState)
{
    PluginHost host(libraries, dir.path());
    const PluginContext& context = host.context();
    EXPECT_EQ(context.titles, nullptr);
    EXPECT_EQ(context.title_count, 0);

    const std::vector<std::string> titles{"short", "exactly fifteen", "sixteen bytes!!!", ""};
    host.set_titles(titles);
    ASSERT_EQ(context.title_count, 4);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        EXPECT_STREQ(plugin_string_text(&context.titles[i]), titles[i].c_str());
        EXPECT_EQ(context.titles[i].length, titles[i].size());
        EXPECT_GE(context.titles[i].capacity, 15u);
    }
    host.set_titles(std::vector<std::string>{"only"});
    EXPECT_EQ(context.title_count, 1) << "a later playlist replaces the titles";

    std::vector<std::uint32_t> pixels(8 * 4);
    const float spectrum[512]{};
    host.set_surface(pixels.data(), 8, 4, 8);
    host.set_current_track(7);
    host.set_event(0x42);
    host.set_spectrum(spectrum);
    host.set_playing(true);
    EXPECT_EQ(context.surface->pixels, pixels.data());
    EXPECT_EQ(context.surface->width, 8);
    EXPECT_EQ(context.current_track, 7);
    EXPECT_EQ(context.event, 0x42);
    EXPECT_EQ(context.spectrum, spectrum);
    EXPECT_EQ(context.playing, 1);

    host.release_titles();
    EXPECT_EQ(context.titles, nullptr) << "no pointer to released strings stays behind";
}

} // namespace
