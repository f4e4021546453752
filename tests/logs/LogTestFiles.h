#pragma once

#include "engine/EngineSample.h"
#include "engine/Quantities.h"
#include "logs/EngineLog.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

// Files the log tests write and read, and readable descriptions of what the
// logs give back.

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline bool appendFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A log read whole before open() returns.
inline EngineLog::Opened openText(const std::string& text) {
    LogOptions options;
    options.indexInBackground = false;
    return EngineLog::openBytes("test.csv", text, options);
}

// "RPM=2400 Oil Temp=180.5", the present quantities in quantity order.
inline QByteArray describeSample(const EngineSample& sample) {
    QByteArray text;
    for (std::size_t q = 0; q < quantityCount; ++q) {
        if (!sample.present[q])
            continue;
        if (!text.isEmpty())
            text += ' ';
        text += QByteArray::fromStdString(std::string(quantityRows[q].title)) + "=" +
                QByteArray::number(sample.values[q], 'g', 7);
    }
    return text;
}
