#pragma once

#include <cstdint>
#include <functional>

class QMenu;
class QWidget;

// The window menu (a right click on the caption, or Alt+Space): what a
// desktop offers for its own windows.
enum class WindowMenuItem : std::uint8_t { move, size, restoreSize, close };

// A menu of `parent`'s, its items in desktop order, each calling `choose`
// with its item. Move and Size are offered only where the window can place
// or size itself (not fullscreen, nor under a compositor that places windows).
QMenu* makeWindowMenu(QWidget* parent, bool canMove, bool canSize,
                      const std::function<void(WindowMenuItem)>& choose);
