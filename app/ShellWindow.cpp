#include "app/ShellWindow.h"

#include "app/BorderEdges.h"
#include "app/FrameView.h"
#include "app/KeyBindings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <optional>

// The title strip: dragging it moves the window, a double click restores
// the standard size, the button closes.
class CaptionBar : public QWidget {
public:
    CaptionBar(ShellWindow* window, const QString& title) : QWidget(window), shell(window) {
        setObjectName(QStringLiteral("caption"));
        setFixedHeight(ShellWindow::captionHeight);
        setAutoFillBackground(true);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(8, 0, 0, 0);
        layout->setSpacing(0);
        label = new QLabel(title, this);
        label->setObjectName(QStringLiteral("captionTitle"));
        layout->addWidget(label, 1);
        auto* close = new QToolButton(this);
        close->setObjectName(QStringLiteral("closeButton"));
        close->setText(QStringLiteral("\u2715"));
        close->setAutoRaise(true);
        close->setFocusPolicy(Qt::NoFocus);
        close->setFixedSize(ShellWindow::captionHeight + 12, ShellWindow::captionHeight);
        layout->addWidget(close);
        connect(close, &QToolButton::clicked, window, &QWidget::close);
    }

protected:
    // The move starts once the pointer travels, so that a double click stays
    // a double click instead of vanishing into the window system's move.
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            pressedAt = event->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (pressedAt && (event->buttons() & Qt::LeftButton) &&
            (event->position().toPoint() - *pressedAt).manhattanLength() >=
                QApplication::startDragDistance() &&
            shell->windowHandle()) {
            pressedAt.reset();
            shell->windowHandle()->startSystemMove();
        }
    }
    void mouseReleaseEvent(QMouseEvent*) override { pressedAt.reset(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        pressedAt.reset();
        if (event->button() == Qt::LeftButton)
            resetWindowSize(*shell);
    }

public:
    void setTitle(const QString& title) { label->setText(title); }

private:
    ShellWindow* shell;
    QLabel* label = nullptr;
    std::optional<QPoint> pressedAt;
};

ShellWindow::ShellWindow(QSize clientSize)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Corvane Zentor Demo"));
    setObjectName(QStringLiteral("shellWindow"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
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

    frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer, &QTimer::timeout, this, [] { tickFrameTimer(); });
    resize(outerSizeForClient(clientSize));
    move(0, 0);
}

// A window destroyed while running still closes in order.
ShellWindow::~ShellWindow() {
    closeShell(*this);
}

QSize ShellWindow::outerSizeForClient(QSize client) const {
    return {client.width() + 2 * borderWidth, client.height() + captionHeight + 2 * borderWidth};
}

void ShellWindow::startFrameTimer(int periodMs) {
    frameTimer.start(periodMs);
}

void ShellWindow::stopFrameTimer() {
    frameTimer.stop();
}

void ShellWindow::closeWindow() {
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
    const QString title = QStringLiteral("Corvane Zentor Demo");
    const QString shown = status.empty()
                              ? title
                              : title + QStringLiteral(" \u2014 ") + QString::fromStdString(status);
    setWindowTitle(shown);
    caption->setTitle(shown);
}

void ShellWindow::keyPressEvent(QKeyEvent* event) {
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
        break; // the panel has no default button
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ShellWindow::closeEvent(QCloseEvent* event) {
    closeShell(*this);
    event->accept();
}

void ShellWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        resizeFrom = borderEdgesAt(size(), borderWidth, event->position().toPoint());
}

void ShellWindow::mouseReleaseEvent(QMouseEvent*) {
    resizeFrom = {};
}

void ShellWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    resizeFrom = {};
    if (event->button() == Qt::LeftButton)
        resetWindowSize(*this);
}

void ShellWindow::mouseMoveEvent(QMouseEvent* event) {
    // As on the caption, the resize starts once the pointer travels.
    if (resizeFrom && (event->buttons() & Qt::LeftButton) && windowHandle()) {
        const Qt::Edges edges = resizeFrom;
        resizeFrom = {};
        windowHandle()->startSystemResize(edges);
        return;
    }
    setCursor(resizeCursorFor(borderEdgesAt(size(), borderWidth, event->position().toPoint())));
}
