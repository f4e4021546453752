#include "review/ReviewLook.h"

#include "alarms/AlarmMessage.h"
#include "review/FlightReview.h"
#include "review/ReviewText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The cylinders' colours, 1 to 6, and those of a plot's left and right line.
constexpr std::array<gfx::Argb, 6> cylinderColours = {0xFF1F5FBF, 0xFFB0308C, 0xFF11908F,
                                                      0xFF8A5A2B, 0xFF6A3FB5, 0xFF3C3C3C};
constexpr gfx::Argb leftColour = 0xFF1D3F7A;
constexpr gfx::Argb rightColour = 0xFFB35C00;
constexpr gfx::Argb inkColour = 0xFF202020;
constexpr gfx::Argb paperColour = 0xFFFFFFFF;
constexpr gfx::Argb paleColour = 0xFFFAFAFA;
constexpr gfx::Argb frameColour = 0xFF8C8C8C;
constexpr gfx::Argb gridColour = 0xFFE6E6E6;
constexpr gfx::Argb cautionShade = 0xFFFBF0C2;
constexpr gfx::Argb warningShade = 0xFFF8D3D3;
constexpr gfx::Argb cautionLine = 0xFFD4A000;
constexpr gfx::Argb warningLine = 0xFFD01818;

gfx::Argb colourOf(const SeriesRow& row) {
    if (row.cylinder >= 0)
        return cylinderColours[std::size_t(row.cylinder)];
    return row.side == Side::left ? leftColour : rightColour;
}

