#pragma once

// Lines of text laid out once and kept: the screen draws the same labels, in
// the same few fonts, every frame.

#include <QFont>
#include <QGlyphRun>

#include <optional>
#include <string_view>

namespace gfx {

// One line of text in one font, ready to draw: its glyphs placed along the
// baseline (none when the font lacks a glyph for a character of it; the
// text is then drawn as text), its advance and the font's line metrics.
struct TextLayout {
    std::optional<QGlyphRun> run;
    double width = 0;
    double ascent = 0;
    double lineSpacing = 0;
};

// The layout of `text` in `font`, from the last frames' when they laid it out.
const TextLayout& layoutOf(const QFont& font, std::u16string_view text);

} // namespace gfx
