// Writes the program's desktop icon at the sizes the desktop looks for:
//   zentor-generate-icons <resources folder>
// into icons/<size>x<size>/org.corvane.ZentorDemo.png, the file names the
// icon is installed under. Every run writes the same bytes.

#include "resources/generators/GeneratorMain.h"
#include "resources/generators/IconArt.h"

#include <QDir>

#include <QGuiApplication>

#include <array>
#include <cstdio>

namespace {

constexpr const char* iconName = "org.corvane.ZentorDemo";

// Menus, launchers and the software centre's listing.
constexpr auto iconSizes = std::to_array({48, 128, 256});
static_assert(iconSizes.size() == 3, "the three sizes the install tree holds");

bool writeIcon(const QDir& folder, int size) {
    const QString sizeFolder = QStringLiteral("icons/%1x%1").arg(size);
    const QString path =
        folder.filePath(sizeFolder + QStringLiteral("/%1.png").arg(QLatin1String(iconName)));
    const QImage icon = zentor::art::paintIcon(size);
    if (!folder.mkpath(sizeFolder) || icon.isNull() || !icon.save(path, "PNG")) {
        std::fprintf(stderr, "zentor-generate-icons: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(folder.relativeFilePath(path)));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    zentor::art::preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const std::optional<QString> argument =
        zentor::art::singleArgument(argc, argv, "zentor-generate-icons <resources folder>");
    if (!argument)
        return 2;
    const QDir folder(*argument);
    bool ok = true;
    for (int size : iconSizes)
        ok = writeIcon(folder, size) && ok;
    return ok ? 0 : 1;
}
