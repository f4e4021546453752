#pragma once

#include "app/shell/InstrumentController.h"
#include "panel/OffscreenPanelWindow.h"

#include <QString>
#include <QStringList>

#include <string>

// The shell's window system, without a window: frames land in an
// offscreen client area, caption texts in a list.
class HeadlessPlatform final : public WindowInterface {
public:
    OffscreenPanelWindow surface;
    QStringList statuses;

    void startFrameTimer(int) override {}
    void stopFrameTimer() override {}
    void closeWindow() override {}
    void resizeWindow(int, int) override {}
    PanelWindow* frameSurface() override { return &surface; }
    void setFrameComposer(FrameComposer) override {}
    void showStatus(const std::string& status) override {
        statuses << QString::fromStdString(status);
    }
};
