#include "app/OpeningSize.h"
#include "app/ShellWindow.h"
#include "panel/PanelArtwork.h"

#include <QApplication>

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
        startShell(window);
        if (window.isVisible())
            QApplication::exec();
    }
    freePanelArtwork();
    return 0;
}
