#include "app/window/ShellWindow.h"

#include "app/window/BorderEdges.h"
#include "app/window/CaptionBar.h"
#include "app/window/FrameView.h"
#include "app/window/KeyBindings.h"
#include "app/window/SizeGrip.h"
#include "app/window/WindowDrag.h"
#include "app/window/WindowMenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Where a toplevel cannot place itself: the compositor decides.
bool compositorPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

ShellWindow::ShellWindow(QSize clientSize)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QString::fromLatin1(programTitle));
    setObjectName(QStringLiteral("shellWindow"));
    setFocusPolicy(Qt::StrongFocus);
    QPalette frame = palette();
    frame.setColor(QPalette::Window, QColor(0x2b, 0x2d, 0x30));
    frame.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    frame.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
    setPalette(frame);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(borderWidth, borderWidth, borderWidth, borderWidth);
    layout->setSpacing(0);
    caption = new CaptionBar(this, windowTitle());
    view = new FrameView(this);
    layout->addWidget(caption);
    layout->addWidget(view, 1);
    grip = new SizeGrip(this);
    grip->raise();
    const auto restoreSize = [this] { resetWindowSize(*this); };
    connect(caption, &CaptionBar::restoreSizeRequested, this, restoreSize);
    connect(grip, &SizeGrip::restoreSizeRequested, this, restoreSize);
    connect(caption, &CaptionBar::menuRequested, this, &ShellWindow::showWindowMenu);

    frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer, &QTimer::timeout, this, [] { tickFrameTimer(); });
    idleCursor.setSingleShot(true);
    idleCursor.setInterval(idleCursorMs);
    connect(&idleCursor, &QTimer::timeout, this, [this] { setCursorHidden(true); });
    resize(outerSizeForClient(clientSize));
    move(0, 0);
}

// A window destroyed while running still closes in order.
ShellWindow::~ShellWindow() {
    setCursorHidden(false);
    closeShell(*this);
}

QSize ShellWindow::outerSizeForClient(QSize client) const {
    return {client.width() + 2 * borderWidth,
            client.height() + CaptionBar::stripHeight + 2 * borderWidth};
}

void ShellWindow::startFrameTimer(int periodMs) {
    frameTimer.start(periodMs);
}

void ShellWindow::stopFrameTimer() {
    frameTimer.stop();
}

void ShellWindow::closeWindow() {
    setCursorHidden(false);
    hide();
    emit closed();
}

void ShellWindow::resizeWindow(int width, int height) {
    resize(width, height);
}

PanelWindow* ShellWindow::frameSurface() {
    return view;
}

void ShellWindow::setFrameComposer(FrameComposer composeNow) {
    view->setComposer(std::move(composeNow));
}

void ShellWindow::showStatus(const std::string& status) {
    // What is shown, then the program, as desktops title their windows; a
    // title that ends in the program's name is not given it a second time.
    const QString title = QString::fromLatin1(programTitle);
    const QString shown = status.empty()
                              ? title
                              : QString::fromStdString(status) + QStringLiteral(" \u2014 ") + title;
    setWindowTitle(shown);
    caption->setTitle(shown);
}

bool ShellWindow::toggleFullscreen() {
    setFullscreen(!fullscreen);
    return true;
}

void ShellWindow::setFullscreen(bool on) {
    if (on == fullscreen)
        return;
    endKeyboardDrag(true);
    fullscreen = on;
    caption->setVisible(!on);
    grip->setVisible(!on);
    const int margin = on ? 0 : borderWidth;
    layout()->setContentsMargins(margin, margin, margin, margin);
    if (on) {
        geometryBeforeFullscreen = geometry();
        const QRect screenArea = screen()->geometry();
        setWindowState(windowState() | Qt::WindowFullScreen);
        // Without a window manager nobody else gives the window the screen.
        if (!compositorPlacesWindows())
            setGeometry(screenArea);
        qApp->installEventFilter(this);
        idleCursor.start();
    } else {
        qApp->removeEventFilter(this);
        idleCursor.stop();
        setCursorHidden(false);
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        setGeometry(geometryBeforeFullscreen);
    }
}

void ShellWindow::setCursorHidden(bool hidden) {
    if (hidden == cursorHidden)
        return;
    cursorHidden = hidden;
    if (hidden)
        QApplication::setOverrideCursor(Qt::BlankCursor);
    else
        QApplication::restoreOverrideCursor();
}

