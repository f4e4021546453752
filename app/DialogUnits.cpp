#include "app/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace {

// Rounds like the window system's own conversion: a * b / c to nearest.
int mulDivRound(int a, int b, int c) {
    return (2 * a * b + c) / (2 * c);
}

} // namespace

QSize dialogUnitsToPixels(QSize dialogUnits, int averageCharWidth, int charHeight) {
    return {mulDivRound(dialogUnits.width(), averageCharWidth, 4),
            mulDivRound(dialogUnits.height(), charHeight, 8)};
}

QSize templateClientSize() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    const QFontMetrics metrics(font);
    // Average width as dialogs measure it: the 52 Latin letters, rounded.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int averageCharWidth = (letters / 26 + 1) / 2;
    return dialogUnitsToPixels({templateWidthDlu, templateHeightDlu}, averageCharWidth,
                               metrics.height());
}
