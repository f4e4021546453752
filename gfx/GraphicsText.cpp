#include "gfx/GraphicsImpl.h"

#include "gfx/StringFormat.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>

#include <optional>

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

// Offset of a span of `extent` within `room` starting at `start`.
double aligned(StringAlignment alignment, double start, double room, double extent, double margin) {
    switch (alignment) {
    case StringAlignment::near:
        return start + margin;
    case StringAlignment::center:
        return start + (room - extent) / 2.0;
    case StringAlignment::far:
        break;
    }
    return start + room - margin - extent;
}

} // namespace

void Graphics::drawString(std::u16string_view text, const Font* font, RectF layout,
                          const StringFormat* format, const SolidBrush* brush) {
    if (!usable())
        return;
    const QFont* baseFont = GraphicsAccess::font(font);
    const QBrush* qbrush = GraphicsAccess::brush(brush);
    if (!baseFont || !qbrush || (format && !format->valid()) || !finite(layout)) {
        fail(Status::invalidParameter);
        return;
    }
    if (text.empty())
        return;

    QFont qfont = *baseFont;
    if (d_->state.textHint != TextRenderingHint::antiAlias)
        qfont.setStyleStrategy(QFont::NoAntialias);
    const QString string =
        QString::fromRawData(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
    const QRawFont raw = QRawFont::fromFont(qfont);
    const QFontMetricsF metrics(qfont);
    double width = 0;
    const std::optional<QGlyphRun> run =
        raw.isValid() ? glyphRun(raw, string, width) : std::nullopt;
    if (!run)
        width = metrics.horizontalAdvance(string);
    const double ascent = metrics.ascent();
    const double lineSpacing = metrics.lineSpacing();
    // A sixth of an em of room at both ends of the line, as the layout
    // rectangles of the screen were drawn for.
    const double margin = qfont.pixelSize() / 6.0;

    const StringAlignment horizontal = format ? format->alignment() : StringAlignment::near;
    const StringAlignment vertical = format ? format->lineAlignment() : StringAlignment::near;
    const QPointF baseline(aligned(horizontal, layout.x, layout.width, width, margin),
                           aligned(vertical, layout.y, layout.height, lineSpacing, 0.0) + ascent);

    const bool bounded = layout.width > 0 && layout.height > 0;
    const bool clipped =
        bounded && (width + 2 * margin > layout.width || lineSpacing > layout.height);
    if (clipped)
        d_->painter->setClipRect(QRectF(layout.x, layout.y, layout.width, layout.height),
                                 Qt::IntersectClip);
    d_->painter->setPen(QPen(qbrush->color()));
    if (run) {
        d_->painter->drawGlyphRun(baseline, *run);
    } else {
        d_->painter->setFont(qfont);
        d_->painter->drawText(baseline, string);
    }
    if (clipped)
        d_->applyClip();
}

} // namespace gfx
