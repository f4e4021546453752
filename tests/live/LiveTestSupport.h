#pragma once

#include "engine/EngineSample.h"
#include "engine/Quantities.h"
#include "live/LiveCounters.h"
#include "live/RrefCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cmath>
#include <span>
#include <vector>

inline std::span<const std::uint8_t> bytesOf(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())};
}

inline QByteArray rrefAnswer(std::vector<RrefPair> pairs) {
    const std::vector<std::uint8_t> answer = encodeRrefAnswer(pairs);
    return QByteArray(reinterpret_cast<const char*>(answer.data()), qsizetype(answer.size()));
}

// "rpm=2400 oilTemp=212": the quantities a sample must hold, and nothing
// else; values within a thousandth.
inline QString sampleMismatch(const EngineSample& sample, const QString& expected) {
    EngineSample wanted;
    for (const QString& item : expected.split(' ', Qt::SkipEmptyParts)) {
        const auto quantity = quantityByName(item.section('=', 0, 0).toStdString());
        if (!quantity)
            return "bad expectation " + item;
        wanted.set(*quantity, item.section('=', 1).toFloat());
    }
    for (const QuantityRow& row : quantityRows) {
        const QString name = QString::fromLatin1(row.name.data(), qsizetype(row.name.size()));
        if (sample.has(row.quantity) != wanted.has(row.quantity))
            return name + (sample.has(row.quantity) ? " present" : " absent");
        if (sample.has(row.quantity) && std::fabs(sample[row.quantity] - wanted[row.quantity]) >
                                            1e-3 * std::max(1.0f, std::fabs(wanted[row.quantity])))
            return name + " = " + QString::number(sample[row.quantity], 'g', 9);
    }
    return {};
}

// "unknown index=1 absurd value=2": the ignored counts, all others zero.
inline QString countersMismatch(const LiveCounters& counters, const QString& expected) {
    for (const IgnoredRow& row : ignoredRows) {
        const QString name = QString::fromLatin1(row.name.data(), qsizetype(row.name.size()));
        std::uint64_t wanted = 0;
        for (const QString& item : expected.split(',', Qt::SkipEmptyParts))
            if (item.section('=', 0, 0).trimmed() == name)
                wanted = item.section('=', 1).toULongLong();
        if (counters[row.reason] != wanted)
            return QStringLiteral("%1: %2").arg(name).arg(counters[row.reason]);
    }
    return {};
}
