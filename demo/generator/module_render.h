// SPDX-License-Identifier: GPL-3.0-or-later
// module_render: writes a Composition as a FastTracker 2 module played by the instrument
// bank. One channel a voice, one row a step (so the module's BPM is the piece's tempo at
// speed 6), one pattern every four bars. Held instruments get a volume envelope and a key
// off at the note's end; one-shots play out.
#pragma once

#include "composition.h"
#include "instrument.h"
#include "media/xm_writer.h"

#include <span>
#include <string>

XmModule module_of(const Composition& piece, std::span<const Instrument> bank, const std::string& name);
