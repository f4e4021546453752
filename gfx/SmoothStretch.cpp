#include "gfx/SmoothStretch.h"

#include "gfx/GraphicsImpl.h"
#include "gfx/StretchRows.h"

#include <QPaintEngine>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace gfx {

namespace {

// The painter samples in 16.16 fixed point from pixel centres and fetches a
// span at most 2048 pixels at a time.
constexpr int fixedScale = 1 << 16;
constexpr int halfPoint = 1 << 15;
constexpr int fetchLength = 2048;

// Device pixel centres to source positions, with the painter's own numbers:
// its inverse of the stretch, nudged by 1/65536 so that it rounds as the
// painter rounds, and its fixed-point expressions.
struct Mapping {
    double m11, m12, m21, m22, dx, dy;
    int step; // source x per device pixel, 16.16
    int width, height;

    double x(int deviceX, int deviceY) const {
        const double cx = deviceX + 0.5;
        const double cy = deviceY + 0.5;
        return (m21 * cy + m11 * cx + dx) * fixedScale;
    }
    double y(int deviceX, int deviceY) const {
        const double cx = deviceX + 0.5;
        const double cy = deviceY + 0.5;
        return (m22 * cy + m12 * cx + dy) * fixedScale;
    }
    bool operator==(const Mapping&) const = default;
};

bool fitsFixed(double value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// The mapping of a plain enlargement, or a shrink of the width to no less
// than half, placed on whole device pixels; none for anything else.
std::optional<Mapping> mappingOf(const QTransform& device, QRectF target, QSize source) {
    QTransform stretch = device;
    stretch.translate(target.x(), target.y());
    stretch.scale(target.width() / source.width(), target.height() / source.height());
    QTransform nudge;
    nudge.translate(1.0 / 65536, 1.0 / 65536);
    const QTransform inverse = (nudge * stretch).inverted();
    const Mapping m{.m11 = inverse.m11(),
                    .m12 = inverse.m12(),
                    .m21 = inverse.m21(),
                    .m22 = inverse.m22(),
                    .dx = inverse.dx(),
                    .dy = inverse.dy(),
                    .step = 0,
                    .width = source.width(),
                    .height = source.height()};
    const double f1 = m.m11 * m.m11 + m.m21 * m.m21;
    const double f2 = m.m12 * m.m12 + m.m22 * m.m22;
    const bool fastMatrix = inverse.isAffine() && f1 < 1e4 && f2 < 1e4 && f1 > 1.0 / 65536 &&
                            f2 > 1.0 / 65536 && std::abs(m.dx) < 1e4 && std::abs(m.dy) < 1e4;
    if (!fastMatrix || m.m12 != 0 || m.m21 != 0 || m.m11 <= 0 || m.m22 <= 0)
        return std::nullopt;
    Mapping mapping = m;
    mapping.step = int(m.m11 * fixedScale);
    if (mapping.step <= 0 || mapping.step > 2 * fixedScale)
        return std::nullopt;
    return mapping;
}

// Where each pixel of a device span samples a blended row: its left column
// and weight, clamped at the picture's edges as the painter clamps. The
// painter's fetch starts at `rowLeft` and again every 2048 pixels from there;
// a span that starts later takes the positions that fetch gives its pixels.
struct ColumnTable {
    int rowLeft = 0;
    int deviceLeft = 0;
    stretch::RowSampling sampling;
};

ColumnTable columnsOf(const Mapping& m, int rowLeft, int deviceLeft, int length, int deviceY) {
    std::vector<std::int32_t> lefts(static_cast<std::size_t>(length));
    std::vector<int> weights(static_cast<std::size_t>(length));
    const int first = deviceLeft - rowLeft;
    int fx = 0;
    for (int i = 0; i < length; ++i, fx += m.step) {
        const int along = first + i;
        if (i == 0 || along % fetchLength == 0) {
            const int restart = along - along % fetchLength;
            fx = int(m.x(rowLeft + restart, deviceY)) - halfPoint + (along - restart) * m.step;
        }
        const int column = fx >> 16;
        int left = column;
        int weight = (fx & 0xffff) >> 8;
        if (column < 0) {
            left = 0;
            weight = 0;
        } else if (column >= m.width - 1) {
            left = m.width - 2; // the last column itself, whole
            weight = 256;
        }
        lefts[std::size_t(i)] = left;
        weights[std::size_t(i)] = weight;
    }
    return {rowLeft, deviceLeft, stretch::RowSampling(lefts, weights)};
}

struct RowSample {
    int top;
    int bottom;
    int weight;
};

RowSample rowOf(const Mapping& m, int deviceLeft, int deviceY) {
    const int fy = int(m.y(deviceLeft, deviceY)) - halfPoint;
    const int row = fy >> 16;
    if (row < 0)
        return {0, 0, 0};
    if (row >= m.height - 1)
        return {m.height - 1, m.height - 1, 0};
    return {row, row + 1, (fy & 0xffff) >> 8};
}

// What a stretch keeps from one frame to the next: the column tables of the
// spans it drew, while the mapping stays, and its working rows.
struct StretchMemory {
    std::optional<Mapping> mapping;
    std::vector<ColumnTable> tables;
    std::vector<std::uint32_t> blended;
    std::vector<std::uint32_t> row; // a stretched row to lay over the device

    const ColumnTable& columns(const Mapping& m, int rowLeft, int deviceLeft, int length,
                               int deviceY) {
        if (mapping != m) {
            mapping = m;
            tables.clear();
        }
        for (const ColumnTable& table : tables)
            if (table.rowLeft == rowLeft && table.deviceLeft == deviceLeft &&
                table.sampling.size() == length)
                return table;
        // A clip of many pieces is redone, not hoarded; a frame's changed
        // areas come in a dozen or so.
        constexpr std::size_t mostSpans = 24;
        if (tables.size() == mostSpans)
            tables.clear();
        tables.push_back(columnsOf(m, rowLeft, deviceLeft, length, deviceY));
        return tables.back();
    }
};

StretchMemory& memory() {
    static StretchMemory kept;
    return kept;
}

bool ownStretch = true;
long long stretchesDrawn = 0;

// The clip in force in device pixels: the device, the system clip and the
// context's own rectangle; none when the context clips to a path or to
// fractions of pixels.
std::optional<QRegion> deviceClip(const Graphics::Impl& d, QPoint redirection) {
    QPaintEngine* engine = d.painter->paintEngine();
    const QPaintDevice* device = engine->paintDevice();
    QRegion clip(0, 0, device->width(), device->height());
    const QRegion system = engine->systemClip();
    if (!system.isEmpty())
        clip &= system;
    const ClipShape own = intersect(d.state.outer, d.state.local);
    if (own.kind == ClipShape::Kind::path)
        return std::nullopt;
    if (own.kind == ClipShape::Kind::rect) {
        const QRect whole = own.rect.toRect();
        if (QRectF(whole) != own.rect)
            return std::nullopt;
        clip &= whole.translated(redirection);
    }
    return clip;
}

bool integral(double value) {
    return std::isfinite(value) && value == std::floor(value) && std::abs(value) < 1e6;
}

// A frame moved by whole pixels, if at all.
bool wholePixelShift(const QTransform& transform) {
    return transform.type() <= QTransform::TxTranslate && integral(transform.dx()) &&
           integral(transform.dy());
}

// A 32-bit picture smoothly stretched to another size and laid over what is
// there, in full, by the raster painter.
bool plainSmoothBlend(const QPainter& painter, const QImage& image, QRect target) {
    const QPainter::RenderHints hints = painter.renderHints();
    return painter.paintEngine()->type() == QPaintEngine::Raster &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           painter.opacity() == 1.0 && (hints & QPainter::SmoothPixmapTransform) &&
           !(hints & QPainter::Antialiasing) &&
           (image.format() == QImage::Format_RGB32 ||
            image.format() == QImage::Format_ARGB32_Premultiplied) &&
           image.width() >= 2 && !target.isEmpty() && image.size() != target.size();
}

// Every span the painter would fetch fits its fixed-point numbers.
bool withinFixedRange(const Mapping& m, const QRegion& region) {
    if (region.isEmpty())
        return true;
    const QRect box = region.boundingRect();
    for (const int y : {box.top(), box.bottom()}) {
        const double start = m.x(box.left(), y);
        const double end = start + std::trunc(m.m11 * fixedScale) * box.width();
        if (!fitsFixed(start) || !fitsFixed(end) || !fitsFixed(m.y(box.left(), y)))
            return false;
    }
    return true;
}

// The source row a device row samples along, and whether it is opaque where
// sampled: a row of the picture itself where the device row falls on one, or
// the two it falls between blended into `blended`. The row pass reads a
// little past the last column it samples, so rows too near the picture's end
// are read from a copy.
struct SampledRow {
    const std::uint32_t* pixels;
    bool opaque;
};

SampledRow sampledRow(const QImage& image, RowSample sample, const stretch::RowSampling& sampling,
                      std::vector<std::uint32_t>& blended) {
    const auto* upper = reinterpret_cast<const std::uint32_t*>(image.constScanLine(sample.top));
    const int first = sampling.firstColumn();
    const int count = sampling.lastColumn() + 1 - first;
    const qsizetype bytesAfter = qsizetype(image.height() - sample.top) * image.bytesPerLine() -
                                 qsizetype(image.width()) * 4;
    if (sample.weight == 0 && bytesAfter >= stretch::RowSampling::readAhead * 4)
        return {upper, stretch::opaque(upper + first, count)};
    const auto* lower = reinterpret_cast<const std::uint32_t*>(image.constScanLine(sample.bottom));
    const bool opaque = stretch::blendRows(upper + first, lower + first, sample.weight,
                                           blended.data() + first, count);
    return {blended.data(), opaque};
}

// The pixels the painter paints on, where they are a 32-bit image: stretched
// rows go there straight, laid over as the painter would lay them.
QImage* devicePixels(QPainter& painter) {
    QPaintDevice* device = painter.paintEngine()->paintDevice();
    if (device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied
               ? image
               : nullptr;
}

// Stretches the rows of one rectangle of the clip straight onto the device.
// The columns are those of a fetch starting at `rowLeft`.
void drawPieceOnto(QImage& device, const QImage& image, const Mapping& m, QRect piece,
                   int rowLeft) {
    StretchMemory& kept = memory();
    const stretch::RowSampling& sampling =
        kept.columns(m, rowLeft, piece.left(), piece.width(), piece.top()).sampling;
    kept.blended.resize(std::size_t(m.width + stretch::RowSampling::readAhead));
    kept.row.resize(std::size_t(piece.width()));
    for (int y = piece.top(); y <= piece.bottom(); ++y) {
        const SampledRow row = sampledRow(image, rowOf(m, piece.left(), y), sampling, kept.blended);
        // The painter writes the device's pixels in place; so does this.
        auto* onto = reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(device.constScanLine(y))) +
                     piece.left();
        if (row.opaque) {
            sampling.sample(row.pixels, onto);
        } else {
            sampling.sample(row.pixels, kept.row.data());
            stretch::layOver(kept.row.data(), onto, piece.width());
        }
    }
}

} // namespace

bool drawSmoothStretch(Graphics::Impl& d, const QImage& image, QRect target) {
    QPainter& painter = *d.painter;
    QImage* pixels = devicePixels(painter);
    const QTransform device = painter.deviceTransform();
    const QTransform& world = painter.worldTransform();
    if (!ownStretch || !pixels || !stretch::rowPassesAvailable() ||
        !plainSmoothBlend(painter, image, target) || !wholePixelShift(device) ||
        !wholePixelShift(world))
        return false;
    const QPoint deviceOrigin(int(device.dx()), int(device.dy()));
    const QPoint redirection = deviceOrigin - QPoint(int(world.dx()), int(world.dy()));
    const std::optional<QRegion> clip = deviceClip(d, redirection);
    const std::optional<Mapping> mapping = mappingOf(device, QRectF(target), image.size());
    if (!clip || !mapping)
        return false;
    const QRegion region = *clip & target.translated(deviceOrigin);
    if (!withinFixedRange(*mapping, region))
        return false;
    // A shrunk width is fetched in two halves past 1024 pixels; leave that to the painter.
    for (const QRect& piece : region)
        if (mapping->step > fixedScale && piece.width() >= fetchLength / 2)
            return false;

    // As a whole, every row is fetched from where the unclipped stretch
    // starts it on the device; otherwise from each piece's own left, as the
    // painter fetches a clipped span.
    const QRect whole = target.translated(deviceOrigin) & pixels->rect();
    for (const QRect& piece : region)
        drawPieceOnto(*pixels, image, *mapping, piece,
                      d.stretchAsWhole ? whole.left() : piece.left());
    ++stretchesDrawn;
    return true;
}

bool ownStretchCovers(QSize source, QSize target) {
    if (source == target)
        return true; // a plain copy, each pixel from its own
    if (!ownStretch || !stretch::rowPassesAvailable() || source.width() < 2 || target.isEmpty())
        return false;
    const std::optional<Mapping> mapping =
        mappingOf(QTransform(), QRectF(QPoint(), target), source);
    return mapping && !(mapping->step > fixedScale && target.width() >= fetchLength / 2) &&
           withinFixedRange(*mapping, QRegion(QRect(QPoint(), target)));
}

void setOwnStretch(bool on) {
    ownStretch = on;
}

long long ownStretchesDrawn() {
    return stretchesDrawn;
}

} // namespace gfx
