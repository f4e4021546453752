#include "resources/generators/PanelArt.h"

#include "resources/generators/PanelParts.h"

namespace zentor::art {

QImage paintPanel() {
    QImage image(750, 945, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintPanelBackground(p);
    paintLowerPanel(p);
    paintBezel(p);
    paintScreenRecess(p);
    paintBezelButtons(p);
    paintBezelLettering(p);
    paintBezelScrews(p);
    paintShafts(p);
    paintControlLabels(p);
    paintCheckBoxes(p);
    paintScreen(p);
    return image;
}

} // namespace zentor::art
