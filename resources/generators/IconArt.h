#pragma once

#include <QImage>

namespace zentor::art {

// The program's icon in the desktop's menus and task bar: the three engine
// knobs on a square of the lower panel, on a transparent ground. Painted at
// 256 x 256; smaller sizes are averaged down from that picture, so every size
// shows the same thing.
inline constexpr int iconPaintedSize = 256;

// The icon at `size` x `size` pixels, premultiplied ARGB; a null image for a
// size outside 1 to 256.
QImage paintIcon(int size);

} // namespace zentor::art
