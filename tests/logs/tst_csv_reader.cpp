#include "logs/CsvReader.h"

#include <QTest>

#include <string>

namespace {

// Every record the reader gives, one per line of the result: its line
// number, then its cells between bars; a refused record by its status; a
// record cut off by the end of the bytes marked with '$'.
QByteArray readAll(const std::string& bytes, char separator) {
    const auto source = memoryBytes(bytes);
    CsvReader reader(*source, separator);
    QByteArray out;
    for (;;) {
        const CsvStatus status = reader.next();
        if (status == CsvStatus::end)
            break;
        out += QByteArray::number(qulonglong(reader.recordLine())) + ":";
        if (status == CsvStatus::tooLong)
            out += "too long";
        if (status == CsvStatus::tooManyCells)
            out += "too many cells";
        for (std::size_t i = 0; i < reader.cellCount(); ++i)
            out += "|" + QByteArray::fromStdString(std::string(reader.cell(i)));
        out += reader.terminated() ? "\n" : "$\n";
    }
    return out;
}

} // namespace

class CsvReaderTest : public QObject {
    Q_OBJECT

private slots:
    void records_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QByteArray>("records");
        const struct {
            const char* name;
            std::string bytes;
            char separator;
            const char* records;
        } rows[] = {
            {"LF", "a,b\n1,2\n", ',', "1:|a|b\n2:|1|2\n"},
            {"CRLF", "a,b\r\n1,2\r\n", ',', "1:|a|b\n2:|1|2\n"},
            {"CR alone", "a,b\r1,2\r", ',', "1:|a|b\n2:|1|2\n"},
            {"blank lines passed over", "\n\r\na\n\n\nb\n", ',', "3:|a\n6:|b\n"},
            {"a line of blanks passed over", "a\n   \t \nb\n", ',', "1:|a\n3:|b\n"},
            {"byte-order mark",
             "\xEF\xBB\xBF"
             "a,b\n",
             ',', "1:|a|b\n"},
            {"padding trimmed", "  a , b\t,c  \n", ',', "1:|a|b|c\n"},
            {"empty cells kept", ",x,,\n", ',', "1:||x||\n"},
            {"semicolons", "a;b,c;d\n", ';', "1:|a|b,c|d\n"},
            {"tabs", "a b\tc\t d\n", '\t', "1:|a b|c|d\n"},
            {"quoted separators", "\"a,b\",c\n", ',', "1:|a,b|c\n"},
            {"doubled quotes", "\"say \"\"hi\"\"\",x\n", ',', "1:|say \"hi\"|x\n"},
            {"quoted blanks kept", "\"  a  \" ,b\n", ',', "1:|  a  |b\n"},
            {"line break inside quotes", "\"a\nb\",c\nd\n", ',', "1:|a\nb|c\n3:|d\n"},
            {"CRLF inside quotes", "\"a\r\nb\",c\r\nd\r\n", ',', "1:|a\r\nb|c\n3:|d\n"},
            {"quote inside plain text", "ab\"c,d\n", ',', "1:|ab\"c|d\n"},
            {"text after a closing quote", "\"a\"b ,c\n", ',', "1:|ab|c\n"},
            {"empty quoted cell", "\"\",x\n", ',', "1:||x\n"},
            {"last line without a line end", "a,b\n1,2", ',', "1:|a|b\n2:|1|2$\n"},
            {"quote open at the end", "a\n\"open,", ',', "1:|a\n2:|open,$\n"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QByteArray::fromStdString(row.bytes) << row.separator
                                    << QByteArray(row.records, qsizetype(std::strlen(row.records)));
        QTest::newRow("NUL bytes are cell text")
            << QByteArray("x\0y\n", 4) << ',' << QByteArray("1:|x\0y\n", 7);
    }

    void records() {
        QFETCH(QByteArray, bytes);
        QFETCH(char, separator);
        QFETCH(QByteArray, records);
        QCOMPARE(readAll(bytes.toStdString(), separator), records);
    }

    // A record past a limit is refused whole and reading goes on after it;
    // one just within is read.
    void limits_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("records");
        const std::string within(maxRecordBytes - 1, 'x');
        const std::string tenMegabytes(10 << 20, 'y');
        const std::string cells4096(maxRecordCells - 1, ',');
        const std::string cells4097(maxRecordCells, ',');
        const std::string millionCells(1000000, ';');
        QTest::newRow("1 MiB line") << QByteArray::fromStdString(within + "\nok\n")
                                    << QByteArray::fromStdString("1:|" + within + "\n2:|ok\n");
        QTest::newRow("10 MB line") << QByteArray::fromStdString("a\n" + tenMegabytes + "\nok\n")
                                    << QByteArray("1:|a\n2:too long\n3:|ok\n");
        QTest::newRow("10 MB line at the end")
            << QByteArray::fromStdString("a\n" + tenMegabytes) << QByteArray("1:|a\n2:too long$\n");
        QTest::newRow("10 MB quoted cell resumes on its next line")
            << QByteArray::fromStdString("\"" + tenMegabytes + "\nok\n")
            << QByteArray("1:too long\n2:|ok\n");
        QTest::newRow("4096 cells")
            << QByteArray::fromStdString(cells4096 + "\nok\n")
            << QByteArray::fromStdString("1:" + std::string(4096, '|') + "\n2:|ok\n");
        QTest::newRow("4097 cells") << QByteArray::fromStdString(cells4097 + "\nok\n")
                                    << QByteArray("1:too many cells\n2:|ok\n");
        QTest::newRow("a million cells, other separator")
            << QByteArray::fromStdString("a;b\n" + millionCells + "\nok\n")
            << QByteArray("1:|a;b\n2:|" + QByteArray::fromStdString(millionCells) + "\n3:|ok\n");
    }

