#include "LogTestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray rows(int from, int to) {
    QByteArray text;
    for (int i = from; i < to; ++i)
        text += QByteArray::number(i) + "," + QByteArray::number(1000 + i) + "\n";
    return text;
}

LogOptions following() {
    LogOptions options;
    options.followPeriod = std::chrono::milliseconds(10);
    return options;
}

} // namespace

// A log that grows or shrinks while it is replayed: the player sees the new
// rows, or stops at the new end, and never reads what is no longer there.
class LogFollowingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void grows() {
        const QString path = dir.filePath("growing.csv");
        QVERIFY(writeFile(path, "Time,RPM\n" + rows(0, 10)));
        auto opened = EngineLog::open(path.toStdString(), following());
        QVERIFY(opened.log);
        EngineLog& log = *opened.log;
        log.waitForIndex();
        QCOMPARE(log.progress().length, 9.0);
        QCOMPARE(log.sampleAt(15).time, 9.0);

        QVERIFY(appendFile(path, rows(10, 20)));
        QTRY_COMPARE(log.progress().length, 19.0);
        QTRY_COMPARE(log.sampleAt(15)[Quantity::rpm], 1015.0f);

        // A row written in two parts: the first part alone is a row cut
        // short; once its line ends it is whole.
        QVERIFY(appendFile(path, "20"));
        QTRY_COMPARE(log.progress().badRows, std::uint64_t(1));
        QCOMPARE(log.progress().length, 19.0);
        QVERIFY(appendFile(path, ",2000\n"));
        QTRY_COMPARE(log.progress().length, 20.0);
        QTRY_COMPARE(log.sampleAt(20)[Quantity::rpm], 2000.0f);
        QCOMPARE(log.progress().badRows, std::uint64_t(0));
        QCOMPARE(log.sampleAt(19.5)[Quantity::rpm], 1509.5f);
    }

    void shrinks() {
        const QString path = dir.filePath("shrinking.csv");
        const QByteArray header = "Time,RPM\n";
        QVERIFY(writeFile(path, header + rows(0, 5000)));
        auto opened = EngineLog::open(path.toStdString(), following());
        QVERIFY(opened.log);
        EngineLog& log = *opened.log;
        log.waitForIndex();
        QCOMPARE(log.progress().length, 4999.0);
        QCOMPARE(log.sampleAt(4000)[Quantity::rpm], 5000.0f);

        // Cut in the middle of row 100: the rest is gone, row 100 is cut short.
        const qint64 cut = header.size() + rows(0, 100).size() + 3;
        QCOMPARE(::truncate(path.toLocal8Bit().constData(), cut), 0);
        QTRY_COMPARE(log.progress().length, 99.0);
        QCOMPARE(log.progress().rows, std::uint64_t(100));
        QCOMPARE(log.progress().badRows, std::uint64_t(1));
        const EngineSample end = log.sampleAt(4000);
        QCOMPARE(end.time, 99.0);
        QCOMPARE(end[Quantity::rpm], 1099.0f);
        QCOMPARE(log.sampleAt(50.5)[Quantity::rpm], 1050.5f);

        // Nothing left but part of the header: no rows, no values, no crash.
        QCOMPARE(::truncate(path.toLocal8Bit().constData(), 4), 0);
        QTRY_COMPARE(log.progress().rows, std::uint64_t(0));
        QVERIFY(log.sampleAt(10).present.none());

        // And it may come back.
        QVERIFY(writeFile(path, header + rows(0, 3)));
        QTRY_COMPARE(log.progress().length, 2.0);
        QTRY_COMPARE(log.sampleAt(1.5)[Quantity::rpm], 1001.5f);
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(LogFollowingTest)
#include "tst_log_following.moc"
