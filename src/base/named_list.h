// SPDX-License-Identifier: GPL-3.0-or-later
// NamedList<T>: a registry of (name, object) entries that owns its objects.
// New entries go to the front; lookup walks from the front and compares names byte for
// byte over their whole length, so the most recently registered of equal names wins.
// Iteration also runs from the front (newest first). Nothing is removed before the list
// is destroyed, so references to entries stay valid for the list's lifetime.
// Not thread-safe: filled while the skin loads, read on the UI thread.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

template <typename T>
class NamedList {
public:
    struct Entry {
        std::string name;
        std::unique_ptr<T> object;
    };

    // Registers `object` under `name` at the front; returns the registered object.
    T& insert(std::string name, std::unique_ptr<T> object)
    {
        T& registered = *object;
        entries_.push_back(Entry{std::move(name), std::move(object)});
        return registered;
    }

    // The object of the first entry from the front whose name equals `name`, or nullptr.
    T* find(std::string_view name) const
    {
        for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
            if (entry->name == name)
                return entry->object.get();
        }
        return nullptr;
    }

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // Entries from the front (most recently registered first).
    auto begin() const { return entries_.rbegin(); }
    auto end() const { return entries_.rend(); }

private:
    // Stored oldest first; the front of the list is the back of the vector.
    std::vector<Entry> entries_;
};
