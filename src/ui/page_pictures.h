// SPDX-License-Identifier: GPL-3.0-or-later
// PagePictures: a page's three whole-window pictures (background, pressed, hover), decoded
// when first drawn from and let go of while the page is off the screen, so that only the
// pages on screen hold theirs (one picture of a 600×510 window is 1.2 MB).
//
// The constructor decodes all three once, so that damage in them is reported while the skin
// loads, as before. The pressed and hover pictures share the background when their names
// are empty. Once keep_only has named the areas elements draw from, pressed and hover
// pictures of their own are cut down to those areas, and so again whenever they are decoded.
// Accessors decode on demand (from the loader, whose archive must stay open) and may throw
// the loader's SkinError. UI thread only.
#pragma once

#include "base/rect.h"
#include "image/bitmap_parts.h"
#include "image/skin_bitmap.h"
#include "ui/page_services.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class PagePictures {
public:
    // No pictures: the page draws nothing.
    PagePictures() = default;
    PagePictures(ImageLoader load, std::string_view background, std::string_view pressed, std::string_view hover);

    bool exist() const { return !background_name_.empty(); }
    // Keeps of pressed and hover pictures of their own only these areas from now on.
    void keep_only(std::vector<Rect> pressed_areas, std::vector<Rect> hover_areas);
    // Lets go of the decoded pictures; they are decoded again when next needed.
    void release() { decoded_.reset(); }
    bool decoded() const { return decoded_.has_value(); }

    // nullptr when the page has no pictures.
    const SkinBitmap* background() const;
    const BitmapParts& pressed() const;
    const BitmapParts& hover() const;

private:
    struct Decoded {
        std::shared_ptr<const SkinBitmap> background;
        BitmapParts pressed;
        BitmapParts hover;
    };
    const Decoded& decode() const;

    ImageLoader load_;
    std::string background_name_;
    std::string pressed_name_;
    std::string hover_name_;
    std::optional<std::vector<Rect>> pressed_areas_;
    std::optional<std::vector<Rect>> hover_areas_;
    mutable std::optional<Decoded> decoded_;
};
