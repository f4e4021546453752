#include "app/OpeningSize.h"
#include "app/ShellWindow.h"
#include "panel/PanelArtwork.h"

#include <QApplication>

#include <cstdint>
#include <ctime>

namespace {

// Each run of the program draws its own cylinder spreads.
std::uint32_t seedFromCalendar() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace

// The program's life: artwork in, the one window until it closes, artwork out.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zentor-demo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Zentor Demo"));
    loadPanelArtwork();
    {
        ShellWindow window(openingClientSize());
        QObject::connect(&window, &ShellWindow::closed, &application, &QApplication::quit);
        window.show();
        window.activateWindow();
        startShell(window, seedFromCalendar());
        if (window.isVisible())
            QApplication::exec();
    }
    freePanelArtwork();
    return 0;
}
