#include "gfx/GraphicsImpl.h"

#include "gfx/StringFormat.h"
#include "gfx/TextLayouts.h"

#include <QPaintEngine>

namespace gfx {

namespace {

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
    const TextLayout& line = layoutOf(qfont, text);
    const double width = line.width;
    const double lineSpacing = line.lineSpacing;
    // A sixth of an em of room at both ends of the line, as the layout
    // rectangles of the screen were drawn for.
    const double margin = qfont.pixelSize() / 6.0;

    const StringAlignment horizontal = format ? format->alignment() : StringAlignment::near;
    const StringAlignment vertical = format ? format->lineAlignment() : StringAlignment::near;
    const QPointF baseline(aligned(horizontal, layout.x, layout.width, width, margin),
                           aligned(vertical, layout.y, layout.height, lineSpacing, 0.0) +
                               line.ascent);

    const bool bounded = layout.width > 0 && layout.height > 0;
    const bool clipped =
        bounded && (width + 2 * margin > layout.width || lineSpacing > layout.height);
    if (clipped)
        d_->painter->setClipRect(QRectF(layout.x, layout.y, layout.width, layout.height),
                                 Qt::IntersectClip);
    d_->painter->setPen(QPen(qbrush->color()));
    // A vector picture keeps its text as text, so that it stays sharp and
    // can be found; glyph runs would reach it as outlines or not at all.
    const bool vector = d_->painter->paintEngine()->type() == QPaintEngine::SVG;
    if (line.run && !vector) {
        d_->painter->drawGlyphRun(baseline, *line.run);
    } else {
        d_->painter->setFont(qfont);
        d_->painter->drawText(baseline,
                              QString::fromRawData(reinterpret_cast<const QChar*>(text.data()),
                                                   qsizetype(text.size())));
    }
    if (clipped)
        d_->applyClip();
}

} // namespace gfx
