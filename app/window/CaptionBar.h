#pragma once

#include "app/window/WindowDrag.h"

#include <QWidget>

class CaptionTitle;

// The title strip: dragging it moves the window, a double click restores the
// standard size, a right click opens the window menu, the button closes. Its
// title dims while the window is inactive, so the user sees where keys go.
// The title never sizes the window: where it does not fit it is cut with an
// ellipsis, the whole of it in the tooltip.
class CaptionBar : public QWidget {
    Q_OBJECT

public:
    // The strip's height in pixels; the close button is as tall.
    static constexpr int stripHeight = 24;

    CaptionBar(QWidget* window, const QString& title);
    void setTitle(const QString& title);
    // The whole title, however much of it is shown.
    QString title() const;

signals:
    void restoreSizeRequested();
    // The window menu, its top-left corner at `global` screen pixels.
    void menuRequested(QPoint global);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QWidget* shell;
    CaptionTitle* label = nullptr;
    WindowDragger dragger;
};
