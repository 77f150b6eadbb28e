// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/plugin_host.h"

#include "base/skin_error.h"
#include "platform/libraries.h"
#include "platform/shared_library.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A PluginString view of `text`, which must outlive it: short texts are copied inline,
// longer ones point to `text`'s characters.
PluginString plugin_string(const std::string& text)
{
    PluginString result{};
    result.length = text.size();
    if (text.size() < sizeof(result.text.inline_text)) {
        result.capacity = sizeof(result.text.inline_text) - 1;
        std::memcpy(result.text.inline_text, text.c_str(), text.size() + 1);
    } else {
        result.capacity = text.size();
        result.text.pointer = text.c_str();
    }
    return result;
}

// The name to hand the system's loader: a relative name found under the skin's working
// directory (bare, or a path such as "./scope.so") is taken from there, whatever the process's
// own working directory; anything else goes to the loader as it is (its search path applies).
std::string library_path(const std::filesystem::path& working_dir, const std::string& file_name)
{
    if (working_dir.empty() || std::filesystem::path(file_name).is_absolute())
        return file_name;
    std::error_code error;
    const auto local = working_dir / file_name;
    return std::filesystem::is_regular_file(local, error) ? std::filesystem::absolute(local, error).lexically_normal().string() : file_name;
}

} // namespace

PluginSlot::PluginSlot(std::string file_name, std::unique_ptr<SharedLibrary> library, VorlundePlugin* object,
                       PluginDestroyProcType destroy)
    : file_name_(std::move(file_name)), library_(std::move(library)), object_(object), destroy_(destroy)
{
}

PluginSlot::~PluginSlot()
{
    if (destroy_)
        destroy_(object_);
}

PluginHost::PluginHost(Libraries& libraries, std::filesystem::path working_dir)
    : libraries_(libraries), working_dir_(std::move(working_dir))
{
    context_.surface = &surface_;
}

PluginHost::~PluginHost() = default;

PluginSlot& PluginHost::load_plugin(std::string name, const std::string& file_name)
{
    auto library = libraries_.load(library_path(working_dir_, file_name));
    if (!library)
        throw SkinError("can't load plugin " + file_name);
    // A library without the version export is taken as version 1.0.
    if (const auto version = reinterpret_cast<PluginAbiVersionProcType>(library->symbol("PluginAbiVersion"))) {
        const std::uint32_t major = version() >> 16;
        if (major > VORLUNDE_PLUGIN_ABI_MAJOR)
            throw SkinError("can't use plugin " + file_name + ", made for plugin interface " + std::to_string(major) +
                            " (this player has " + std::to_string(VORLUNDE_PLUGIN_ABI_MAJOR) + ")");
    }
    const auto create = reinterpret_cast<PluginCreateProcType>(library->symbol("PluginCreateProc"));
    if (!create)
        throw SkinError("can't find PluginCreateProc in " + file_name);
    VorlundePlugin* object = create();
    if (!object)
        throw SkinError("can't create plugin class from " + file_name);
    const auto destroy = reinterpret_cast<PluginDestroyProcType>(library->symbol("PluginDestroyProc"));
    return slots_.insert(std::move(name), std::make_unique<PluginSlot>(file_name, std::move(library), object, destroy));
}

// A plug-in's object comes from another library, perhaps written in C against the header's
// function table, so its vtable pointer is not one the sanitizer's type check knows: calls
// into plug-ins are left out of that check (and only of that one).
#define VORLUNDE_CALLS_PLUGIN_OBJECTS __attribute__((no_sanitize("vptr")))

VORLUNDE_CALLS_PLUGIN_OBJECTS void PluginHost::start_plugins()
{
    for (const auto& entry : slots_)
        entry.object->object().start(&context_);
}

VORLUNDE_CALLS_PLUGIN_OBJECTS void PluginHost::draw_plugin(PluginSlot& slot)
{
    slot.object().draw(&context_);
}

void PluginHost::set_surface(std::uint32_t* pixels, int width, int height, int pitch)
{
    surface_ = PluginSurface{pixels, width, height, pitch};
}

void PluginHost::set_titles(std::span<const std::string> titles)
{
    title_texts_.assign(titles.begin(), titles.end());
    titles_.clear();
    for (const std::string& text : title_texts_)
        titles_.push_back(plugin_string(text));
    context_.title_count = static_cast<std::uint16_t>(std::min<std::size_t>(titles_.size(), 0xFFFF));
    context_.titles = titles_.empty() ? nullptr : titles_.data();
}

void PluginHost::release_titles()
{
    titles_.clear();
    title_texts_.clear();
    // Plug-ins never see a pointer to released strings.
    context_.titles = nullptr;
    context_.title_count = 0;
}

void PluginHost::set_page_name(std::string_view name)
{
    page_name_.assign(name);
    context_.page_name = plugin_string(page_name_);
}
