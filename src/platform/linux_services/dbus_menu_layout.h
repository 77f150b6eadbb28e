// SPDX-License-Identifier: GPL-3.0-or-later
// DbusMenuLayout: the tray menu as com.canonical.dbusmenu items. Item ids are the entries'
// positions plus 1 (0 is the menu's root), because menu ids may repeat and may be 0. Labels
// are UTF-8 with underscores doubled (a single underscore marks an access key there). The
// revision grows with every change, so hosts know to read the layout again. Not thread-safe.
#pragma once

#include "platform/tray.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct DbusMenuItem {
    std::int32_t id = 0;
    std::string label; // UTF-8, access-key escaped
    bool is_default = false;
};

class DbusMenuLayout {
public:
    // The id of the menu's root item.
    static constexpr std::int32_t root_id = 0;

    // Replaces the menu; the revision grows by one.
    void set_entries(std::span<const TrayMenuEntry> entries);

    const std::vector<DbusMenuItem>& items() const { return items_; }
    // The item with `id`, or nullptr (also for the root).
    const DbusMenuItem* item(std::int32_t id) const;
    std::uint32_t revision() const { return revision_; }
    // The menu id that choosing item `id` reports, or nullopt for the root and unknown ids.
    std::optional<std::uint16_t> menu_id_of(std::int32_t id) const;

private:
    std::vector<DbusMenuItem> items_;
    std::vector<std::uint16_t> menu_ids_;
    std::uint32_t revision_ = 0;
};

// `skin_text` as a dbusmenu label: UTF-8, underscores doubled.
std::string dbus_menu_label(std::string_view skin_text);
