// PageRegistry: the registry that owns the skin's pages; destroying it destroys every page.
// Filled while the skin loads, read on the UI thread.
#pragma once

#include "app/page_registry_view.h"
#include "ui/named_list.h"

#include <memory>
#include <string>

class PageRegistry final : public PageRegistryView {
public:
    // Registers `page` under `name` at the front; returns it.
    PageHandlers& register_page(std::string name, std::unique_ptr<PageHandlers> page)
    {
        return pages_.insert(std::move(name), std::move(page));
    }

    std::size_t page_count() const override { return pages_.size(); }
    PageHandlers* find_page(std::string_view name) const override { return pages_.find(name); }

private:
    NamedList<PageHandlers> pages_;
};
