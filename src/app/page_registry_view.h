// SPDX-License-Identifier: GPL-3.0-or-later
// PageRegistryView: how the shell finds pages: the number of registered pages (0 gates all
// page input) and the page registered under a name. The current page is looked up anew at
// every use, never cached. UI thread only.
#pragma once

#include "ui/page_handlers.h"

#include <cstddef>
#include <string_view>

class PageRegistryView {
public:
    virtual std::size_t page_count() const = 0;
    // The most recently registered page called `name` (byte-wise, case-sensitive), or nullptr.
    virtual PageHandlers* find_page(std::string_view name) const = 0;

protected:
    ~PageRegistryView() = default;
};