// Fullscreen, any motion over the window shows the pointer again for a while.
bool ShellWindow::eventFilter(QObject* watched, QEvent* event) {
    if (fullscreen && event->type() == QEvent::MouseMove) {
        setCursorHidden(false);
        idleCursor.start();
    }
    return QWidget::eventFilter(watched, event);
}

void ShellWindow::showWindowMenu(QPoint global) {
    makeWindowMenu(this, !fullscreen && !compositorPlacesWindows(), !fullscreen,
                   [this](WindowMenuItem item) { chooseFromWindowMenu(item); })
        ->popup(global);
}

void ShellWindow::chooseFromWindowMenu(WindowMenuItem item) {
    switch (item) {
    case WindowMenuItem::move:
        startKeyboardDrag({});
        break;
    case WindowMenuItem::size:
        startKeyboardDrag(Qt::RightEdge | Qt::BottomEdge);
        break;
    case WindowMenuItem::restoreSize:
        resetWindowSize(*this);
        break;
    case WindowMenuItem::close:
        close();
        break;
    }
}

void ShellWindow::startKeyboardDrag(Qt::Edges edges) {
    keyboardDrag = KeyboardDrag{
        .edges = edges, .start = geometry(), .pointerAt = QCursor::pos(), .travelled = {}};
    setMouseTracking(true);
    grabMouse(edges ? resizeCursorFor(edges) : Qt::SizeAllCursor);
    setFocus();
}

void ShellWindow::followKeyboardDrag() {
    const QSize minimum = minimumSize().expandedTo(minimumSizeHint());
    setGeometry(draggedGeometry(keyboardDrag->start, keyboardDrag->edges, keyboardDrag->travelled,
                                minimum));
}

void ShellWindow::endKeyboardDrag(bool keep) {
    if (!keyboardDrag)
        return;
    if (!keep)
        setGeometry(keyboardDrag->start);
    keyboardDrag.reset();
    releaseMouse();
    setMouseTracking(false);
}

void ShellWindow::keyboardDragKey(int key) {
    QPoint step;
    switch (key) {
    case Qt::Key_Left:
        step = {-keyboardDragStep, 0};
        break;
    case Qt::Key_Right:
        step = {keyboardDragStep, 0};
        break;
    case Qt::Key_Up:
        step = {0, -keyboardDragStep};
        break;
    case Qt::Key_Down:
        step = {0, keyboardDragStep};
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        endKeyboardDrag(true);
        return;
    case Qt::Key_Escape:
        endKeyboardDrag(false);
        return;
    default:
        return; // nothing else reaches the instrument meanwhile
    }
    keyboardDrag->travelled += step;
    followKeyboardDrag();
}

void ShellWindow::keyPressEvent(QKeyEvent* event) {
    if (keyboardDrag) {
        keyboardDragKey(event->key());
        event->accept();
        return;
    }
    if (const std::optional<InstrumentKey> key = boundKey(event->key(), event->modifiers())) {
        if (pressInstrumentKey(*key, *this)) {
            event->accept();
            return;
        }
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        closeShell(*this);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The panel has no default button: Enter is the pilot's "seen it".
        pressInstrumentKey(InstrumentKey::acknowledgeAlarms, *this);
        break;
    case Qt::Key_Space:
        if (!(event->modifiers() & Qt::AltModifier) || fullscreen) {
            QWidget::keyPressEvent(event);
            return;
        }
        showWindowMenu(caption->mapToGlobal(QPoint(0, CaptionBar::stripHeight)));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ShellWindow::closeEvent(QCloseEvent* event) {
    endKeyboardDrag(true);
    closeShell(*this);
    event->accept();
}

void ShellWindow::resizeEvent(QResizeEvent*) {
    grip->setGeometry(rect());
}

// While the window menu's Move or Size runs, the window has the pointer: it
// follows it, and a click ends the drag where the window is.
void ShellWindow::mousePressEvent(QMouseEvent* event) {
    if (keyboardDrag) {
        endKeyboardDrag(true);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ShellWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!keyboardDrag) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint travelled = event->globalPosition().toPoint() - keyboardDrag->pointerAt;
    keyboardDrag->pointerAt = event->globalPosition().toPoint();
    keyboardDrag->travelled += travelled;
    followKeyboardDrag();
}
