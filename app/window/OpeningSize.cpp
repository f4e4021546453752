#include "app/window/OpeningSize.h"

#include <QFont>
#include <QFontMetrics>

namespace {

// a * b / c rounded to nearest, in integers.
int mulDivRound(int a, int b, int c) {
    return (2 * a * b + c) / (2 * c);
}

} // namespace

QSize fontUnitsToPixels(QSize fontUnits, int averageCharWidth, int charHeight) {
    return {mulDivRound(fontUnits.width(), averageCharWidth, 4),
            mulDivRound(fontUnits.height(), charHeight, 8)};
}

QSize openingClientSize() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    const QFontMetrics metrics(font);
    // The average width: the 52 Latin letters' advance, per letter, rounded.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int averageCharWidth = (letters / 26 + 1) / 2;
    return fontUnitsToPixels({openingWidthUnits, openingHeightUnits}, averageCharWidth,
                             metrics.height());
}
