#include "review/ReviewPicture.h"

#include "alarms/AlarmMessage.h"
#include "review/ReviewLook.h"
#include "review/ReviewScale.h"
#include "review/ReviewText.h"

#include "gfx/Graphics.h"

#include <algorithm>
#include <cmath>

namespace {

struct Frame {
    gfx::RectF area; // the plot's own rectangle, inside its axes
    double span = 0; // seconds across it
};

float xOf(const Frame& frame, double time) {
    return frame.area.x + float(time / frame.span) * frame.area.width;
}

void drawFigures(ReviewLook& look, const FlightReview& review, const AircraftProfile& profile,
                 gfx::RectF area) {
    const float line = look.lineHeight();
    const std::string title =
        (review.tailNumber.empty() ? std::string("Flight review") : review.tailNumber) +
        " \xc2\xb7 " + startText(review);
    look.text(title, look.titleFont, {area.x, area.y, area.width, line * 1.5f});
    look.text(review.file, look.smallFont, {area.x, area.y + line * 1.5f, area.width, line});
    float y = area.y + line * 2.7f;
    for (const std::string& text : headerLines(review, profile)) {
        look.text(text, look.bodyFont, {area.x, y, area.width, line});
        y += line;
    }
}

// Each cylinder's row: its colour and number, then its figures.
void drawCylinderTable(ReviewLook& look, const FlightReview& review, const AircraftProfile& profile,
                       gfx::RectF area) {
    const float line = look.lineHeight();
    const float numberWidth = line * 2.2f;
    const std::vector<std::string> heads = cylinderHeads(review);
    const float cellWidth = (area.width - numberWidth) / float(heads.size());
    look.text("cyl", look.boldFont, {area.x, area.y, numberWidth, line});
    for (std::size_t i = 0; i < heads.size(); ++i)
        look.text(heads[i], look.boldFont,
                  {area.x + numberWidth + cellWidth * float(i), area.y, cellWidth, line});
    float y = area.y + line;
    for (const CylinderLine& row : cylinderLines(review, profile)) {
        look.swatch(row.cylinder, {area.x, y + line * 0.35f, line * 0.9f, line * 0.3f});
        look.text(std::to_string(row.cylinder + 1), look.bodyFont,
                  {area.x + line, y, numberWidth - line, line});
        for (std::size_t i = 0; i < row.cells.size() && i < heads.size(); ++i)
            look.text(row.cells[i], look.bodyFont,
                      {area.x + numberWidth + cellWidth * float(i), y, cellWidth, line});
        y += line;
    }
}

void drawTimeAxis(ReviewLook& look, const FlightReview& review, const Frame& frame, float bottom) {
    const double step = timeStep(frame.span, frame.area.width);
    const double offset = clockAt(review, 0);
    for (double clock = std::ceil(offset / step) * step; clock - offset <= frame.span;
         clock += step) {
        const float x = xOf(frame, clock - offset);
        look.text(hourMinuteText(clock), look.smallFont,
                  {x - 40, bottom + 2, 80, look.lineHeight()}, gfx::StringAlignment::center);
    }
    look.text(review.start ? (review.utc ? "time (UTC)" : "time of day")
                           : "time from the first row",
              look.smallFont,
              {frame.area.x, bottom + look.lineHeight(), frame.area.width, look.lineHeight()},
              gfx::StringAlignment::center);
}

void drawTimeGrid(ReviewLook& look, const FlightReview& review, const Frame& frame) {
    const double step = timeStep(frame.span, frame.area.width);
    const double offset = clockAt(review, 0);
    for (double clock = std::ceil(offset / step) * step; clock - offset <= frame.span;
         clock += step) {
        const float x = xOf(frame, clock - offset);
        look.gridLine(x, frame.area.y, x, frame.area.y + frame.area.height);
    }
}

void drawShading(ReviewLook& look, const FlightReview& review, Plot plot, const Frame& frame) {
    const int columns = int(frame.area.width);
    const std::vector<AlarmLevel> levels =
        levelsPerColumn(review.alarms[std::size_t(plot)], review.binLength, frame.span, columns);
    for (int c = 0; c < columns;) {
        const AlarmLevel level = levels[std::size_t(c)];
        int end = c + 1;
        while (end < columns && levels[std::size_t(end)] == level)
            ++end;
        if (level)
            look.shade(level,
                       {frame.area.x + float(c), frame.area.y, float(end - c), frame.area.height});
        c = end;
    }
}

// One line: a polyline through every column's first, lowest, highest and
// last value, broken wherever the log has a gap.
void drawSeries(ReviewLook& look, std::size_t s, const std::vector<PlotBin>& columns,
                const Frame& frame, const AxisScale& scale, UnitConversion shown) {
    std::vector<gfx::PointF> points;
    const auto y = [&](float value) { return scale.yOf(shown(value)); };
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const PlotBin& bin = columns[c];
        if (!bin.filled)
            continue;
        if (!bin.joined) {
            look.seriesLine(s, points);
            points.clear();
        }
        const float x = frame.area.x + float(c) + 0.5f;
        for (const float value : {bin.first, bin.low, bin.high, bin.last})
            points.push_back({x, y(value)});
    }
    look.seriesLine(s, points);
}

