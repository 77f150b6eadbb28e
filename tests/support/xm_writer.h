// XmWriter: makes small FastTracker 2 (.xm) modules for tests and benchmarks: one
// instrument playing a looped sine cycle, one pattern used by every order, notes on every
// channel every `note_every_rows` rows. With speed 6 and 125 BPM a row lasts 5,292 frames at
// 44.1 kHz, so a module of `orders` × `rows` rows lasts a known time.
#pragma once

#include <cstdint>
#include <vector>

struct XmSong {
    int orders = 3;
    int rows = 16;
    int channels = 1;
    int note_every_rows = 16;
    int speed = 6; // ticks per row
    int bpm = 125;

    // Frames the song lasts at 44.1 kHz (2.5 / bpm seconds a tick).
    std::int64_t frames() const { return std::int64_t{orders} * rows * speed * 44100 * 5 / (2 * bpm); }
};

std::vector<std::uint8_t> make_xm(const XmSong& song);
