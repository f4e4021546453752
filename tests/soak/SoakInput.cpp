#include "tests/soak/SoakInput.h"

#include "app/shell/PanelControls.h"
#include "app/window/FrameView.h"
#include "app/window/ShellWindow.h"

#include <QApplication>
#include <QMouseEvent>

#include <array>
#include <cmath>

namespace {

constexpr double panelWidth = 750;
constexpr double panelHeight = 945;
constexpr int largestWidth = 3840;
constexpr int largestHeight = 2160;

// Where presses aim on the panel, in panel pixels, and how often.
struct PanelTarget {
    PanelRect area;
    int weight;
};

constexpr auto panelTargets = std::to_array<PanelTarget>({
    {{139, 718, 259, 935}, 14}, // the throttle's travel and knob
    {{318, 700, 432, 873}, 14}, // the propeller's
    {{488, 700, 602, 873}, 14}, // the mixture's
    {{130, 690, 610, 945}, 10}, // the lower panel round them
    {cylinderButton, 10},
    {muteCheckBox, 4},
    {demoModeCheckBox, 2},
    {{0, 0, 750, 945}, 32}, // anywhere: the screen, the bezel, the other buttons
});
static_assert(panelTargets.size() == 8);

// What one pointer event of the stream is, and how often.
enum class PointerAction { move, press, release, doubleClick, releaseOutside };

struct ActionWeight {
    PointerAction action;
    int weight;
};

constexpr auto actionWeights = std::to_array<ActionWeight>({
    {PointerAction::move, 55},
    {PointerAction::press, 18},
    {PointerAction::release, 16},
    {PointerAction::doubleClick, 6},
    {PointerAction::releaseOutside, 5}, // the button let go beyond the window, unseen
});
static_assert(actionWeights.size() == 5);

// Where a pointer event lands, and how often: the pointer keeps coming
// during a drag wherever it goes.
enum class PositionKind { panelTarget, overClient, nearEdges, farAway };

struct PositionWeight {
    PositionKind kind;
    int weight;
};

constexpr auto positionWeights = std::to_array<PositionWeight>({
    {PositionKind::panelTarget, 5},
    {PositionKind::overClient, 2},
    {PositionKind::nearEdges, 2}, // within 50 px of the client area, inside or out
    {PositionKind::farAway, 1},   // up to a million pixels off
});
static_assert(positionWeights.size() == 4);

// Pointer events between two ticks: mostly none or one, now and then a flurry.
constexpr std::array<int, 8> eventsPerTick{0, 0, 0, 1, 1, 1, 2, 6};

// Per tick, one chance in so many.
constexpr int windowResizeOdds = 150;
constexpr int degenerateClientOdds = 700;
constexpr int sizeResetOdds = 2500;

} // namespace

SoakInput::SoakInput(ShellWindow& shell, std::uint32_t seed) : window(shell), random(seed) {}

template <class Row, std::size_t count>
const Row& SoakInput::pickRow(const std::array<Row, count>& rows) {
    int total = 0;
    for (const Row& row : rows)
        total += row.weight;
    int chosen = pick(total);
    for (const Row& row : rows) {
        if (chosen < row.weight)
            return row;
        chosen -= row.weight;
    }
    return rows.back();
}

int SoakInput::pick(int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

double SoakInput::uniform(double from, double to) {
    return std::uniform_real_distribution<double>(from, to)(random);
}

void SoakInput::betweenTicks() {
    pointerBurst(eventsPerTick[std::size_t(pick(int(eventsPerTick.size())))]);
    changeWindow();
}

void SoakInput::pointerBurst(int events) {
    for (int i = 0; i < events; ++i)
        pointerEvent();
}

QPointF SoakInput::panelTargetPosition() {
    const PanelTarget& target = pickRow(panelTargets);
    const FrameView* view = window.frameView();
    const double px = uniform(target.area.left, target.area.right);
    const double py = uniform(target.area.top, target.area.bottom);
    return {px * view->width() / panelWidth, py * view->height() / panelHeight};
}

QPointF SoakInput::pointerPosition() {
    const FrameView* view = window.frameView();
    const double w = view->width();
    const double h = view->height();
    switch (pickRow(positionWeights).kind) {
    case PositionKind::panelTarget:
        return panelTargetPosition();
    case PositionKind::overClient:
        return {uniform(0, w), uniform(0, h)};
    case PositionKind::nearEdges:
        ++counts_.outsidePositions;
        return {uniform(-50, w + 50), uniform(-50, h + 50)};
    case PositionKind::farAway:
        break;
    }
    ++counts_.outsidePositions;
    return {uniform(-1e6, 1e6), uniform(-1e6, 1e6)};
}

void SoakInput::sendMouse(QWidget* target, int type, QPointF position, bool buttonChanges) {
    const Qt::MouseButton button = buttonChanges ? Qt::LeftButton : Qt::NoButton;
    const Qt::MouseButtons held = leftHeld ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(QEvent::Type(type), position, target->mapToGlobal(position), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// As the window system delivers it: a click, then the second press as a
// double click, then its release.
void SoakInput::doubleClick(QWidget* target, QPointF at) {
    for (const QEvent::Type press : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
        leftHeld = true;
        sendMouse(target, press, at, true);
        leftHeld = false;
        sendMouse(target, QEvent::MouseButtonRelease, at, true);
    }
}

void SoakInput::pointerEvent() {
    const PointerAction action = pickRow(actionWeights).action;
    QWidget* view = window.frameView();
    const QPointF at = pointerPosition();
    switch (action) {
    case PointerAction::move:
        ++counts_.moves;
        sendMouse(view, QEvent::MouseMove, at, false);
        break;
    case PointerAction::press:
        ++counts_.presses;
        leftHeld = true;
        sendMouse(view, QEvent::MouseButtonPress, at, true);
        break;
    case PointerAction::release:
        ++counts_.releases;
        leftHeld = false;
        sendMouse(view, QEvent::MouseButtonRelease, at, true);
        break;
    case PointerAction::doubleClick:
        ++counts_.doubleClicks;
        doubleClick(view, at);
        break;
    case PointerAction::releaseOutside:
        leftHeld = false;
        break;
    }
}

// Sizes spread over the whole range, with its ends and the smallest sizes
// drawn often enough to be met many times in a run.
QSize SoakInput::windowSize() {
    switch (pick(8)) {
    case 0:
        return {0, 0};
    case 1:
        return {pick(3), pick(3)};
    case 2:
        return {largestWidth, largestHeight};
    case 3:
        return {pick(200), pick(200)};
    default:
        return {pick(largestWidth + 1), pick(largestHeight + 1)};
    }
}

void SoakInput::changeWindow() {
    if (pick(windowResizeOdds) == 0) {
        ++counts_.windowResizes;
        window.resize(windowSize());
    }
    // The client area itself at nothing or one pixel, whatever the window's
    // own smallest size allows; the next window resize lays it out again.
    if (pick(degenerateClientOdds) == 0) {
        ++counts_.degenerateClients;
        const int side = pick(2);
        window.frameView()->resize(side, side);
    }
    if (pick(sizeResetOdds) == 0) {
        ++counts_.sizeResets;
        QWidget* caption = window.findChild<QWidget*>(QStringLiteral("caption"));
        const QPointF onCaption(uniform(0, caption->width()), uniform(0, caption->height()));
        doubleClick(caption, onCaption);
    }
}
