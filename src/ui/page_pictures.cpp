// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/page_pictures.h"

PagePictures::PagePictures(ImageLoader load, std::string_view background, std::string_view pressed,
                           std::string_view hover)
    : load_(std::move(load)), background_name_(background), pressed_name_(pressed), hover_name_(hover)
{
    if (exist())
        decode();
}

void PagePictures::keep_only(std::vector<Rect> pressed_areas, std::vector<Rect> hover_areas)
{
    pressed_areas_ = std::move(pressed_areas);
    hover_areas_ = std::move(hover_areas);
    release();
}

const PagePictures::Decoded& PagePictures::decode() const
{
    if (decoded_)
        return *decoded_;
    const auto picture = [this](const std::string& name) { return std::make_shared<const SkinBitmap>(load_(name)); };
    Decoded pictures;
    pictures.background = picture(background_name_);
    pictures.pressed = BitmapParts(pressed_name_.empty() ? pictures.background : picture(pressed_name_));
    pictures.hover = BitmapParts(hover_name_.empty() ? pictures.background : picture(hover_name_));
    if (pressed_areas_ && !pressed_name_.empty())
        pictures.pressed.keep_only(*pressed_areas_);
    if (hover_areas_ && !hover_name_.empty())
        pictures.hover.keep_only(*hover_areas_);
    return decoded_.emplace(std::move(pictures));
}

const SkinBitmap* PagePictures::background() const
{
    return exist() ? decode().background.get() : nullptr;
}

const BitmapParts& PagePictures::pressed() const
{
    static const BitmapParts none;
    return exist() ? decode().pressed : none;
}

const BitmapParts& PagePictures::hover() const
{
    static const BitmapParts none;
    return exist() ? decode().hover : none;
}
