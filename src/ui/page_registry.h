// PageRegistry: the skin's pages by name (a NamedList: the newest of equal names wins).
// It owns its pages. Input, drawing and command reactions look the current page up by name
// at every use. UI thread only.
#pragma once

#include "ui/named_list.h"
#include "ui/page.h"

#include <memory>
#include <string>
#include <string_view>

using PageRegistry = NamedList<Page>;

// Registers `page` under `name` and links it to the running player; returns the page.
inline Page& register_page(PageRegistry& registry, std::string name, std::unique_ptr<Page> page,
                           const PageLinks& links)
{
    Page& registered = registry.insert(std::move(name), std::move(page));
    registered.link(links);
    return registered;
}

// The newest page registered under exactly `name`, or nullptr.
inline Page* find_page(const PageRegistry& registry, std::string_view name)
{
    return registry.find(name);
}
