// SPDX-License-Identifier: GPL-3.0-or-later
// PluginHost: the plug-in registry and the context shared with plug-in libraries.
// Each plug-in chunk of the skin loads one library, asks its PluginCreateProc for one
// object and registers the slot under the configured name (newest of equal names first).
// Pages attach slots (non-owning) and let them draw during cross-fades; start_plugins calls
// every slot's start once when the presentation begins. The host owns the slots, the
// libraries and the PluginContext (one block, same address for the whole run), which the
// frame step rewrites before each frame.
//
// Libraries: a file name without a slash is looked for in the working directory first,
// then on the system's library search path.
// Release: on destruction each object is handed to the library's PluginDestroyProc when it
// exports one (no other plug-in operation is called), then the library is unloaded; the
// host frees nothing a library made without that export.
// UI thread only.
#pragma once

#include "base/named_list.h"
#include "skin/plugin_drawer.h"
#include "vorlunde/plugin.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class Libraries;
class SharedLibrary;

// One loaded plug-in: its library and the object it made.
class PluginSlot {
public:
    PluginSlot(std::string file_name, std::unique_ptr<SharedLibrary> library, VorlundePlugin* object,
               PluginDestroyProcType destroy);
    ~PluginSlot();
    PluginSlot(const PluginSlot&) = delete;
    PluginSlot& operator=(const PluginSlot&) = delete;

    const std::string& file_name() const { return file_name_; }
    VorlundePlugin& object() const { return *object_; }

private:
    std::string file_name_;
    std::unique_ptr<SharedLibrary> library_;
    VorlundePlugin* object_; // made by the library; released through destroy_ when set
    PluginDestroyProcType destroy_;
};

class PluginHost final : public PluginDrawer {
public:
    // `libraries` must outlive the host; `working_dir` is where bare library names are
    // looked for first.
    PluginHost(Libraries& libraries, std::filesystem::path working_dir);
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads `file_name` and registers its plug-in under `name`. Throws SkinError
    // "can't load plugin " + file_name, "can't use plugin FILE, made for plugin interface N
    // (this player has M)" when its PluginAbiVersion names a newer major version,
    // "can't find PluginCreateProc in " + file_name or "can't create plugin class from " + file_name.
    PluginSlot& load_plugin(std::string name, const std::string& file_name);
    // The newest slot registered under exactly `name`, or nullptr.
    PluginSlot* find_plugin(std::string_view name) const { return slots_.find(name); }
    std::size_t plugin_count() const { return slots_.size(); }

    // Calls start on every registered plug-in, most recently registered first.
    void start_plugins();
    // Calls the plug-in's draw with the context.
    void draw_plugin(PluginSlot& slot) override;

    // --- The context (written by the player on the UI thread, between plug-in calls) ---

    // The back buffer's pixels; `pixels` must stay valid while plug-ins may draw.
    void set_surface(std::uint32_t* pixels, int width, int height, int pitch);
    // The playlist titles in configuration order, replacing earlier ones.
    void set_titles(std::span<const std::string> titles);
    // Releases the title table (shut-down); the count and pointer keep their values.
    void release_titles();
    void set_page_name(std::string_view name);
    void set_current_track(std::uint16_t index) { context_.current_track = index; }
    void set_event(std::uint16_t event) { context_.event = event; }
    void set_spectrum(const float* magnitudes) { context_.spectrum = magnitudes; }
    void set_playing(bool playing) { context_.playing = playing ? 1 : 0; }
    const PluginContext& context() const { return context_; }

private:
    Libraries& libraries_;
    std::filesystem::path working_dir_;
    PluginContext context_{};
    PluginSurface surface_{};
    std::string page_name_;
    std::vector<std::string> title_texts_;
    std::vector<PluginString> titles_;
    NamedList<PluginSlot> slots_;
};
