#include "app/window/WindowMenu.h"

#include "app/shell/InstrumentController.h"

#include <QMenu>

#include <array>

namespace {

struct MenuRow {
    WindowMenuItem item;
    const char* text;
};
constexpr std::size_t menuRowCount = 4;
constexpr auto menuRows = std::to_array<MenuRow>({
    {.item = WindowMenuItem::move, .text = "&Move"},
    {.item = WindowMenuItem::size, .text = "&Size"},
    {.item = WindowMenuItem::restoreSize, .text = "&Restore size (%1 x %2)"},
    {.item = WindowMenuItem::close, .text = "&Close"},
});
static_assert(menuRows.size() == menuRowCount);

} // namespace

QMenu* makeWindowMenu(QWidget* parent, bool canMove, bool canSize,
                      const std::function<void(WindowMenuItem)>& choose) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("windowMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const MenuRow& row : menuRows) {
        if (row.item == WindowMenuItem::close)
            menu->addSeparator();
        QString text = QString::fromLatin1(row.text);
        if (row.item == WindowMenuItem::restoreSize)
            text = text.arg(resetWindowWidth).arg(resetWindowHeight);
        QAction* action = menu->addAction(text);
        action->setEnabled((row.item != WindowMenuItem::move || canMove) &&
                           (row.item != WindowMenuItem::size || canSize));
        const WindowMenuItem item = row.item;
        QObject::connect(action, &QAction::triggered, parent, [choose, item] { choose(item); });
    }
    return menu;
}
