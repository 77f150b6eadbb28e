// SPDX-License-Identifier: GPL-3.0-or-later
// MessageRouter: turns platform events into calls on the current page, into commands, or
// into window moves. "Pages present" means the registry holds a page; the current page is
// looked up by name for every event. While the tray icon is shown left presses and releases
// are ignored. A left press that no page element takes moves the window. The second press
// of a double click reaches the page as a press and then as on_double_click.
// Borrowed collaborators must outlive the router. UI thread only.
#pragma once

#include "app/page_registry_view.h"
#include "app/shell_state.h"
#include "app/shell_window.h"
#include "app/tray_icon.h"
#include "base/command.h"
#include "platform/clock.h"
#include "platform/event.h"
#include "platform/window.h"

class MessageRouter {
public:
    struct Targets {
        ShellState& shell;
        const Clock& clock;
        const PageRegistryView& pages;
        TrayIcon& tray;
        Window& window;
        CommandSink& commands;
        ShellWindow& shell_window;
    };

    explicit MessageRouter(Targets targets) : t_(targets) {}

    void route(const Event& event);

private:
    // The current page, or nullptr when no pages are present or none carries the name.
    PageHandlers* current_page() const;
    void left_down(const Event& event);
    void tray_menu_choice(std::uint16_t id);

    Targets t_;
};
