// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux_services/dbus_menu_layout.h"

#include "base/desktop_text.h"

void DbusMenuLayout::set_entries(std::span<const TrayMenuEntry> entries)
{
    items_.clear();
    menu_ids_.clear();
    for (const TrayMenuEntry& entry : entries) {
        items_.push_back(DbusMenuItem{static_cast<std::int32_t>(items_.size() + 1), dbus_menu_label(entry.text),
                                      entry.is_default});
        menu_ids_.push_back(entry.id);
    }
    ++revision_;
}

const DbusMenuItem* DbusMenuLayout::item(std::int32_t id) const
{
    if (id < 1 || static_cast<std::size_t>(id) > items_.size())
        return nullptr;
    return &items_[static_cast<std::size_t>(id) - 1];
}

std::optional<std::uint16_t> DbusMenuLayout::menu_id_of(std::int32_t id) const
{
    if (!item(id))
        return std::nullopt;
    return menu_ids_[static_cast<std::size_t>(id) - 1];
}

std::string dbus_menu_label(std::string_view skin_text)
{
    std::string label;
    for (const char c : to_desktop_text(skin_text)) {
        if (c == '_')
            label += '_';
        label += c;
    }
    return label;
}
