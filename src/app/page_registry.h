// SPDX-License-Identifier: GPL-3.0-or-later
// PageRegistry: the registry that owns the skin's pages (newest of equal names first);
// destroying it destroys every page. Filled while the skin loads, read on the UI thread.
#pragma once

#include "app/page_registry_view.h"
#include "base/named_list.h"
#include "ui/page.h"

#include <memory>
#include <string>

class PageRegistry final : public PageRegistryView {
public:
    // Registers `page` under `name` at the front, then links it to the running player.
    Page& register_page(std::string name, std::unique_ptr<Page> page, const PageLinks& links)
    {
        Page& registered = pages_.insert(std::move(name), std::move(page));
        registered.link(links);
        return registered;
    }

    std::size_t page_count() const override { return pages_.size(); }
    Page* find_page(std::string_view name) const override { return pages_.find(name); }

    // Every registered page, newest first.
    auto begin() const { return pages_.begin(); }
    auto end() const { return pages_.end(); }

private:
    NamedList<Page> pages_;
};
