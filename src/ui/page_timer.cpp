// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/page_timer.h"

void PageTimer::tick(std::uint64_t now_ms, CommandSink& sink)
{
    if (static_cast<std::int64_t>(now_ms - start_ms_) > static_cast<std::int64_t>(interval_ms_))
        fired_ = true;
    if (fired_ && armed_) {
        sink.post_command(command_);
        armed_ = false;
    }
}
