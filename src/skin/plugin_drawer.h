// SPDX-License-Identifier: GPL-3.0-or-later
// PluginDrawer: how a page lets the plug-ins attached to it draw during a cross-fade.
// PluginSlot is the plug-in host's record of one loaded plug-in; pages only refer to slots,
// the plug-in registry owns them. Implemented by the plug-in host; UI thread only.
#pragma once

class PluginSlot;

class PluginDrawer {
public:
    // Lets the plug-in of `slot` draw into the back buffer.
    virtual void draw_plugin(PluginSlot& slot) = 0;

protected:
    ~PluginDrawer() = default;
};
