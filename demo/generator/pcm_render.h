// SPDX-License-Identifier: GPL-3.0-or-later
// pcm_render: plays a Composition on the instrument bank into 44.1 kHz interleaved stereo
// float, the way a tracker would (a voice's new note ends the previous one, held notes
// follow their envelope), then adds a soft stereo echo and scales the peak to `peak`.
// The result lasts the piece plus a tail of `tail_seconds`.
#pragma once

#include "composition.h"
#include "instrument.h"

#include <span>
#include <vector>

std::vector<float> render_pcm(const Composition& piece, std::span<const Instrument> bank, double tail_seconds, float peak);
