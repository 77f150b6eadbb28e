// Track ends on a real audio thread against a burst of commands from the test's thread.
// Run under ThreadSanitizer it shows that the engine's state is never touched by both at
// once; in any build it shows that ends keep moving on and every end is posted once.
#include "audio/audio_engine.h"
#include "platform/headless/headless_audio_device.h"
#include "recording_sink.h"
#include "sndfile_encoder.h"
#include "temp_dir.h"
#include "xm_writer.h"

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
    for (int i = 0; i < 6; ++i) {
        const std::string name = i % 3 == 2 ? "song" + std::to_string(i) + ".xm" : "blip" + std::to_string(i) + ".ogg";
        engine.add_playlist_track(name, dir.write(name, i % 3 == 2 ? song : blip).string());
    }
    engine.toggle_random();
    engine.play_current();

    HeadlessAudioDevice device;
    device.open(engine);
    std::atomic<bool> done{false};
    std::atomic<bool> audio_finished{false};
    std::thread audio([&] {
        // Bounded: at most a million pulls of 512 frames, however slow the test thread is.
        for (int pull = 0; pull < 1'000'000 && !done.load(); ++pull)
            device.render(512);
        audio_finished = true;
    });

    for (int round = 0; round < 400; ++round) {
        switch (round % 10) {
        case 0: engine.next_track(); break;
        case 1: engine.previous_track(); break;
        case 2: engine.toggle_pause(); break;
        case 3: engine.play_current(); break;
        case 4: engine.seek_forward(); break;
        case 5: engine.slide_current_volume(round % 20 == 5 ? -2 : 80, 5); break;
        case 6: engine.play_track(round % 6); break;
        case 7: engine.toggle_random(); break;
        case 8: engine.get_spectrum(); break;
        default: engine.seek_percent(40.0f); break;
        }
        (void)engine.current_index();
        (void)engine.current_activity();
        std::this_thread::yield();
    }
    engine.play_current();
    // Let the audio thread see some ends with nothing else going on.
    const std::size_t ends_before = sink.count(AudioEngine::track_changed_by_itself);
    while (sink.count(AudioEngine::track_changed_by_itself) < ends_before + 3 && !audio_finished.load())
        std::this_thread::yield();
    done = true;
    audio.join();
    device.close();

    EXPECT_GE(sink.count(AudioEngine::track_changed_by_itself), ends_before + 3);
    EXPECT_GE(engine.current_index(), 0);
    EXPECT_LT(engine.current_index(), 6);
}

} // namespace
