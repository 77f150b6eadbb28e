// SPDX-License-Identifier: GPL-3.0-or-later
// ModuleDecoder: tracker modules through libopenmpt. Positions are orders (entered at row
// 0); length is the number of orders − 1. Times are libopenmpt's seconds (its duration of
// the song as it plays once). The song plays once: reading returns 0 at its
// end, which libopenmpt also detects where a backward jump would repeat it, and volume
// ramping stays at libopenmpt's default (on) against clicks.
#pragma once

#include "audio/decoder.h"

struct openmpt_module;

class ModuleDecoder final : public Decoder {
public:
    // nullptr when libopenmpt cannot load the bytes.
    static std::unique_ptr<ModuleDecoder> open(const TrackSource& source);

    ModuleDecoder(const ModuleDecoder&) = delete;
    ModuleDecoder& operator=(const ModuleDecoder&) = delete;
    ~ModuleDecoder() override;

    std::size_t read(std::span<float> interleaved) override;
    std::int64_t position() const override;
    void set_position(std::int64_t order) override;
    std::int64_t length() const override;
    std::int64_t time_us() const override;
    std::int64_t duration_us() const override;
    void set_time_us(std::int64_t time_us) override;

private:
    explicit ModuleDecoder(openmpt_module* module) : module_(module) {}

    openmpt_module* module_;
};
