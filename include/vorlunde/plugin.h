// SPDX-License-Identifier: MIT
/*
 * vorlunde plug-in interface.
 *
 * A plug-in is a shared library that draws into the player's window during page
 * transitions. The player loads each library a skin names, calls its exported
 *
 *     extern "C" VorlundePlugin* PluginCreateProc(void);
 *
 * once, and keeps the returned object (null means failure). The object's first
 * pointer-sized field points to its table of entry points, called as member functions:
 *
 *     slot 0  start(context)  once, when the presentation begins
 *     slot 1  draw(context)   whenever a page holding the plug-in is drawn faded
 *
 * In C++ this is a class whose first two virtual functions are start and draw, in that
 * order, and which declares no virtual destructor (it would take slot 0).
 *
 * Releasing: the player calls no plug-in operation at shut-down. A library may export
 *
 *     extern "C" void PluginDestroyProc(VorlundePlugin* plugin);
 *
 * and the player calls it once before unloading the library, so the object is freed
 * with the allocator that made it. Without that export the player frees nothing.
 *
 * Every call passes the same PluginContext (same address for the whole run), written by
 * the player on its UI thread between calls. Plug-ins must not keep pointers read from it
 * beyond the call, except the context itself.
 */
#ifndef VORLUNDE_PLUGIN_H
#define VORLUNDE_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The back buffer, 32-bit pixels 0xAARRGGBB (bytes blue, green, red, alpha), rows top
 * first. pitch is the distance between rows in pixels. Draw with alpha 0xFF. */
typedef struct PluginSurface {
    uint32_t* pixels;
    int32_t width;
    int32_t height;
    int32_t pitch;
} PluginSurface;

/* A read-only string: when capacity is below 16 the characters and a terminating zero are
 * held in inline, otherwise pointer points to them. length excludes the terminator. */
typedef struct PluginString {
    void* reserved;
    union {
        char inline_text[16];
        const char* pointer;
    } text;
    size_t length;
    size_t capacity;
} PluginString;

typedef struct PluginContext {
    PluginSurface* surface;    /* the back buffer, set when the window is created */
    uint16_t title_count;      /* entries of titles */
    uint16_t padding0;
    const PluginString* titles; /* playlist titles in configuration order, or null */
    PluginString page_name;    /* the current page name, rewritten every frame */
    uint16_t current_track;    /* playlist index, set whenever a track starts */
    uint16_t event;            /* argument of the last 0x7001 command of this pass, else 0 */
    const float* spectrum;     /* 512 magnitudes of the current track, set every frame */
    uint8_t playing;           /* 1 while the current track plays, set every frame */
    uint8_t padding1[3];
} PluginContext;

#ifdef __cplusplus
#define VORLUNDE_STATIC_ASSERT static_assert
#else
#define VORLUNDE_STATIC_ASSERT _Static_assert
#endif
#if UINTPTR_MAX == 0xFFFFFFFFu
/* On 32-bit builds the block is the 52-byte layout that plug-ins were written against. */
VORLUNDE_STATIC_ASSERT(sizeof(PluginString) == 28, "PluginString layout");
VORLUNDE_STATIC_ASSERT(sizeof(PluginContext) == 52, "PluginContext layout");
VORLUNDE_STATIC_ASSERT(offsetof(PluginContext, current_track) == 40, "PluginContext layout");
#endif

/* Text of a PluginString (zero-terminated). */
static inline const char* plugin_string_text(const PluginString* s)
{
    return s->capacity < 16 ? s->text.inline_text : s->text.pointer;
}

#ifdef __cplusplus
} /* extern "C" */

class VorlundePlugin {
public:
    virtual void start(PluginContext* context) = 0;
    virtual void draw(PluginContext* context) = 0;

protected:
    ~VorlundePlugin() = default;
};

extern "C" {
#else
typedef struct VorlundePlugin VorlundePlugin;
#endif

typedef VorlundePlugin* (*PluginCreateProcType)(void);
typedef void (*PluginDestroyProcType)(VorlundePlugin*);

#ifdef __cplusplus
}
#endif

#endif /* VORLUNDE_PLUGIN_H */
