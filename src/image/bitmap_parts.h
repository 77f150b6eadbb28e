// SPDX-License-Identifier: GPL-3.0-or-later
// BitmapParts: a full-window picture that elements copy or blend areas from at the same
// place (a page's pressed and hover pictures). It holds the whole picture until keep_only
// cuts it down to the areas the elements use; pixels outside those areas are gone then.
// Areas are client pixels, right and bottom exclusive, clipped to the picture. Drawing an
// area takes it from the kept part that holds it whole; an area no part holds draws nothing.
// Value type; UI thread only.
#pragma once

#include "base/rect.h"
#include "image/back_buffer.h"
#include "image/skin_bitmap.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

class BitmapParts {
public:
    BitmapParts() = default;
    explicit BitmapParts(std::shared_ptr<const SkinBitmap> whole) : whole_(std::move(whole)) {}

    // The whole picture until keep_only, else nullptr.
    const SkinBitmap* whole() const { return whole_.get(); }
    // Keeps copies of `areas` of the whole picture and lets go of the picture itself.
    void keep_only(std::span<const Rect> areas);

    // Copies `area` of the picture into `target` at the same place.
    void blit(BackBuffer& target, const Rect& area) const;
    // Blends `area` of the picture onto `target` at the same place with constant `alpha`.
    void blend(BackBuffer& target, const Rect& area, float alpha) const;

private:
    struct Part {
        Rect area;
        SkinBitmap pixels;
    };
    // The picture's pixels for `area` (already clipped): the bitmap and the area's origin in it.
    struct Source {
        const SkinBitmap* bitmap;
        int x;
        int y;
    };
    Rect clipped(const Rect& area) const;
    std::optional<Source> source_of(const Rect& area) const;

    std::shared_ptr<const SkinBitmap> whole_;
    int width_ = 0;
    int height_ = 0;
    std::vector<Part> parts_;
};
