// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin_checks.h"

#include "audio/decoder.h"
#include "audio/track_kind_probe.h"
#include "base/command.h"
#include "base/file_kind.h"
#include "did_you_mean.h"
#include "image/bmp_decoder.h"
#include "image/jpeg_decoder.h"
#include "image/shape_mask.h"
#include "skin/window_region.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLampNames[] = {"musiclooped", "musicrandom", "modulelooped"};

// The day, evening and night pages and the playlist length from which each can be shown (the
// day page also with no playlist: the position is then 0).
struct TrackPage {
    std::string_view name;
    std::size_t from_tracks;
};
constexpr TrackPage kTrackPages[] = {{"dzien", 0}, {"wieczor", 10}, {"noc", 15}};

std::string rect_text(const Rect& r)
{
    return "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + "]";
}

std::string size_text(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

// Family names as fontconfig matches them: without case and blanks.
std::string family_key(std::string_view family)
{
    std::string key;
    for (const char c : family)
        if (c != ' ')
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

// A chunk as the player reads it: known at its level under its layout's own id.
bool read_as_itself(const ConfigChunk& chunk, ChunkLevel level)
{
    return chunk.layout && find_layout(level, chunk.id) == chunk.layout;
}

const FieldValue& field(const ConfigChunk& chunk, std::string_view name)
{
    return chunk.values.fields.at(field_index(chunk.layout->fields, name));
}

std::uint32_t number(const ConfigChunk& chunk, std::string_view name)
{
    return std::get<std::uint32_t>(field(chunk, name));
}

const std::string& text(const ConfigChunk& chunk, std::string_view name)
{
    return std::get<std::string>(field(chunk, name));
}

// A command some control posts, and the line that gives it.
struct PostedCommand {
    std::uint32_t id;
    std::uint32_t argument;
    int line;
};

struct MappingEntry {
    std::string text;
    int line;
};

class SkinChecker {
public:
    SkinChecker(const SkinManifest& manifest, std::span<const ArchiveEntry> stored, const fs::path& skin_dir,
                const CheckServices& services)
        : manifest_(manifest), skin_dir_(skin_dir), services_(services)
    {
        const ChunkValues& root = manifest.config.values;
        window_width_ = static_cast<int>(root.number(1));
        window_height_ = static_cast<int>(root.number(2));
        for (const ArchiveEntry& entry : stored)
            archive_.emplace(entry.name, &entry); // the first of equal names, as the player finds it
    }

    std::vector<std::string> run()
    {
        const auto& chunks = manifest_.config.children;
        for (std::size_t i = 0; i < chunks.size(); ++i)
            if (read_as_itself(chunks[i], ChunkLevel::top))
                top_level(chunks[i], manifest_.lines.children.at(i));
        check_commands();
        check_pages();
        check_faces();
        check_stored_files();
        std::stable_sort(warnings_.begin(), warnings_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> lines;
        for (auto& [line, text] : warnings_)
            lines.push_back(std::move(text));
        return lines;
    }

private:
    void warn(int line, const std::string& what)
    {
        warnings_.emplace_back(line, manifest_.source_name + ":" + std::to_string(line) + ": warning: " + what);
    }

    std::vector<std::string> archive_names() const
    {
        std::vector<std::string> names;
        for (const auto& [name, entry] : archive_)
            names.push_back(name);
        return names;
    }

    // An archive name some chunk uses; false (after a warning) when the archive lacks it.
    bool archive_file(const std::string& name, const std::string& what, int line)
    {
        named_files_.insert(name);
        if (archive_.contains(name))
            return true;
        warn(line, what + " " + name + " is not in the archive, so the player refuses the skin" +
                       did_you_mean(name, archive_names()));
        return false;
    }

    void top_level(const ConfigChunk& chunk, const SourceLines& lines)
    {
        switch (static_cast<ChunkId>(chunk.id)) {
        case ChunkId::font_file:
            if (archive_file(text(chunk, "file"), "font file", lines.key_line("file")))
                font_files_.push_back(text(chunk, "file"));
            break;
        case ChunkId::font:
            fonts_.push_back(text(chunk, "name"));
            if (!text(chunk, "face").empty())
                faces_.push_back({text(chunk, "face"), lines.key_line("face")});
            break;
        case ChunkId::plugin: plugins_.push_back(text(chunk, "name")); break;
        case ChunkId::tray_menu:
            for (std::size_t e = 0; e < chunk.values.entries.size(); ++e) {
                const FieldValues& entry = chunk.values.entries[e];
                commands_.push_back({std::get<std::uint32_t>(entry[1]), std::get<std::uint32_t>(entry[2]),
                                     lines.entries.at(e).key_line("command")});
            }
            break;
        case ChunkId::start_page: start_page_ = {text(chunk, "page"), lines.key_line("page")}; break;
        case ChunkId::string_mapping:
            mapping_count_ = number(chunk, "count");
            mapping_.clear();
            for (std::size_t e = 0; e < chunk.values.entries.size(); ++e) {
                const FieldValues& entry = chunk.values.entries[e];
                const std::uint32_t index = std::get<std::uint32_t>(entry[1]);
                const int line = lines.entries.at(e).key_line("index");
                if (index >= *mapping_count_)
                    warn(line, "string-mapping index " + std::to_string(index) + " is not below the mapping's count " +
                                   std::to_string(*mapping_count_) + ": the player refuses the skin");
                else
                    mapping_[index] = {std::get<std::string>(entry[0]), lines.entries.at(e).key_line("text")};
            }
            break;
        case ChunkId::track_list: track_list(chunk, lines); break;
        case ChunkId::page: page(chunk, lines); break;
        case ChunkId::timing: break;
        }
    }

    void track_list(const ConfigChunk& chunk, const SourceLines& lines)
    {
        const std::uint32_t kind = number(chunk, "kind");
        for (std::size_t e = 0; e < chunk.values.entries.size(); ++e) {
            const std::string& title = std::get<std::string>(chunk.values.entries[e][0]);
            const std::string& file = std::get<std::string>(chunk.values.entries[e][1]);
            const int line = lines.entries.at(e).key_line("file");
            if (kind == 0) {
                named_tracks_.push_back(title);
                archive_file(file, "named track", line);
            } else if (kind == 1) {
                ++playlist_count_;
                playlist_file(file, line);
            }
        }
    }

    // A playlist file, as the player opens it from its folder.
    void playlist_file(const std::string& file, int line)
    {
        if (file.empty()) {
            warn(line, "a playlist entry without a file is passed over");
            return;
        }
        const fs::path path = fs::path(file).is_absolute() ? fs::path(file) : skin_dir_ / file;
        std::error_code error;
        if (!fs::is_regular_file(path, error))
            warn(line, "playlist file " + file + " does not exist: the player, running in the skin's folder, looks for " +
                           fs::absolute(path).lexically_normal().string());
        else if (!open_decoder(playlist_track_kind(path.string()), path))
            warn(line, "playlist file " + file + " can't be played: the player opens no stream or module in it");
    }

    void page(const ConfigChunk& chunk, const SourceLines& lines)
    {
        const std::string& name = text(chunk, "name");
        pages_.push_back({name, lines.key_line("name")});
        if (!text(chunk, "background").empty())
            for (const std::string_view key : {"background", "pressed", "hover"})
                if (!text(chunk, key).empty())
                    page_picture(name, std::string(key), text(chunk, key), lines.key_line(key));
        for (std::size_t i = 0; i < chunk.children.size(); ++i)
            if (read_as_itself(chunk.children[i], ChunkLevel::element))
                element(name, chunk.children[i], lines.children.at(i));
    }

    // A whole-window picture of a page: stored, decodable by its name, the window's size.
    void page_picture(const std::string& page_name, const std::string& key, const std::string& name, int line)
    {
        const std::string what = "page " + page_name + ": " + key;
        if (!archive_file(name, what, line))
            return;
        const FileKind kind = file_kind_of(name);
        if (kind != FileKind::bmp && kind != FileKind::jpeg) {
            warn(line, what + " " + name + " is named neither .jpg nor .bmp: the player draws nothing for it");
            return;
        }
        if (kind == FileKind::jpeg)
            if (const auto mask = shape_mask_for(name)) {
                named_files_.insert(std::string(*mask));
                if (!archive_.contains(std::string(*mask)) && warned_masks_.insert(std::string(*mask)).second)
                    warn(line, what + " " + name + " is cut to the shape " + std::string(*mask) +
                                   " in layered windows, and the archive lacks it: the player refuses the skin there");
            }
        const auto& bytes = archive_.at(name)->data;
        SkinBitmap picture;
        try {
            picture = kind == FileKind::bmp ? decode_bmp(bytes) : decode_jpeg(bytes);
        } catch (const std::exception& error) {
            warn(line, what + " " + name + " can't be decoded (" + error.what() + "), so the player refuses the skin");
            return;
        }
        if (picture.has_image() && (picture.width() != window_width_ || picture.height() != window_height_))
            warn(line, what + " " + name + " is " + size_text(picture.width(), picture.height()) + ", the window " +
                           size_text(window_width_, window_height_) +
                           ": pages are drawn whole from the top-left corner, so a smaller picture leaves black "
                           "bands and buttons, lamps and lists take their art from the wrong places");
    }

    void element(const std::string& page_name, const ConfigChunk& chunk, const SourceLines& lines)
    {
        const std::string type(chunk.layout->name);
        for (const std::string_view key : {"area", "track"})
            if (std::find_if(chunk.layout->fields.begin(), chunk.layout->fields.end(),
                             [&](const FieldLayout& f) { return f.name == key; }) != chunk.layout->fields.end()) {
                const Rect& r = std::get<Rect>(field(chunk, key));
                if (r.left < 0 || r.top < 0 || r.right > window_width_ || r.bottom > window_height_)
                    warn(lines.key_line(key), "page " + page_name + ": " + type + " " + std::string(key) + " " +
                                                  rect_text(r) + " reaches outside the " +
                                                  size_text(window_width_, window_height_) + " window");
            }
        switch (static_cast<ElementId>(chunk.id)) {
        case ElementId::lamp: {
            const std::string& name = text(chunk, "name");
            if (std::find(std::begin(kLampNames), std::end(kLampNames), name) == std::end(kLampNames))
                warn(lines.key_line("name"), "page " + page_name + ": lamp " + name +
                                                 " is never lit: the player lights musiclooped, musicrandom and modulelooped" +
                                                 did_you_mean(name, {std::begin(kLampNames), std::end(kLampNames)}));
            break;
        }
        case ElementId::track_list_view:
        case ElementId::text_browser: defined_before(text(chunk, "font"), fonts_, "font", lines.key_line("font")); break;
        case ElementId::plugin_attachment:
            defined_before(text(chunk, "plugin"), plugins_, "plug-in", lines.key_line("plugin"));
            break;
        case ElementId::slider: archive_file(text(chunk, "knob"), "page " + page_name + ": knob", lines.key_line("knob")); break;
        case ElementId::text_item:
            archive_file(text(chunk, "file"), "page " + page_name + ": text", lines.key_line("file"));
            break;
        case ElementId::wheel_area:
            commands_.push_back({number(chunk, "up_command"), number(chunk, "up_argument"), lines.key_line("up_command")});
            commands_.push_back({number(chunk, "down_command"), number(chunk, "down_argument"), lines.key_line("down_command")});
            break;
        case ElementId::button:
        case ElementId::key_binding:
        case ElementId::click_command:
        case ElementId::right_click_command:
        case ElementId::enter_command:
        case ElementId::leave_command:
        case ElementId::timer:
            commands_.push_back({number(chunk, "command"), number(chunk, "argument"), lines.key_line("command")});
            break;
        }
    }

    void defined_before(const std::string& name, const std::vector<std::string>& defined, const std::string& what, int line)
    {
        if (std::find(defined.begin(), defined.end(), name) == defined.end())
            warn(line, "no " + what + " named " + name + " is defined before this line, so the player refuses the skin" +
                           did_you_mean(name, defined));
    }

    std::vector<std::string> page_names() const
    {
        std::vector<std::string> names;
        for (const auto& [name, line] : pages_)
            names.push_back(name);
        return names;
    }

    bool has_page(std::string_view name) const
    {
        return std::any_of(pages_.begin(), pages_.end(), [&](const auto& page) { return page.first == name; });
    }

    // The string-mapping entry a command's argument names, or nothing after a warning.
    const MappingEntry* mapping_entry(const PostedCommand& command, std::string_view name)
    {
        const std::string what = std::string(name) + " argument " + std::to_string(command.argument);
        if (!mapping_count_) {
            warn(command.line, what + ": the skin has no string_mapping, so the player ends with an error");
            return nullptr;
        }
        if (command.argument >= *mapping_count_) {
            warn(command.line, what + " is not below the string mapping's count " + std::to_string(*mapping_count_) +
                                   ", so the player ends with an error");
            return nullptr;
        }
        const auto found = mapping_.find(command.argument);
        if (found == mapping_.end()) {
            warn(command.line, what + " names a string-mapping index that no entry fills, so it does nothing");
            return nullptr;
        }
        return &found->second;
    }

    void check_commands()
    {
        std::set<std::uint32_t> reported;
        for (const PostedCommand& command : commands_) {
            const bool switches = command.id == command_value(CommandId::switch_page);
            const bool named_track = command.id == command_value(CommandId::play_named_track) ||
                                     command.id == command_value(CommandId::fade_in_named_track);
            if (!switches && !named_track)
                continue;
            const std::string_view name = *command_name(static_cast<std::uint16_t>(command.id));
            const MappingEntry* entry = mapping_entry(command, name);
            if (!entry)
                continue;
            if (switches)
                switch_targets_.insert(entry->text);
            const bool found = switches ? has_page(entry->text)
                                        : std::find(named_tracks_.begin(), named_tracks_.end(), entry->text) != named_tracks_.end();
            if (!found && reported.insert(command.argument).second)
                warn(entry->line, "string-mapping entry " + std::to_string(command.argument) + " " + entry->text +
                                      ", used by " + std::string(name) + " at line " + std::to_string(command.line) +
                                      ", names no " + (switches ? "page" : "named track") + ", so the command does nothing" +
                                      did_you_mean(entry->text, switches ? page_names() : named_tracks_));
        }
    }

    void check_pages()
    {
        if (!start_page_) {
            warn(manifest_.lines.line ? manifest_.lines.line : 1, "no start_page: the player refuses the skin");
        } else if (!has_page(start_page_->first)) {
            warn(start_page_->second, "start page " + start_page_->first + " names no page, so the player refuses the skin" +
                                          did_you_mean(start_page_->first, page_names()));
        } else if (start_page_->first != "intro") {
            warn(start_page_->second,
                 "the first page is " + start_page_->first + ", not intro: without layered windows the window keeps " +
                     "the intro's built-in " + size_text(intro_rectangle.width(), intro_rectangle.height()) + " square " +
                     rect_text(intro_rectangle) + " until a page named intro is left, so Data\\panel.rgn never " +
                     "shapes it; name the first page intro and go on from it with switch_page");
        }
        if (!pages_.empty() && !archive_.contains("Data\\panel.rgn"))
            warn(pages_.front().second, "the archive holds no Data\\panel.rgn, the window's shape: the player refuses the skin");
        named_files_.insert("Data\\panel.rgn");
        const bool day_page = has_page("dzien");
        std::set<std::string> seen;
        for (auto page = pages_.rbegin(); page != pages_.rend(); ++page) {
            const std::string& name = page->first;
            const int line = page->second;
            if (!seen.insert(name).second) {
                warn(line, "page " + name + " is hidden by the later page of the same name");
                continue;
            }
            const auto* track_page = std::find_if(std::begin(kTrackPages), std::end(kTrackPages),
                                                  [&](const TrackPage& t) { return t.name == name; });
            const bool started = start_page_ && start_page_->first == name;
            if (track_page != std::end(kTrackPages)) {
                if (!started && !switch_targets_.contains(name) && playlist_count_ < track_page->from_tracks)
                    warn(line, "page " + name + " is never shown: the player shows it from playlist track " +
                                   std::to_string(track_page->from_tracks) + " on, and the playlist has " +
                                   std::to_string(playlist_count_));
            } else if (!started && !switch_targets_.contains(name)) {
                warn(line, "page " + name + " is never shown: neither start_page nor a switch_page names it" +
                               did_you_mean(name, {switch_targets_.begin(), switch_targets_.end()}));
            } else if (day_page && name != "intro" && name != "outro" && name != "empty") {
                warn(line, "page " + name +
                               " is left at once: on any page but intro and outro the player switches to the "
                               "playing track's page (dzien, wieczor, noc)");
            }
        }
    }

    void check_faces()
    {
        if (!services_.font_families || faces_.empty())
            return;
        std::vector<fs::path> files;
        for (const ManifestFile& file : manifest_.files)
            if (!file.text && std::find(font_files_.begin(), font_files_.end(), file.name) != font_files_.end())
                files.push_back(file.path);
        const std::vector<std::string> families = services_.font_families(files);
        std::set<std::string> keys;
        for (const std::string& family : families)
            keys.insert(family_key(family));
        for (const auto& [face, line] : faces_)
            if (!keys.contains(family_key(face)))
                warn(line, "font face " + face + " is neither installed nor in the skin's font files, so the player draws "
                               "with another face" + did_you_mean(face, families));
    }

    void check_stored_files()
    {
        std::map<std::string, int> first_line;
        for (const ManifestFile& file : manifest_.files) {
            const auto [at, inserted] = first_line.emplace(file.name, file.line);
            if (!inserted)
                warn(file.line, file.name + " is stored again; the player reads the one at line " + std::to_string(at->second));
            else if (!named_files_.contains(file.name))
                warn(file.line, file.name + " is stored but nothing in the skin names it");
        }
    }

    const SkinManifest& manifest_;
    fs::path skin_dir_;
    const CheckServices& services_;
    int window_width_ = 0;
    int window_height_ = 0;
    std::map<std::string, const ArchiveEntry*> archive_;
    std::vector<std::pair<int, std::string>> warnings_; // by line once sorted

    std::set<std::string> named_files_, warned_masks_, switch_targets_;
    std::vector<std::string> fonts_, plugins_, font_files_, named_tracks_;
    std::vector<std::pair<std::string, int>> faces_, pages_;
    std::optional<std::pair<std::string, int>> start_page_;
    std::optional<std::uint32_t> mapping_count_;
    std::map<std::uint32_t, MappingEntry> mapping_;
    std::vector<PostedCommand> commands_;
    std::size_t playlist_count_ = 0;
};

} // namespace

std::vector<std::string> skin_warnings(const SkinManifest& manifest, std::span<const ArchiveEntry> stored,
                                       const fs::path& skin_dir, const CheckServices& services)
{
    return SkinChecker(manifest, stored, skin_dir, services).run();
}
