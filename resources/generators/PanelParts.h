#pragma once

#include <QPainter>

namespace zentor::art {

// The panel picture, 750 x 945 pixels, is painted in layers, back to front.

// Upper part: the monitor's bezel round the screen (PanelBezel.cpp).
void paintPanelBackground(QPainter& p);
void paintBezel(QPainter& p);
void paintScreenRecess(QPainter& p);
void paintBezelButtons(QPainter& p);
void paintBezelLettering(QPainter& p);
void paintBezelScrews(QPainter& p);
void paintScreen(QPainter& p);

// Lower part: the engine controls (LowerPanelArt.cpp).
void paintLowerPanel(QPainter& p);
void paintShafts(QPainter& p);
void paintControlLabels(QPainter& p);
void paintCheckBoxes(QPainter& p);

} // namespace zentor::art
