#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <optional>

namespace zentor::art {

// The generators paint, they show nothing: the offscreen platform unless the
// caller chose another. Call before the application object is made.
inline void preferOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The tool's one argument, or none after printing its usage.
inline std::optional<QString> singleArgument(int argc, char** argv, const char* usage) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return std::nullopt;
    }
    return QString::fromLocal8Bit(argv[1]);
}

} // namespace zentor::art
