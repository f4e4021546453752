#pragma once

#include <QImage>

namespace zentor::art {

// The check mark drawn into a ticked check box: a bold dark tick on white,
// 18 x 19, before its 16-colour palette is chosen.
QImage paintCheckMark();

// The instrument's logo for the top left corner of the screen: red on black,
// 84 x 32.
QImage paintLogo();

} // namespace zentor::art
