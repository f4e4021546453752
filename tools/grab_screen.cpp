// Saves a rectangle of the X screen as PNG: grab-screen X Y WIDTH HEIGHT OUTPUT.png
// (a Qt client of whatever DISPLAY names; used to photograph the real window).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 6) {
        std::fprintf(stderr, "usage: grab-screen X Y WIDTH HEIGHT OUTPUT.png\n");
        return 2;
    }
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, arguments[1].toInt(), arguments[2].toInt(),
                                         arguments[3].toInt(), arguments[4].toInt())
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    return shot.save(arguments[5]) ? 0 : 1;
}
