#pragma once

#include <QPointF>
#include <QSize>

#include <array>
#include <cstdint>
#include <random>

class ShellWindow;
class QWidget;

// A seeded stream of what a restless pilot does to the window between two
// ticks: pointer movements, presses, drags and double clicks anywhere (far
// outside the window too), clicks on the cylinder button and the Mute and
// Demo Mode boxes, the caption's size reset, and resizes from nothing up to
// 3840 x 2160, the client area sometimes squeezed to 0 x 0 or 1 x 1.
class SoakInput {
public:
    SoakInput(ShellWindow& window, std::uint32_t seed);

    // The input of one interval between ticks.
    void betweenTicks();
    // `events` pointer events in a row, with no resize among them.
    void pointerBurst(int events);

    struct Counts {
        long moves = 0;
        long presses = 0;
        long releases = 0;
        long doubleClicks = 0;
        long outsidePositions = 0;
        long windowResizes = 0;
        long degenerateClients = 0;
        long sizeResets = 0;
    };
    const Counts& counts() const { return counts_; }

private:
    void pointerEvent();
    void changeWindow();
    QPointF pointerPosition();
    QPointF panelTargetPosition();
    QSize windowSize();
    void doubleClick(QWidget* target, QPointF at);
    void sendMouse(QWidget* target, int type, QPointF position, bool buttonChanges);
    template <class Row, std::size_t count>
    const Row& pickRow(const std::array<Row, count>& rows);
    int pick(int count);
    double uniform(double from, double to);

    ShellWindow& window;
    std::mt19937 random;
    bool leftHeld = false;
    Counts counts_;
};
