#pragma once

#include "gfx/Owned.h"
#include "gfx/Types.h"

#include <string>
#include <string_view>

class QFont;
class QString;

namespace gfx {

// A typeface family as the system's font configuration resolves it. A family
// is found when the configuration gives the family asked for or one of its
// metric-compatible twins; otherwise the object stays absent with
// fontFamilyNotFound, and the caller may take genericSansSerif() instead.
class FontFamily {
public:
    FontFamily(); // absent
    explicit FontFamily(std::u16string_view name);
    static FontFamily genericSansSerif();
    FontFamily(FontFamily&&) noexcept;
    FontFamily& operator=(FontFamily&&) noexcept;
    ~FontFamily();

    bool valid() const { return bool(family_); }
    // The installed family that will draw the text.
    std::u16string name() const;
    Status lastStatus() const { return lastStatus_; }

private:
    friend class Font;
    Owned<QString, ObjectKind::fontFamily> family_;
    Status lastStatus_ = Status::ok;
};

// A font of a family at an em size in pixels (rounded to whole pixels).
class Font {
public:
    Font(); // absent
    Font(const FontFamily* family, float emSizePixels, FontStyle style);
    Font(Font&&) noexcept;
    Font& operator=(Font&&) noexcept;
    ~Font();

    bool valid() const { return bool(font_); }
    float size() const;
    FontStyle style() const;
    std::u16string familyName() const;
    Status lastStatus() const { return lastStatus_; }

private:
    friend struct GraphicsAccess;
    Owned<QFont, ObjectKind::font> font_;
    Status lastStatus_ = Status::ok;
};

} // namespace gfx
