#pragma once

#include "app/window/WindowDrag.h"

#include <QWidget>

// The sizing border's grab zone: an invisible ring over the window's edge,
// grabWidth pixels wide, so that it reaches over the client's edge pixels
// without taking any of the panel's size. Over it the pointer shows the
// resize shapes; beyond it the widgets below keep their own cursors.
class SizeGrip : public QWidget {
    Q_OBJECT

public:
    explicit SizeGrip(QWidget* window);

signals:
    void restoreSizeRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Qt::Edges edgesAt(QPointF point) const;

    QWidget* shell;
    WindowDragger dragger;
};
