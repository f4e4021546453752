#pragma once

#include "app/shell/InstrumentController.h"
#include "app/window/WindowMenu.h"

#include <QRect>
#include <QTimer>
#include <QWidget>

#include <optional>

// The program's name as its window and task bars show it.
inline constexpr char programTitle[] = "Corvane Zentor Demo";

class CaptionBar;
class FrameView;
class SizeGrip;

// The one window: a frameless top-level window that draws its own caption
// (title and close button) and sizing border, so that a double click on
// either reaches the program. It moves and resizes through the window
// system where it can, and by itself where it cannot (no window manager).
class ShellWindow : public QWidget, public WindowInterface {
    Q_OBJECT

public:
    static constexpr int borderWidth = 4;
    // Fullscreen, the pointer hides after this long without motion.
    static constexpr int idleCursorMs = 3000;
    // Move and Size from the window menu: one arrow key's step.
    static constexpr int keyboardDragStep = 10;

    explicit ShellWindow(QSize clientSize);
    ~ShellWindow() override;

    FrameView* frameView() const { return view; }
    QSize outerSizeForClient(QSize client) const;

    // WindowInterface
    void startFrameTimer(int periodMs) override;
    void stopFrameTimer() override;
    void closeWindow() override;
    void resizeWindow(int width, int height) override;
    PanelWindow* frameSurface() override;
    void setFrameComposer(FrameComposer composeNow) override;
    void showStatus(const std::string& status) override;
    bool toggleFullscreen() override;

    // The panel over the whole screen, without caption and border; off again,
    // the window returns to where and how large it was.
    void setFullscreen(bool on);
    bool isFullscreen() const { return fullscreen; }
    bool frameTimerActive() const { return frameTimer.isActive(); }
    // The window menu at `global` screen pixels.
    void showWindowMenu(QPoint global);

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Move or Size chosen from the window menu: the arrow keys or the pointer
    // move the window (Size: its bottom-right corner) until Enter or a click;
    // Escape puts it back.
    struct KeyboardDrag {
        Qt::Edges edges; // none: a move
        QRect start;
        QPoint pointerAt;
        QPoint travelled;
    };
    void chooseFromWindowMenu(WindowMenuItem item);
    void startKeyboardDrag(Qt::Edges edges);
    void keyboardDragKey(int key);
    void followKeyboardDrag();
    void endKeyboardDrag(bool keep);
    void setCursorHidden(bool hidden);

    CaptionBar* caption = nullptr;
    FrameView* view = nullptr;
    SizeGrip* grip = nullptr;
    QTimer frameTimer;
    QTimer idleCursor;
    bool fullscreen = false;
    bool cursorHidden = false;
    QRect geometryBeforeFullscreen;
    std::optional<KeyboardDrag> keyboardDrag;
};
