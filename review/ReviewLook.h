#pragma once

#include "review/ReviewPlots.h"
#include "review/ReviewScale.h"

#include "gfx/Font.h"
#include "gfx/Graphics.h"
#include "gfx/Pen.h"
#include "gfx/SolidBrush.h"
#include "gfx/StringFormat.h"

#include <array>
#include <string>
#include <vector>

struct FlightReview;
struct AircraftProfile;

// How a review looks: a white page for print, dark text, one colour per
// cylinder (none of them red, yellow or green, which mean what they mean on
// the screen), limits dashed in red and yellow, alarms shaded in pale red
// and yellow. Sizes follow the page.
class ReviewLook {
public:
    ReviewLook(gfx::Graphics& graphics, int width, int height);

    // The room left and right of the plots for their scales.
    static int sideMargin(int width);
    float lineHeight() const { return line; }

    void page(int width, int height);
    void text(const std::string& text, const gfx::Font& font, gfx::RectF area,
              gfx::StringAlignment alignment = gfx::StringAlignment::near,
              const gfx::SolidBrush* brush = nullptr);
    void swatch(int cylinder, gfx::RectF area);
    void gridLine(float x1, float y1, float x2, float y2);
    void shade(int level, gfx::RectF area);
    void seriesLine(std::size_t series, const std::vector<gfx::PointF>& points);
    void limitLine(bool red, float x1, float y, float x2);
    // A small cross on a line where a cylinder peaked.
    void peakMark(std::size_t series, float x, float y);
    // A scale's numbers beside the plot, in its line's colour where the
    // plot has a line a side; the left's grid lines across the plot.
    void axisLabels(const AxisScale& scale, Side side, gfx::RectF area, bool coloured);
    void plotBackground(gfx::RectF area);
    void plotFrame(gfx::RectF area);
    // The title top left inside the plot, the legend of its lines top right.
    void plotTitle(const PlotRow& row, gfx::RectF area, const FlightReview& review,
                   const AircraftProfile& profile);

    gfx::Font titleFont;
    gfx::Font bodyFont;
    gfx::Font boldFont;
    gfx::Font smallFont;

private:
    gfx::Graphics& graphics;
    float scale;
    float line;
    gfx::FontFamily family;
    gfx::SolidBrush ink;
    gfx::SolidBrush paper;
    gfx::SolidBrush pale;
    std::array<gfx::SolidBrush, 2> shades;
    gfx::Pen frame;
    gfx::Pen grid;
    std::array<gfx::Pen, 2> limits; // yellow, red
    std::array<gfx::Pen, seriesCount> seriesPens;
    std::array<gfx::Pen, seriesCount> markPens;
    std::array<gfx::SolidBrush, seriesCount> seriesBrushes;
    std::array<gfx::SolidBrush, 2> sideBrushes; // a scale's numbers, as its line
    gfx::StringFormat near;
    gfx::StringFormat centre;
    gfx::StringFormat far;
};
