// Writes the chunk-walk test images into a folder as the fuzzer's seeds:
// write_seed_corpus DIR. Images over 64 KiB are left out to keep the
// corpus small; the fuzzer's CORPUS adds the supplied loop itself.
#include "../sound/WaveImages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_seed_corpus DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath("."))
        return 1;
    for (const WaveCase& c : waveCases()) {
        if (c.image.size() > 65536)
            continue;
        QString name = QString::fromLatin1(c.name).toLower();
        name.replace(QRegularExpression("[^a-z0-9]+"), "-");
        QFile file(dir.filePath(name + ".wav"));
        if (!file.open(QIODevice::WriteOnly) || file.write(c.image) != c.image.size())
            return 1;
    }
    return 0;
}
