// SPDX-License-Identifier: GPL-3.0-or-later
// HeadlessTray: a Tray that records its calls in the CallLog ("tray show TIP", "tray remove",
// "tray menu") and keeps the last menu it popped. Not thread-safe.
#pragma once

#include "platform/headless/call_log.h"
#include "platform/tray.h"

#include <vector>

class HeadlessTray final : public Tray {
public:
    explicit HeadlessTray(CallLog& log) : log_(log) {}

    void show_icon(const std::string& tip) override;
    void remove_icon() override;
    void pop_menu(std::span<const TrayMenuEntry> entries) override;

    bool icon_shown() const { return shown_; }
    const std::vector<TrayMenuEntry>& last_menu() const { return last_menu_; }

private:
    CallLog& log_;
    bool shown_ = false;
    std::vector<TrayMenuEntry> last_menu_;
};
