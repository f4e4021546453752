#include "gfx/GraphicsImpl.h"

#include "gfx/StringFormat.h"

#include <QFontMetricsF>

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
    const QString string =
        QString::fromRawData(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
    const QFontMetricsF metrics(qfont);
    const double width = metrics.horizontalAdvance(string);
    const double lineHeight = metrics.lineSpacing();
    // A sixth of an em of room at both ends of the line, as the layout
    // rectangles of the screen were drawn for.
    const double margin = qfont.pixelSize() / 6.0;

    const StringAlignment horizontal = format ? format->alignment() : StringAlignment::near;
    const StringAlignment vertical = format ? format->lineAlignment() : StringAlignment::near;
    const double x = aligned(horizontal, layout.x, layout.width, width, margin);
    const double top = aligned(vertical, layout.y, layout.height, lineHeight, 0.0);

    const bool bounded = layout.width > 0 && layout.height > 0;
    const bool clipped =
        bounded && (width + 2 * margin > layout.width || lineHeight > layout.height);
    if (clipped)
        d_->painter->setClipRect(QRectF(layout.x, layout.y, layout.width, layout.height),
                                 Qt::IntersectClip);
    d_->painter->setFont(qfont);
    d_->painter->setPen(QPen(qbrush->color()));
    d_->painter->drawText(QPointF(x, top + metrics.ascent()), string);
    if (clipped)
        d_->applyClip();
}

} // namespace gfx
