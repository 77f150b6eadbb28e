// SPDX-License-Identifier: GPL-3.0-or-later
// ShellWindow: the window commands of the command processor. Each acts on the main window
// and does nothing while none exists. UI thread only.
#pragma once

class ShellWindow {
public:
    virtual void show_window() = 0;
    virtual void hide_window() = 0;
    virtual void minimise_window() = 0;
    // Ends the main loop after the current step; the ordered shut-down follows.
    virtual void quit() = 0;

protected:
    ~ShellWindow() = default;
};
