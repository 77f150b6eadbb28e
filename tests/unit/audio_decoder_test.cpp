// SPDX-License-Identifier: GPL-3.0-or-later
// The decoders behind the engine: each format from disk and from an archive view, with
// its length, sample-exact seeks and damaged input.
#include "audio/decoder.h"
#include "media/sndfile_encoder.h"
#include "media/xm_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::size_t one_second = 44100;

struct Format {
    const char* file_name;
    TrackKind kind;
};

std::vector<std::uint8_t> make_file(const Format& format)
{
    if (format.kind == TrackKind::module)
        return make_xm(XmSong{});
    const auto pcm = sine_pcm(441.0, 3 * one_second, 0.5f);
    return encode_pcm(pcm, std::string(format.file_name).ends_with(".ogg") ? EncodedFormat::ogg_vorbis : EncodedFormat::mp3);
}

std::vector<float> decode_all(Decoder& decoder)
{
    std::vector<float> all;
    std::vector<float> block(2 * 4096);
    while (const std::size_t got = decoder.read(block))
        all.insert(all.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(2 * got));
    return all;
}

class DecoderTest : public testing::TestWithParam<Format> {
protected:
    void SetUp() override
    {
        bytes = make_file(GetParam());
        path = dir.write(GetParam().file_name, bytes);
    }

    TempDir dir;
    std::vector<std::uint8_t> bytes;
    std::filesystem::path path;
};

TEST_P(DecoderTest, DiskAndArchiveViewDecodeTheSameFrames)
{
    auto from_disk = open_decoder(GetParam().kind, path);
    auto from_view = open_decoder(GetParam().kind, ArchiveFile{bytes});
    ASSERT_TRUE(from_disk && from_view);
    EXPECT_EQ(from_disk->length(), from_view->length());
    const auto disk_frames = decode_all(*from_disk);
    EXPECT_GT(disk_frames.size(), one_second);
    EXPECT_EQ(disk_frames, decode_all(*from_view));
}

TEST_P(DecoderTest, ReadingPastTheEndGivesNothingUntilRewound)
{
    auto decoder = open_decoder(GetParam().kind, ArchiveFile{bytes});
    ASSERT_TRUE(decoder);
    const auto first_pass = decode_all(*decoder);
    std::vector<float> block(64);
    EXPECT_EQ(decoder->read(block), 0u);
    decoder->set_position(0);
    EXPECT_EQ(decode_all(*decoder), first_pass);
}

INSTANTIATE_TEST_SUITE_P(Formats, DecoderTest,
    testing::Values(Format{"tone.xm", TrackKind::module}, Format{"tone.ogg", TrackKind::stream},
        Format{"tone.mp3", TrackKind::stream}),
    [](const auto& param_info) { return std::string(param_info.param.file_name).substr(5); });

class StreamSeekTest : public testing::TestWithParam<EncodedFormat> {};

TEST_P(StreamSeekTest, SeekIsSampleExactAndLengthCountsDecodedFrames)
{
    const auto bytes = encode_pcm(sine_pcm(441.0, 3 * one_second, 0.5f), GetParam());
    auto decoder = open_decoder(TrackKind::stream, ArchiveFile{bytes});
    ASSERT_TRUE(decoder);
    const auto all = decode_all(*decoder);
    EXPECT_EQ(static_cast<std::int64_t>(all.size() / 2), decoder->length());
    EXPECT_EQ(decoder->position(), decoder->length());

    for (const std::int64_t target : {std::int64_t{12345}, std::int64_t{1}, decoder->length() - 100}) {
        decoder->set_position(target);
        EXPECT_EQ(decoder->position(), target);
        std::vector<float> block(2 * 50);
        ASSERT_EQ(decoder->read(block), 50u);
        for (std::size_t i = 0; i < block.size(); ++i)
            ASSERT_NEAR(block[i], all[2 * static_cast<std::size_t>(target) + i], 1e-6f) << "at " << target;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, StreamSeekTest, testing::Values(EncodedFormat::ogg_vorbis, EncodedFormat::mp3));

TEST(ModuleDecoderTest, PositionsAreOrdersAndLengthIsTheLastOrder)
{
    const XmSong song{.orders = 4, .rows = 8};
    const auto bytes = make_xm(song);
    auto decoder = open_decoder(TrackKind::module, ArchiveFile{bytes});
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->length(), 3);
    EXPECT_EQ(decoder->position(), 0);
    decoder->set_position(2);
    EXPECT_EQ(decoder->position(), 2);
    // Two of four orders remain.
    EXPECT_EQ(static_cast<std::int64_t>(decode_all(*decoder).size() / 2), song.frames() / 2);
}

