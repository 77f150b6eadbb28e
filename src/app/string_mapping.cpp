// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/string_mapping.h"

#include "base/skin_error.h"

void StringMapping::mapping_init(std::uint16_t count)
{
    count_ = count;
    slots_.emplace(count);
}

void StringMapping::mapping_set(std::uint16_t index, std::string text)
{
    if (index >= count_ || !slots_)
        throw SkinError("string mapping index out of range");
    (*slots_)[index] = std::move(text);
}

std::string StringMapping::mapping_get(std::uint16_t index) const
{
    if (index > count_)
        throw SkinError("string mapping index out of range");
    if (!slots_)
        throw SkinError("string mapping is null, propably not initialized");
    if (index == count_)
        throw SkinError("string mapping index out of range");
    return (*slots_)[index];
}

void StringMapping::mapping_release()
{
    count_ = 0;
    slots_.reset();
}
