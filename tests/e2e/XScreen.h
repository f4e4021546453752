#pragma once

// What an end-to-end test asks of the private X server: xdotool for the
// window, screenshots of the root window, and the panel's place on it.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QStringList>

inline QString runXdotool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

inline QImage screenshot() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// Sum of channel differences over a rectangle of two screenshots.
inline qint64 difference(const QImage& a, const QImage& b, QRect area) {
    qint64 sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum;
}

// The first visible window whose name holds `name`, waiting for it.
inline QString findWindow(const QString& name) {
    return runXdotool({"search", "--sync", "--onlyvisible", "--name", name}).section('\n', 0, 0);
}

// The window opens at the top left of the screen; no window manager runs, so
// our own caption (24 px) and border (4 px) surround the client area, which
// shows the 750 x 945 panel stretched.
class PanelOnScreen {
public:
    static constexpr int border = 4;
    static constexpr int caption = 24;

    // From the outer size xdotool reports.
    void setOuterSize(int width, int height) {
        client = QSize(width - 2 * border, height - caption - 2 * border);
    }
    void measure(const QString& windowId) {
        const QString geometry = runXdotool({"getwindowgeometry", "--shell", windowId});
        setOuterSize(geometry.section("WIDTH=", 1).section('\n', 0, 0).toInt(),
                     geometry.section("HEIGHT=", 1).section('\n', 0, 0).toInt());
    }
    QPoint at(double panelX, double panelY) const {
        return {border + int(panelX * client.width() / 750.0),
                border + caption + int(panelY * client.height() / 945.0)};
    }
    QRect at(QRect panelArea) const {
        return {at(panelArea.left(), panelArea.top()), at(panelArea.right(), panelArea.bottom())};
    }

    QSize client;
};
