#include "tests/support/ShellFixture.h"

#include "app/shell/InstrumentController.h"
#include "app/window/FrameView.h"

#include <QApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QTest>

OpenShell::OpenShell(QSize client, std::uint32_t spreadSeed) : window(client) {
    window.show();
    wasExposed = QTest::qWaitForWindowExposed(&window);
    startShell(window, spreadSeed);
    window.stopFrameTimer();
}

OpenShell::~OpenShell() {
    window.close();
}

FrameView* OpenShell::view() const {
    return window.frameView();
}

void OpenShell::tick(int count) {
    for (int i = 0; i < count; ++i) {
        tickFrameTimer();
        QCoreApplication::processEvents();
    }
}

void OpenShell::setClient(QSize client) {
    window.resize(window.outerSizeForClient(client));
    QCoreApplication::processEvents();
    // The window may already have had that size while the client area was
    // squeezed by hand: lay it out again all the same.
    window.layout()->invalidate();
    window.layout()->activate();
}

QImage OpenShell::frame() const {
    // What the client area shows: the latest panel frame, stretched by its paint.
    return view()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

QPointF OpenShell::onPanel(double panelX, double panelY) const {
    return {panelX * view()->width() / 750.0, panelY * view()->height() / 945.0};
}

void sendMouse(QWidget* target, QEvent::Type type, QPointF position, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, position, target->mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void doubleClick(QWidget* target, QPointF position) {
    for (const QEvent::Type press : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
        sendMouse(target, press, position, Qt::LeftButton, Qt::LeftButton);
        sendMouse(target, QEvent::MouseButtonRelease, position, Qt::LeftButton, Qt::NoButton);
    }
}
