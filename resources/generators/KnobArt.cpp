#include "resources/generators/KnobArt.h"

#include "resources/generators/ArtStyle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace zentor::art {

namespace {

enum class Rim { smooth, ridged, fluted };

struct KnobStyle {
    int width, height;       // of the picture
    double centreX, centreY; // of the knob face
    double radius;           // of the rim's outermost points
    double rimWidth;         // the rounded-over band along the edge
    double faceTilt;         // degrees at the face's edge: > 0 domed, < 0 dished
    Rim rim;                 // shape coding a pilot can feel
    int rimCount;            // ridges or flutes round the rim
    double rimDepth;         // pixels
    double albedo[3];        // plastic colour, 0..1 per channel
    double gloss;            // strength of the specular highlight
    double shininess;        // Blinn-Phong exponent: larger is glossier
};

// Throttle, propeller, mixture: the cockpit colour and shape code.
constexpr auto knobStyles = std::to_array<KnobStyle>({
    {.width = 120,
     .height = 130,
     .centreX = 60.0,
     .centreY = 59.0,
     .radius = 54.0,
     .rimWidth = 15.0,
     .faceTilt = 22.0,
     .rim = Rim::smooth,
     .rimCount = 0,
     .rimDepth = 0.0,
     .albedo = {0.05, 0.05, 0.055},
     .gloss = 0.75,
     .shininess = 28.0},
    {.width = 114,
     .height = 120,
     .centreX = 57.0,
     .centreY = 55.0,
     .radius = 51.0,
     .rimWidth = 10.0,
     .faceTilt = 12.0,
     .rim = Rim::ridged,
     .rimCount = 36,
     .rimDepth = 2.6,
     .albedo = {0.10, 0.26, 0.78},
     .gloss = 0.5,
     .shininess = 30.0},
    {.width = 114,
     .height = 120,
     .centreX = 57.0,
     .centreY = 55.0,
     .radius = 51.0,
     .rimWidth = 10.0,
     .faceTilt = 12.0,
     .rim = Rim::fluted,
     .rimCount = 10,
     .rimDepth = 5.0,
     .albedo = {0.80, 0.09, 0.07},
     .gloss = 0.5,
     .shininess = 30.0},
});
static_assert(knobStyles.size() == knobCount);

// Light from above, a little from the left and from the pilot's side.
constexpr double lightX = -0.28, lightY = -0.78, lightZ = 0.56;
constexpr double ambient = 0.28;
constexpr double diffuse = 0.95;

// The drop shadow on the panel under the knob.
constexpr double shadowDrop = 6.0;
constexpr double shadowSoftness = 4.5;
constexpr double shadowDepth = 0.62;

constexpr int supersampling = 4; // per axis: anti-aliased edges

// How far the rim falls inside its outermost radius at angle `theta`:
// 0 on a ridge or lobe, 1 at the bottom of a groove.
double rimProfile(const KnobStyle& style, double theta) {
    const double phase = style.rimCount * theta;
    switch (style.rim) {
    case Rim::smooth:
        return 0.0;
    case Rim::ridged: // knurled: flat-topped ridges, steep flanks
        return 0.5 - 0.5 * std::tanh(3.0 * std::cos(phase)) / std::tanh(3.0);
    case Rim::fluted: // rounded lobes between narrow scooped grooves
        return std::pow(0.5 + 0.5 * std::cos(phase), 6.0);
    }
    return 0.0;
}

double outlineRadius(const KnobStyle& style, double theta) {
    return style.radius - style.rimDepth * rimProfile(style, theta);
}

struct Sample {
    bool onKnob;
    double rgb[3];
};

// Shades one point of the knob's face by Blinn-Phong lighting of its normal.
Sample shadeKnob(const KnobStyle& style, double dx, double dy) {
    const double rho = std::hypot(dx, dy);
    const double theta = std::atan2(dy, dx);
    const double edge = outlineRadius(style, theta);
    if (rho > edge)
        return {false, {}};
    // In-plane direction of the slope: radial, turned by the outline's
    // steepness, so each ridge and flute has a lit and a dark flank.
    constexpr double step = 1e-3;
    const double slope = (outlineRadius(style, theta + step) - outlineRadius(style, theta - step)) /
                         (2 * step * edge);
    const double inner = style.radius - style.rimWidth;
    double tilt, direction = theta - std::atan(slope);
    if (rho >= inner) {
        const double u = std::clamp((rho - inner) / std::max(1.0, edge - inner), 0.0, 1.0);
        tilt = std::max(style.faceTilt, 0.0) + (80.0 - std::max(style.faceTilt, 0.0)) * u * u;
    } else {
        tilt = style.faceTilt * rho / inner;
        direction = theta;
    }
    const double t = tilt * std::numbers::pi / 180.0;
    const double nx = std::sin(t) * std::cos(direction), ny = std::sin(t) * std::sin(direction);
    const double nz = std::cos(t);
    const double lambert = std::max(0.0, nx * lightX + ny * lightY + nz * lightZ);
    const double hx = lightX, hy = lightY, hz = lightZ + 1.0;
    const double hn = std::hypot(hx, hy, hz);
    const double specular =
        style.gloss * std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hn), style.shininess);
    Sample sample{true, {}};
    for (int c = 0; c < 3; ++c)
        sample.rgb[c] = std::min(0.9, style.albedo[c] * (ambient + diffuse * lambert) + specular);
    return sample;
}

// The panel under the knob, darkened where the knob's shadow falls.
void shadePanel(const KnobStyle& style, double dx, double dy, double rgb[3]) {
    const double sy = dy - shadowDrop;
    const double distance = std::hypot(dx, sy) - outlineRadius(style, std::atan2(sy, dx));
    const double u = std::clamp((distance + shadowSoftness) / (2 * shadowSoftness), 0.0, 1.0);
    const double shade = 1.0 - shadowDepth * (1.0 - u * u * (3 - 2 * u));
    rgb[0] = qRed(lowerPanelColour) / 255.0 * shade;
    rgb[1] = qGreen(lowerPanelColour) / 255.0 * shade;
    rgb[2] = qBlue(lowerPanelColour) / 255.0 * shade;
}

QRgb shadePixel(const KnobStyle& style, int x, int y) {
    double sum[3] = {};
    for (int sy = 0; sy < supersampling; ++sy)
        for (int sx = 0; sx < supersampling; ++sx) {
            const double dx = x + (sx + 0.5) / supersampling - style.centreX;
            const double dy = y + (sy + 0.5) / supersampling - style.centreY;
            Sample sample = shadeKnob(style, dx, dy);
            if (!sample.onKnob)
                shadePanel(style, dx, dy, sample.rgb);
            for (int c = 0; c < 3; ++c)
                sum[c] += sample.rgb[c];
        }
    constexpr double samples = supersampling * supersampling;
    return qRgb(int(std::lround(255 * sum[0] / samples)), int(std::lround(255 * sum[1] / samples)),
                int(std::lround(255 * sum[2] / samples)));
}

} // namespace

QImage paintKnob(Knob knob) {
    const KnobStyle& style = knobStyles[std::size_t(knob)];
    QImage image(style.width, style.height, QImage::Format_RGB32);
    for (int y = 0; y < style.height; ++y)
        for (int x = 0; x < style.width; ++x) {
            const QRgb colour = shadePixel(style, x, y);
            // Bare panel becomes the white the compositor keys out.
            image.setPixel(x, y, colour == lowerPanelColour ? keyWhite : colour);
        }
    return image;
}

} // namespace zentor::art