    void limits() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, records);
        const QByteArray got = readAll(bytes.toStdString(), ',');
        QVERIFY2(got == records, got.left(200).constData());
    }

    void millionCellsRefused() {
        const auto source = memoryBytes("h\n" + std::string(1000000, ',') + "\nok\n");
        CsvReader reader(*source, ',');
        QCOMPARE(reader.next(), CsvStatus::record);
        QCOMPARE(reader.next(), CsvStatus::tooManyCells);
        QCOMPARE(reader.cellCount(), std::size_t(0));
        QCOMPARE(reader.next(), CsvStatus::record);
        QCOMPARE(reader.cell(0), std::string_view("ok"));
        QCOMPARE(reader.recordLine(), std::uint64_t(3));
    }

    // Keeping only the first cell, as the indexing thread reads a row's time:
    // the same records and cell counts, and whether the rest hold anything.
    void firstCellKept_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("cells");
        QTest::addColumn<bool>("content");
        QTest::newRow("values") << QByteArray("a,b,c\n") << 3 << true;
        QTest::newRow("blanks") << QByteArray("a, ,\t \n") << 3 << false;
        QTest::newRow("empty quotes") << QByteArray("a,\"\"  \n") << 2 << false;
        QTest::newRow("quoted blanks") << QByteArray("a,\"  \"\n") << 2 << true;
        QTest::newRow("doubled quote") << QByteArray("a,\"\"\"\"\n") << 2 << true;
        QTest::newRow("quoted line break") << QByteArray("a,\"\n\",\n") << 3 << true;
        QTest::newRow("nothing") << QByteArray(",,\n") << 3 << false;
    }

    void firstCellKept() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, cells);
        QFETCH(bool, content);
        const auto source = memoryBytes(bytes.toStdString() + "next\n");
        CsvReader reader(*source, ',');
        reader.keepCells(1);
        QCOMPARE(reader.next(), CsvStatus::record);
        QCOMPARE(int(reader.cellCount()), cells);
        QCOMPARE(reader.unkeptContent(), content);
        QCOMPARE(reader.cell(0),
                 bytes.startsWith(',') ? std::string_view() : std::string_view("a"));
        QCOMPARE(reader.cell(1), std::string_view());
        QCOMPARE(reader.next(), CsvStatus::record);
        QCOMPARE(reader.cell(0), std::string_view("next"));
        QCOMPARE(reader.recordLine(), std::uint64_t(bytes.count('\n') + 1));
    }

    // Reading from a record's start and line gives the same records as
    // reading through; offsets and lines count the byte-order mark and CRLF.
    void seekToARecord() {
        const std::string bytes = "\xEF\xBB\xBF"
                                  "h1,h2\r\n\"a\nb\",1\r\n\r\nx,2\r\ny,3";
        const auto source = memoryBytes(bytes);
        CsvReader reader(*source, ',');
        QCOMPARE(reader.next(), CsvStatus::record);
        QCOMPARE(reader.recordStart(), std::uint64_t(3));
        QCOMPARE(reader.next(), CsvStatus::record);
        QCOMPARE(reader.next(), CsvStatus::record);
        const std::uint64_t start = reader.recordStart();
        const std::uint64_t line = reader.recordLine();
        QCOMPARE(line, std::uint64_t(5));
        QCOMPARE(bytes.substr(start, 3), std::string("x,2"));
        CsvReader other(*source, ',');
        other.seek(start, line);
        QCOMPARE(other.next(), CsvStatus::record);
        QCOMPARE(other.cell(0), std::string_view("x"));
        QCOMPARE(other.next(), CsvStatus::record);
        QCOMPARE(other.cell(1), std::string_view("3"));
        QCOMPARE(other.recordLine(), std::uint64_t(6));
        QCOMPARE(other.next(), CsvStatus::end);
    }

    // Records across the reader's 64 KiB buffer edges come out whole.
    void bufferEdges() {
        std::string bytes;
        for (int i = 0; i < 20000; ++i)
            bytes += "\"q" + std::to_string(i) + "\r\n\",  " + std::to_string(i * 7) + " \r\n";
        const auto source = memoryBytes(bytes);
        CsvReader reader(*source, ',');
        for (int i = 0; i < 20000; ++i) {
            QCOMPARE(reader.next(), CsvStatus::record);
            QCOMPARE(reader.cell(0), std::string_view("q" + std::to_string(i) + "\r\n"));
            QCOMPARE(reader.cell(1), std::string_view(std::to_string(i * 7)));
            QCOMPARE(reader.recordLine(), std::uint64_t(2 * i + 1));
        }
        QCOMPARE(reader.next(), CsvStatus::end);
    }
};

QTEST_APPLESS_MAIN(CsvReaderTest)
#include "tst_csv_reader.moc"
