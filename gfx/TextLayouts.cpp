#include "gfx/TextLayouts.h"

#include <QFontMetricsF>
#include <QRawFont>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace gfx {

namespace {

// The text as one run of the font's own glyphs, placed by their advances;
// none when the font lacks a glyph for a character of it.
std::optional<QGlyphRun> glyphRun(const QRawFont& font, const QString& text, double& width) {
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    if (glyphs.size() != text.size() || glyphs.contains(0))
        return std::nullopt;
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    width = 0;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(width, 0));
        width += advance.x();
    }
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    return run;
}

TextLayout layOut(const QFont& font, std::u16string_view text) {
    const QString string(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
    const QRawFont raw = QRawFont::fromFont(font);
    const QFontMetricsF metrics(font);
    TextLayout layout;
    layout.run = raw.isValid() ? glyphRun(raw, string, layout.width) : std::nullopt;
    if (!layout.run)
        layout.width = metrics.horizontalAdvance(string);
    layout.ascent = metrics.ascent();
    layout.lineSpacing = metrics.lineSpacing();
    return layout;
}

// Looked up by the drawn text itself, with no copy of it made.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
        return std::hash<std::u16string_view>{}(text);
    }
};
using Lines = std::unordered_map<std::u16string, TextLayout, TextHash, std::equal_to<>>;

// The layouts of one font. Readouts bring new strings as values change, so a
// full table starts again rather than grow.
struct FontLayouts {
    QFont font;
    Lines lines;
};
constexpr std::size_t mostLines = 512;
constexpr std::size_t mostFonts = 16;

std::vector<FontLayouts>& fonts() {
    static std::vector<FontLayouts> kept;
    return kept;
}

} // namespace

const TextLayout& layoutOf(const QFont& font, std::u16string_view text) {
    std::vector<FontLayouts>& kept = fonts();
    auto entry = std::find_if(kept.begin(), kept.end(),
                              [&](const FontLayouts& f) { return f.font == font; });
    if (entry == kept.end()) {
        if (kept.size() == mostFonts)
            kept.clear();
        kept.push_back({font, {}});
        entry = kept.end() - 1;
    }
    Lines& lines = entry->lines;
    if (const auto line = lines.find(text); line != lines.end())
        return line->second;
    if (lines.size() == mostLines)
        lines.clear();
    return lines.emplace(std::u16string(text), layOut(font, text)).first->second;
}

} // namespace gfx
