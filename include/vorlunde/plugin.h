// SPDX-License-Identifier: MIT
/*
 * vorlunde plug-in interface (C and C++).
 *
 * A plug-in is a shared library that draws into the player's window during page
 * transitions. The player loads each library a skin names, calls its exported
 *
 *     VORLUNDE_PLUGIN_EXPORT VorlundePlugin* PluginCreateProc(void);
 *
 * once, and keeps the returned object (null means failure). The object's first
 * pointer-sized field points to its table of entry points, called as member functions:
 *
 *     slot 0  start(context)  once, when the presentation begins
 *     slot 1  draw(context)   whenever a page holding the plug-in is drawn faded
 *
 * In C++ this is a class whose first two virtual functions are start and draw, in that
 * order, and which declares no virtual destructor (it would take slot 0). In C it is a
 * struct VorlundePlugin whose first field points to a VorlundePluginFunctions table (not
 * on 32-bit Windows, see there).
 *
 * Interface version: a library should also export
 *
 *     VORLUNDE_PLUGIN_EXPORT uint32_t PluginAbiVersion(void);
 *
 * returning VORLUNDE_PLUGIN_ABI_VERSION as it was when the library was built (the line
 * VORLUNDE_PLUGIN_DEFINE_ABI_VERSION defines it). The player refuses a library whose major
 * version is newer than its own, before calling anything else in it, with the message
 * "can't use plugin FILE, made for plugin interface N (this player has M)". A library
 * without the export is taken as version 1.0. Minor versions only add: a library built
 * for a newer minor version of the same major version loads.
 *
 * Releasing: the player calls no plug-in operation at shut-down. A library may export
 *
 *     VORLUNDE_PLUGIN_EXPORT void PluginDestroyProc(VorlundePlugin* plugin);
 *
 * and the player calls it once before unloading the library, so the object is freed
 * with the allocator that made it. Without that export the player frees nothing.
 *
 * Threads: the player calls every export and entry point (PluginAbiVersion,
 * PluginCreateProc, start, draw, PluginDestroyProc) on its one user-interface thread, one
 * call at a time: never two calls at once, into one plug-in or into several. A plug-in
 * that starts threads of its own must not let them touch the context or the surface.
 *
 * Exceptions and errors: nothing may be thrown across the interface. A C++ plug-in catches
 * every exception inside each export and entry point; one that escapes is undefined
 * behaviour (the player and the plug-in may not even share a C++ runtime). The player
 * reads no result of start or draw.
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
    const float* spectrum;     /* the current track's spectrum, see below; null in start */
    uint8_t playing;           /* 1 while the current track plays, set every frame */
    uint8_t padding1[3];
} PluginContext;

/* The spectrum: VORLUNDE_SPECTRUM_BINS linear magnitudes (not decibels, not power) of the
 * last 1,024 samples the current track's channel decoded, at the mixing rate of 44,100 Hz,
 * left and right averaged to mono, before the volume is applied, Hann-windowed. Bin k holds
 * the frequencies around k * VORLUNDE_SPECTRUM_SAMPLE_RATE / VORLUNDE_SPECTRUM_WINDOW Hz,
 * about 43.07 Hz apart: bin 0 is the constant part, bin 511 about 22 kHz. A full-scale sine
 * peaks near 1.0 in its bin; loud mixtures can go above 1.0, silence is 0. The magnitudes
 * are worked out for the frames in which plug-ins draw; while the track is stopped or
 * paused they keep their last values, and `playing` says whether they are current. The
 * array stays at the same address. */
#define VORLUNDE_SPECTRUM_BINS 512
#define VORLUNDE_SPECTRUM_SAMPLE_RATE 44100
#define VORLUNDE_SPECTRUM_WINDOW 1024

/* The version of this interface (see the top of this file): the major version in the high
 * 16 bits, the minor version in the low 16 bits. */
#define VORLUNDE_PLUGIN_ABI_MAJOR 1
#define VORLUNDE_PLUGIN_ABI_MINOR 0
#define VORLUNDE_PLUGIN_ABI_VERSION (((uint32_t)VORLUNDE_PLUGIN_ABI_MAJOR << 16) | VORLUNDE_PLUGIN_ABI_MINOR)

/* Marks a function of the plug-in library as exported with C linkage: dllexport on Windows
 * (MinGW and MSVC; MinGW then exports only what is marked), default visibility with GCC and
 * Clang elsewhere (so the library may be built with -fvisibility=hidden). */
#if defined(_WIN32) || defined(__CYGWIN__)
#define VORLUNDE_PLUGIN_VISIBLE __declspec(dllexport)
#elif defined(__GNUC__)
#define VORLUNDE_PLUGIN_VISIBLE __attribute__((visibility("default")))
#else
#define VORLUNDE_PLUGIN_VISIBLE
#endif
#ifdef __cplusplus
#define VORLUNDE_PLUGIN_EXPORT extern "C" VORLUNDE_PLUGIN_VISIBLE
#else
#define VORLUNDE_PLUGIN_EXPORT VORLUNDE_PLUGIN_VISIBLE
#endif

/* Defines the PluginAbiVersion export: write it once, outside any function, in a plug-in. */
#define VORLUNDE_PLUGIN_DEFINE_ABI_VERSION \
    VORLUNDE_PLUGIN_EXPORT uint32_t PluginAbiVersion(void) { return VORLUNDE_PLUGIN_ABI_VERSION; }

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
#if !(defined(_WIN32) && (defined(__i386__) || defined(_M_IX86)))
/* The object in C: its first field points to the table of its two entry points, which take
 * the object first, as C++ member functions do everywhere but on 32-bit Windows. There C++
 * calls them with thiscall, which C compilers do not declare cleanly (GCC warns, MSVC
 * refuses): write plug-ins for 32-bit Windows in C++. */
typedef struct VorlundePluginFunctions {
    void (*start)(VorlundePlugin* self, PluginContext* context);
    void (*draw)(VorlundePlugin* self, PluginContext* context);
} VorlundePluginFunctions;
struct VorlundePlugin {
    const VorlundePluginFunctions* functions;
};
#endif
#endif

typedef VorlundePlugin* (*PluginCreateProcType)(void);
typedef void (*PluginDestroyProcType)(VorlundePlugin*);
typedef uint32_t (*PluginAbiVersionProcType)(void);

#ifdef __cplusplus
}
#endif

#endif /* VORLUNDE_PLUGIN_H */
