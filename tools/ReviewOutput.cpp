#include "tools/ReviewOutput.h"

#include "aircraft/InstrumentProfile.h"
#include "gfx/Bitmap.h"
#include "gfx/Graphics.h"
#include "gfx/SvgFile.h"
#include "review/FlightReview.h"
#include "review/ReviewPicture.h"

#include <QImage>
#include <QString>

#include <cstdio>

namespace {

bool endsWithSvg(const std::string& path) {
    return path.ends_with(".svg") || path.ends_with(".SVG");
}

bool writePng(const std::string& path, int width, int height, const FlightReview& review,
              const AircraftProfile& profile) {
    gfx::Bitmap page(width, height);
    {
        gfx::Graphics graphics(page);
        drawReview(graphics, width, height, review, profile);
    }
    return page.image()
        .convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(path), "PNG");
}

bool writeSvg(const std::string& path, int width, int height, const FlightReview& review,
              const AircraftProfile& profile) {
    gfx::SvgFile file(path, width, height, u"Flight review");
    gfx::Graphics graphics(file.device());
    if (!graphics.valid())
        return false;
    drawReview(graphics, width, height, review, profile);
    return true;
}

} // namespace

ReviewOutcome writeReview(const SnapshotOptions& options) {
    const AircraftProfile& profile = options.aircraft ? *options.aircraft : instrumentProfile;
    const int width = options.size ? options.size->width : reviewWidth;
    const int height = options.size ? options.size->height : reviewHeight;
    const ReviewReading reading = reviewLogFile(*options.replay, profile, reviewPlotColumns(width));
    if (!reading.review)
        return {2, reading.error};
    const std::string& path = *options.review;
    const bool written = endsWithSvg(path)
                             ? writeSvg(path, width, height, *reading.review, profile)
                             : writePng(path, width, height, *reading.review, profile);
    if (!written)
        return {1, "cannot write " + path};
    return {};
}
