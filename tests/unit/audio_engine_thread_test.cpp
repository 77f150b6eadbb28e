// SPDX-License-Identifier: GPL-3.0-or-later
// Track ends on a real audio thread against a burst of commands from the test's thread.
// Run under ThreadSanitizer it shows that the engine's state is never touched by both at
// once; in any build it shows that ends keep moving on and every end is posted once.
#include "audio/audio_engine.h"
#include "media/sndfile_encoder.h"
#include "media/xm_writer.h"
#include "platform/headless/headless_audio_device.h"
#include "recording_sink.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

TEST(AudioEngineThreadTest, TrackEndsOnTheAudioThreadAgainstACommandBurst)
{
    TempDir dir;
    RecordingSink sink;
    DataArchive archive;
    AudioEngine engine{sink, archive};
    const auto blip = encode_pcm(sine_pcm(500.0, 2000, 0.5f), EncodedFormat::ogg_vorbis);
    const auto song = make_xm(XmSong{.orders = 2, .rows = 1, .speed = 1}); // about 40 ms
    Tracklists lists;
    for (int i = 0; i < 6; ++i) {
        const std::string name = i % 3 == 2 ? "song" + std::to_string(i) + ".xm" : "blip" + std::to_string(i) + ".ogg";
        lists.add_playlist_track(name, dir.write(name, i % 3 == 2 ? song : blip).string());
    }
    engine.use_tracklists(std::move(lists));
    engine.toggle_random();
    engine.play_current();

    HeadlessAudioDevice device;
    device.open(engine);
    std::atomic<bool> done{false};
    std::thread audio([&] {
        while (!done.load()) // ends when the burst below is over
            device.render(512);
    });

    // At least 400 commands, and on until 20 track ends have happened among them.
    auto ends = [&sink] { return sink.count(command_value(CommandId::track_changed_by_itself)); };
    for (int round = 0; round < 400 || (ends() < 20 && round < 200'000); ++round) {
        switch (round % 10) {
        case 0: engine.next_track(); break;
        case 1: engine.previous_track(); break;
        case 2: engine.toggle_pause(); break;
        case 3: engine.play_current(); break;
        case 4: engine.seek_forward(); break;
        case 5: engine.slide_current_volume(round % 20 == 5 ? AudioOperations::slide_to_stop : 80, 5); break;
        case 6: engine.play_track(round % 6); break;
        case 7: engine.toggle_random(); break;
        case 8: engine.get_spectrum(); break;
        default: engine.seek_percent(40.0f); break;
        }
        (void)engine.current_index();
        (void)engine.current_activity();
        std::this_thread::yield();
    }
    done = true;
    audio.join();
    EXPECT_GE(ends(), 20u);

    // Afterwards the engine still moves on by itself: three more ends within a few tracks' frames.
    // (Restarted, as a fade-out begun in the burst may still be running.)
    engine.stop_current();
    engine.play_current();
    const std::size_t ends_before = ends();
    // The test pulls far faster than a device would, so it lets the loader keep up.
    for (int pull = 0; pull < 1000 && ends() < ends_before + 3; ++pull) {
        engine.wait_for_loader();
        device.render(512);
    }
    EXPECT_GE(ends(), ends_before + 3);
    EXPECT_GE(engine.current_index(), 0);
    EXPECT_LT(engine.current_index(), 6);
}

} // namespace
