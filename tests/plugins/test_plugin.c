// SPDX-License-Identifier: GPL-3.0-or-later
// A plug-in written in C, built in variants for the plug-in host's tests: without the
// version export, or exporting TEST_PLUGIN_ABI_VERSION. Its draw paints the surface's first
// pixel with TEST_PLUGIN_MARK, so a test sees that the host called it.
#include "vorlunde/plugin.h"

#include <stdlib.h>

#define TEST_PLUGIN_MARK 0xFF123456u

static void start(VorlundePlugin* self, PluginContext* context)
{
    (void)self;
    (void)context;
}

static void draw(VorlundePlugin* self, PluginContext* context)
{
    (void)self;
    if (context->surface && context->surface->pixels)
        context->surface->pixels[0] = TEST_PLUGIN_MARK;
}

static const VorlundePluginFunctions functions = {start, draw};

#ifdef TEST_PLUGIN_ABI_VERSION
VORLUNDE_PLUGIN_EXPORT uint32_t PluginAbiVersion(void)
{
    return TEST_PLUGIN_ABI_VERSION;
}
#endif

VORLUNDE_PLUGIN_EXPORT VorlundePlugin* PluginCreateProc(void)
{
    VorlundePlugin* plugin = malloc(sizeof *plugin);
    if (plugin)
        plugin->functions = &functions;
    return plugin;
}

VORLUNDE_PLUGIN_EXPORT void PluginDestroyProc(VorlundePlugin* plugin)
{
    free(plugin);
}