TEST(ModuleDecoderTest, TimesAreTheSongsSeconds)
{
    const XmSong song{.orders = 4, .rows = 8};
    const auto bytes = make_xm(song);
    auto decoder = open_decoder(TrackKind::module, ArchiveFile{bytes});
    ASSERT_TRUE(decoder);
    const double song_us = static_cast<double>(song.frames()) * 1e6 / 44100.0;
    EXPECT_NEAR(static_cast<double>(decoder->duration_us()), song_us, 1000.0);
    EXPECT_EQ(decoder->time_us(), 0);
    decoder->set_position(2);
    EXPECT_NEAR(static_cast<double>(decoder->time_us()), song_us / 2.0, 1000.0) << "order 2 of 4";
    decoder->set_time_us(static_cast<std::int64_t>(song_us * 0.75));
    EXPECT_EQ(decoder->position(), 3);
    EXPECT_NEAR(static_cast<double>(decode_all(*decoder).size() / 2), static_cast<double>(song.frames()) / 4.0, 44.0);
    decoder->set_time_us(-5'000'000);
    EXPECT_EQ(decoder->time_us(), 0) << "clamped to the start";
}

// True when the first seconds of the decoder's output hold a sample that is not silence.
bool audible(Decoder& decoder)
{
    std::vector<float> block(2 * 4096);
    for (int i = 0; i < 50; ++i) {
        const std::size_t got = decoder.read(block);
        if (std::any_of(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(2 * got), [](float s) { return s != 0.0f; }))
            return true;
        if (got == 0)
            break;
    }
    return false;
}

TEST(DecoderDamageTest, BadInputDoesNotSound)
{
    const auto ogg = encode_pcm(sine_pcm(441.0, one_second, 0.5f), EncodedFormat::ogg_vorbis);
    const auto xm = make_xm(XmSong{});
    const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o'};
    const std::vector<std::uint8_t> empty;
    const std::vector<std::uint8_t> truncated_ogg(ogg.begin(), ogg.begin() + 60);
    const std::vector<std::uint8_t> truncated_xm(xm.begin(), xm.begin() + 100);
    struct Case {
        const char* what;
        TrackKind kind;
        const std::vector<std::uint8_t>& bytes;
    };
    for (const Case& bad : {Case{"text as stream", TrackKind::stream, text}, Case{"text as module", TrackKind::module, text},
             Case{"empty stream", TrackKind::stream, empty}, Case{"empty module", TrackKind::module, empty},
             Case{"truncated ogg", TrackKind::stream, truncated_ogg}, Case{"truncated xm", TrackKind::module, truncated_xm},
             Case{"ogg as module", TrackKind::module, ogg}, Case{"xm as stream", TrackKind::stream, xm},
             Case{"kind none", TrackKind::none, ogg}}) {
        // A lenient library may accept a damaged header, but then plays nothing audible.
        auto decoder = open_decoder(bad.kind, ArchiveFile{bad.bytes});
        EXPECT_TRUE(decoder == nullptr || !audible(*decoder)) << bad.what;
    }
    EXPECT_EQ(open_decoder(TrackKind::stream, std::filesystem::path("/nonexistent/track.mp3")), nullptr);
    EXPECT_EQ(open_decoder(TrackKind::module, std::filesystem::path("/nonexistent/track.xm")), nullptr);
}

} // namespace
