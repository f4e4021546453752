#pragma once

#include "app/ShellSequence.h"

#include <QTimer>
#include <QWidget>

class CaptionBar;
class FrameView;

// The one window: a frameless top-level window that draws its own caption
// (title and close button) and sizing border, so that a double click on
// either reaches the program, and moves and resizes through the window
// system's own move and resize.
class ShellWindow : public QWidget, public ShellPlatform {
    Q_OBJECT

public:
    static constexpr int borderWidth = 4;
    static constexpr int captionHeight = 24;

    explicit ShellWindow(QSize clientSize);
    ~ShellWindow() override;

    FrameView* frameView() const { return view; }
    QSize outerSizeForClient(QSize client) const;

    // ShellPlatform
    void startFrameTimer(int periodMs) override;
    void stopFrameTimer() override;
    void closeWindow() override;
    void resizeWindow(int width, int height) override;
    PanelWindow* frameSurface() override;
    void setFrameComposer(FrameComposer composeNow) override;
    void showStatus(const std::string& status) override;

    bool frameTimerActive() const { return frameTimer.isActive(); }

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CaptionBar* caption = nullptr;
    FrameView* view = nullptr;
    QTimer frameTimer;
    Qt::Edges resizeFrom;
};