std::string tickText(double value, double step) {
    // Enough digits for the step: 2.5 needs one, 0.25 two.
    int decimals = 0;
    while (decimals < 3 && std::abs(step * std::pow(10.0, decimals) -
                                    std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

ReviewLook::ReviewLook(gfx::Graphics& graphics, int width, int height)
    : graphics(graphics),
      scale(std::clamp(std::min(float(width) / 1600.0f, float(height) / 1200.0f), 0.5f, 4.0f)),
      line(15.0f * scale * 1.4f), family(u"Liberation Sans"), ink(inkColour), paper(paperColour),
      pale(paleColour), shades{gfx::SolidBrush(cautionShade), gfx::SolidBrush(warningShade)},
      frame(frameColour, 1.0f), grid(gridColour, 1.0f), limits{gfx::Pen(cautionLine, 1.5f * scale),
                                                               gfx::Pen(warningLine, 1.5f * scale)},
      sideBrushes{gfx::SolidBrush(leftColour), gfx::SolidBrush(rightColour)} {
    if (!family.valid())
        family = gfx::FontFamily::genericSansSerif();
    titleFont = gfx::Font(&family, 24.0f * scale, gfx::FontStyle::bold);
    bodyFont = gfx::Font(&family, 15.0f * scale, gfx::FontStyle::regular);
    boldFont = gfx::Font(&family, 15.0f * scale, gfx::FontStyle::bold);
    smallFont = gfx::Font(&family, 13.0f * scale, gfx::FontStyle::regular);
    const float dashes[] = {5, 3};
    for (gfx::Pen& pen : limits)
        pen.setDashPattern(dashes);
    for (std::size_t s = 0; s < seriesCount; ++s) {
        seriesPens[s] = gfx::Pen(colourOf(seriesRows[s]), 1.2f * scale);
        seriesPens[s].setRoundJoins();
        markPens[s] = gfx::Pen(colourOf(seriesRows[s]), 2.0f * scale);
        seriesBrushes[s] = gfx::SolidBrush(colourOf(seriesRows[s]));
    }
    centre.setAlignment(gfx::StringAlignment::center);
    centre.setLineAlignment(gfx::StringAlignment::center);
    far.setAlignment(gfx::StringAlignment::far);
    graphics.setSmoothingMode(gfx::SmoothingMode::antiAlias);
    graphics.setTextRenderingHint(gfx::TextRenderingHint::antiAlias);
}

int ReviewLook::sideMargin(int width) {
    return std::max(40, int(std::lround(width * 0.05)));
}

void ReviewLook::page(int width, int height) {
    graphics.fillRectangle(&paper, gfx::RectF{0, 0, float(width), float(height)});
}

void ReviewLook::text(const std::string& text, const gfx::Font& font, gfx::RectF area,
                      gfx::StringAlignment alignment, const gfx::SolidBrush* brush) {
    const gfx::StringFormat* format = alignment == gfx::StringAlignment::center ? &centre
                                      : alignment == gfx::StringAlignment::far  ? &far
                                                                                : &near;
    graphics.drawString(utf16(text), &font, area, format, brush ? brush : &ink);
}

void ReviewLook::swatch(int cylinder, gfx::RectF area) {
    const gfx::SolidBrush brush(cylinderColours[std::size_t(std::clamp(cylinder, 0, 5))]);
    graphics.fillRectangle(&brush, area);
}

void ReviewLook::gridLine(float x1, float y1, float x2, float y2) {
    graphics.drawLine(&grid, x1, y1, x2, y2);
}

void ReviewLook::shade(int level, gfx::RectF area) {
    graphics.fillRectangle(&shades[level >= 2 ? 1 : 0], area);
}

void ReviewLook::seriesLine(std::size_t series, const std::vector<gfx::PointF>& points) {
    graphics.drawLines(&seriesPens[series], points);
}

void ReviewLook::peakMark(std::size_t series, float x, float y) {
    const float arm = line * 0.35f;
    graphics.drawLine(&markPens[series], x - arm, y - arm, x + arm, y + arm);
    graphics.drawLine(&markPens[series], x - arm, y + arm, x + arm, y - arm);
}

void ReviewLook::limitLine(bool red, float x1, float y, float x2) {
    graphics.drawLine(&limits[red ? 1 : 0], x1, y, x2, y);
}

void ReviewLook::axisLabels(const AxisScale& axis, Side side, gfx::RectF area, bool coloured) {
    const float width = float(sideMargin(int(area.x * 2 + area.width))) - 6;
    const float x = side == Side::left ? area.x - width - 4 : area.x + area.width + 4;
    const gfx::StringAlignment alignment =
        side == Side::left ? gfx::StringAlignment::far : gfx::StringAlignment::near;
    const gfx::SolidBrush* brush = coloured ? &sideBrushes[side == Side::left ? 0 : 1] : nullptr;
    for (double value = axis.low; value <= axis.high + axis.step / 2; value += axis.step) {
        const float y = axis.yOf(value);
        if (side == Side::left)
            gridLine(area.x, y, area.x + area.width, y);
        text(tickText(value, axis.step), smallFont, {x, y - line / 2, width, line}, alignment,
             brush);
    }
}

void ReviewLook::plotBackground(gfx::RectF area) {
    graphics.fillRectangle(&pale, area);
}

void ReviewLook::plotFrame(gfx::RectF area) {
    graphics.drawRectangle(&frame, area);
}

void ReviewLook::plotTitle(const PlotRow& row, gfx::RectF area, const FlightReview& review,
                           const AircraftProfile& profile) {
    const auto unitOf = [&](const SeriesRow& series) {
        return std::string(unitRow(displayUnit(series.gauge, profile)).symbol);
    };
    std::string title(row.title);
    float x = area.x + area.width - 6;
    const int cylinders = shownCylinders(review, profile);
    for (std::size_t s = seriesCount; s-- > 0;) {
        const SeriesRow& series = seriesRows[s];
        if (series.plot != row.plot || series.cylinder >= cylinders || !logHas(review, series))
            continue;
        // Cylinders share the title's unit; other lines name their own.
        const bool cylinder = series.cylinder >= 0;
        const std::string label =
            failedProbe(review, series) ? std::string(series.label) + " failed"
            : cylinder                  ? std::string(series.label)
                                        : std::string(series.label) + " (" + unitOf(series) + ")";
        if (cylinder && series.cylinder == 0)
            title += " (" + unitOf(series) + ")";
        const float width = line * (label.size() == 1 ? 2.0f : 1.4f + 0.55f * float(label.size()));
        x -= width;
        graphics.fillRectangle(&seriesBrushes[s],
                               gfx::RectF{x, area.y + line * 0.45f, line * 0.8f, line * 0.22f});
        text(label, boldFont, {x + line * 0.85f, area.y + 2, width, line},
             gfx::StringAlignment::near, &seriesBrushes[s]);
    }
    text(title, boldFont, {area.x + 6, area.y + 2, area.width / 2, line});
}