// Where each cylinder peaked in the lean sweeps: a mark on its line.
void markPeaks(ReviewLook& look, const FlightReview& review, const std::vector<std::size_t>& lines,
               const Frame& frame, const AxisScale& scale, UnitConversion shown) {
    for (const LeanSweep& sweep : review.sweeps)
        for (const std::size_t s : lines) {
            const auto c = std::size_t(seriesRows[s].cylinder);
            if (c < sweep.peaks.size() && sweep.peaks[c])
                look.peakMark(s, xOf(frame, sweep.peaks[c]->time),
                              scale.yOf(shown(sweep.peaks[c]->egt)));
        }
}

void drawSide(ReviewLook& look, const FlightReview& review, const AircraftProfile& profile,
              Plot plot, Side side, const Frame& frame) {
    std::vector<std::size_t> lines;
    for (std::size_t s = 0; s < seriesCount; ++s)
        if (seriesRows[s].plot == plot && seriesRows[s].side == side &&
            seriesRows[s].cylinder < shownCylinders(review, profile) &&
            !failedProbe(review, seriesRows[s]))
            lines.push_back(s);
    if (lines.empty())
        return;
    const Gauge gauge = seriesRows[lines.front()].gauge;
    const UnitConversion shown = conversionBetween(engineUnit(gauge), displayUnit(gauge, profile));
    std::vector<std::vector<PlotBin>> columns;
    ValueSpan values;
    for (const std::size_t s : lines) {
        columns.push_back(
            binsPerColumn(review.series[s], review.binLength, frame.span, int(frame.area.width)));
        for (const PlotBin& bin : columns.back())
            if (bin.filled)
                values.take(shown(bin.low)), values.take(shown(bin.high));
    }
    const std::vector<double> limits = limitLines(profile.gauge(gauge), shown);
    // The top line of the plot is its title's.
    const float titleRoom = look.lineHeight() * 1.2f;
    const AxisScale scale = axisScale(values, limits, frame.area.y + titleRoom,
                                      frame.area.height - titleRoom - look.lineHeight() * 0.3f);
    if (!scale.valid)
        return;
    look.axisLabels(scale, side, frame.area, seriesRows[lines.front()].cylinder < 0);
    for (const LimitLine& limit : limitMarks(profile.gauge(gauge), shown))
        if (scale.shows(limit.value))
            look.limitLine(limit.red, frame.area.x, scale.yOf(limit.value),
                           frame.area.x + frame.area.width);
    for (std::size_t i = 0; i < lines.size(); ++i)
        drawSeries(look, lines[i], columns[i], frame, scale, shown);
    if (plot == Plot::egt)
        markPeaks(look, review, lines, frame, scale, shown);
}

void drawPlot(ReviewLook& look, const FlightReview& review, const AircraftProfile& profile,
              const PlotRow& row, const Frame& frame) {
    look.plotBackground(frame.area);
    drawShading(look, review, row.plot, frame);
    drawTimeGrid(look, review, frame);
    bool any = false;
    for (const SeriesRow& series : seriesRows)
        any = any || (series.plot == row.plot && logHas(review, series));
    if (!any) {
        look.text(std::string(row.title) + ": " + std::string(noData), look.bodyFont, frame.area,
                  gfx::StringAlignment::center);
    } else {
        drawSide(look, review, profile, row.plot, Side::left, frame);
        drawSide(look, review, profile, row.plot, Side::right, frame);
    }
    look.plotFrame(frame.area);
    look.plotTitle(row, frame.area, review, profile);
}

} // namespace

int reviewPlotColumns(int width) {
    return std::max(1, width - 2 * ReviewLook::sideMargin(width));
}

void drawReview(gfx::Graphics& graphics, int width, int height, const FlightReview& review,
                const AircraftProfile& profile) {
    ReviewLook look(graphics, width, height);
    look.page(width, height);
    const float margin = float(ReviewLook::sideMargin(width));
    const float line = look.lineHeight();
    const float headerHeight = line * std::max(2.9f + float(headerLines(review, profile).size()),
                                               1.5f + float(cylinderLines(review, profile).size()));
    // The figures take the left half, the cylinders' table the right.
    const float half = float(width) / 2;
    drawFigures(look, review, profile, {line, line * 0.6f, half - 2 * line, headerHeight});
    drawCylinderTable(look, review, profile, {half, line * 0.6f, half - line, headerHeight});
    const float top = line * 0.6f + headerHeight;
    const float bottom = float(height) - line * 2.6f;
    const float gap = line * 1.1f;
    float weights = 0;
    for (const PlotRow& row : plotRows)
        weights += row.height;
    const float room = bottom - top - gap * float(plotCount - 1);
    float y = top;
    const double span = std::max(review.figures.length, 1.0);
    Frame frame;
    for (const PlotRow& row : plotRows) {
        const float plotHeight = room * row.height / weights;
        frame = {{margin, y, float(reviewPlotColumns(width)), plotHeight}, span};
        drawPlot(look, review, profile, row, frame);
        y += plotHeight + gap;
    }
    drawTimeAxis(look, review, frame, frame.area.y + frame.area.height);
}
