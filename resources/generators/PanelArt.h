#pragma once

#include <QImage>

namespace zentor::art {

// The whole instrument panel, 750 x 945, in full colour (before its palette
// is chosen).
QImage paintPanel();

} // namespace zentor::art
