#include "logs/LogPlayback.h"
#include "logs/LogTime.h"

#include <QTest>

#include <cmath>

namespace {

constexpr double none = -1; // the text is refused
constexpr double day20240501 = 19844 * 86400.0;

} // namespace

class LogTimeTest : public QObject {
    Q_OBJECT

private slots:
    // Every parser on the same texts: a number of seconds, or refused.
    void parsers_data() {
        QTest::addColumn<QByteArray>("parser");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("seconds");
        const struct {
            const char* parser;
            const char* text;
            double seconds;
        } rows[] = {
            {"clock", "12:34:56", 45296},
            {"clock", "01:02:03.250", 3723.25},
            {"clock", "105:00:00", 378000},
            {"clock", "02:03", 123},
            {"clock", "12:60:00", none},
            {"clock", "12:00:60", none},
            {"clock", "12:00:5", none},
            {"clock", "12:00:05e1", none},
            {"clock", "1:2:3:4", none},
            {"clock", "", none},
            {"date", "2024-05-01", day20240501},
            {"date", "2024/05/01", day20240501},
            {"date", "5/1/2024", day20240501},
            {"date", "01.05.2024", day20240501},
            {"date", "1970-01-01", 0},
            {"date", "2024-02-30", none},
            {"date", "24-05-01", none},
            {"date", "2024-05", none},
            {"offset", "+02:00", 7200},
            {"offset", "-05:30", -19800},
            {"offset", "-0400", -14400},
            {"offset", "+5", 18000},
            {"offset", "05:00", none},
            {"offset", "+25:00", none},
            {"dateTime", "2024-05-01T00:00:00Z", day20240501},
            {"dateTime", "2024-05-01 12:00:00.5", day20240501 + 43200.5},
            {"dateTime", "2024-05-01T14:00:00+02:00", day20240501 + 43200},
            {"dateTime", "2024-05-01T07:00:00-05:00", day20240501 + 43200},
            {"dateTime", "2024-05-01T25:00:00Z", none},
            {"dateTime", "2024-05-01", none},
            {"dateTime", "2024-05-01T12:00:00+2:0", none},
            {"position", "90", 90},
            {"position", "12.5", 12.5},
            {"position", "1:30", 90},
            {"position", "01:02:03", 3723},
            {"position", "-0", 0},
            {"position", "-5", none},
            {"position", "1e999", none},
            {"position", "inf", none},
            {"position", "nan", none},
            {"position", "ten", none},
        };
        for (const auto& row : rows)
            QTest::newRow((QByteArray(row.parser) + " " + row.text).constData())
                << QByteArray(row.parser) << QByteArray(row.text) << row.seconds;
    }

    void parsers() {
        QFETCH(QByteArray, parser);
        QFETCH(QByteArray, text);
        QFETCH(double, seconds);
        const std::string input = text.toStdString();
        std::optional<double> got;
        if (parser == "clock")
            got = parseClock(input);
        else if (parser == "date" && parseDate(input))
            got = *parseDate(input) * 86400.0;
        else if (parser == "offset")
            got = parseUtcOffset(input);
        else if (parser == "dateTime")
            got = parseDateTime(input);
        else
            got = parseLogPosition(input);
        QCOMPARE(got.has_value(), seconds != none);
        if (got) {
            QCOMPARE(*got, seconds);
            QVERIFY(!std::signbit(*got) || *got != 0);
        }
    }

    void clockFormat_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("start") << 0.0 << QByteArray("00:00:00");
        QTest::newRow("rounded down") << 59.999 << QByteArray("00:00:59");
        QTest::newRow("hours") << 3723.5 << QByteArray("01:02:03");
        QTest::newRow("past a day") << 100.0 * 3600 << QByteArray("100:00:00");
        QTest::newRow("negative") << -5.0 << QByteArray("00:00:00");
        QTest::newRow("not a number") << double(NAN) << QByteArray("--:--:--");
        QTest::newRow("infinite") << double(INFINITY) << QByteArray("1000000:00:00");
    }

    void clockFormat() {
        QFETCH(double, seconds);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(formatLogClock(seconds)), text);
    }

    void speeds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("speed");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("1") << QByteArray("1") << 1.0 << QByteArray("1x");
        QTest::newRow("1/4") << QByteArray("1/4") << 0.25 << QByteArray("1/4x");
        QTest::newRow("0.5") << QByteArray("0.5") << 0.5 << QByteArray("1/2x");
        QTest::newRow("64") << QByteArray("64") << 64.0 << QByteArray("64x");
        QTest::newRow("1.5") << QByteArray("1.5") << 1.5 << QByteArray("1.5x");
        QTest::newRow("too slow") << QByteArray("0.2") << 0.0 << QByteArray();
        QTest::newRow("too fast") << QByteArray("65") << 0.0 << QByteArray();
        QTest::newRow("over zero") << QByteArray("1/0") << 0.0 << QByteArray();
        QTest::newRow("nan") << QByteArray("nan") << 0.0 << QByteArray();
        QTest::newRow("word") << QByteArray("fast") << 0.0 << QByteArray();
    }

    void speeds() {
        QFETCH(QByteArray, text);
        QFETCH(double, speed);
        QFETCH(QByteArray, shown);
        const std::optional<double> got = parseReplaySpeed(text.toStdString());
        QCOMPARE(got.has_value(), speed != 0);
        if (got) {
            QCOMPARE(*got, speed);
            QCOMPARE(QByteArray::fromStdString(formatReplaySpeed(*got)), shown);
        }
    }

    // Playback over a log of 100 s: it pauses on the last row at the end,
    // seeks stay within the log once its length is final, the speed stays
    // within 1/4 .. 64.
    void playback() {
        LogPlayback playback(10, 2);
        playback.setLength(40, false);
        playback.advance(1);
        QCOMPARE(playback.position(), 12.0);
        playback.seekBy(60); // the log is still being read: no end yet
        QCOMPARE(playback.position(), 72.0);
        playback.setLength(100, true);
        playback.seekBy(60);
        QCOMPARE(playback.position(), 100.0);
        playback.seekBy(-200);
        QCOMPARE(playback.position(), 0.0);
        for (int i = 0; i < 10; ++i)
            playback.faster();
        QCOMPARE(playback.speed(), 64.0);
        playback.advance(0.065);
        QCOMPARE(playback.position(), 4.16);
        playback.advance(10);
        QCOMPARE(playback.position(), 100.0);
        QVERIFY(playback.paused());
        playback.advance(1);
        QCOMPARE(playback.position(), 100.0);
        for (int i = 0; i < 10; ++i)
            playback.slower();
        QCOMPARE(playback.speed(), 0.25);
        playback.toStart();
        playback.togglePause();
        playback.advance(4);
        QCOMPARE(playback.position(), 1.0);
        playback.togglePause();
        playback.advance(4);
        QCOMPARE(playback.position(), 1.0);
        QCOMPARE(QByteArray::fromStdString(replayCaption("flight.csv", playback)),
                 QByteArray("flight.csv 00:00:01 / 00:01:40 1/4x paused"));
    }

    void playbackStartsWithinTheLog() {
        LogPlayback late(500);
        late.setLength(100, true);
        QCOMPARE(late.position(), 100.0);
        LogPlayback odd(NAN, NAN);
        QCOMPARE(odd.position(), 0.0);
        QCOMPARE(odd.speed(), 1.0);
    }
};

QTEST_APPLESS_MAIN(LogTimeTest)
#include "tst_log_time.moc"
