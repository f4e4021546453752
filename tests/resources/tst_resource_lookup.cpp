#include "resources/Resources.h"

#include <QtTest>

#include <string>

// Artwork and sound are found by number and type; anything else is a clean miss.
class ResourceLookupTest : public QObject {
    Q_OBJECT

private slots:
    void findsEachResource_data();
    void findsEachResource();
    void missesCleanly_data();
    void missesCleanly();
    void handsOutBytesInPlace();
};

void ResourceLookupTest::findsEachResource_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("panel") << 104 << "BITMAP" << QByteArray("BM");
    QTest::newRow("throttle knob") << 108 << "BITMAP" << QByteArray("BM");
    QTest::newRow("propeller knob") << 110 << "BITMAP" << QByteArray("BM");
    QTest::newRow("mixture knob") << 111 << "BITMAP" << QByteArray("BM");
    QTest::newRow("check mark") << 113 << "BITMAP" << QByteArray("BM");
    QTest::newRow("logo") << 114 << "BITMAP" << QByteArray("BM");
    QTest::newRow("engine sound") << 112 << "WAVE" << QByteArray("RIFF");
    QTest::newRow("type in lower case") << 112 << "wave" << QByteArray("RIFF");
}

void ResourceLookupTest::findsEachResource() {
    QFETCH(int, id);
    QFETCH(QString, type);
    QFETCH(QByteArray, magic);
    const std::string typeName = type.toStdString();
    const auto bytes = zentor::findResource(id, typeName);
    QVERIFY(bytes.size() > std::size_t(magic.size()));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes.data()), magic.size()), magic);
}

void ResourceLookupTest::missesCleanly_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("type");
    QTest::newRow("unknown id") << 999 << "BITMAP";
    QTest::newRow("id 0") << 0 << "BITMAP";
    QTest::newRow("negative id") << -104 << "BITMAP";
    QTest::newRow("between bitmaps") << 105 << "BITMAP";
    QTest::newRow("sound asked as bitmap") << 112 << "BITMAP";
    QTest::newRow("panel asked as sound") << 104 << "WAVE";
    QTest::newRow("below the first bitmap") << 101 << "BITMAP";
    QTest::newRow("empty type") << 104 << "";
    QTest::newRow("other resource kind") << 104 << "ICON";
}

void ResourceLookupTest::missesCleanly() {
    QFETCH(int, id);
    QFETCH(QString, type);
    const std::string typeName = type.toStdString();
    QVERIFY(zentor::findResource(id, typeName).empty());
}

void ResourceLookupTest::handsOutBytesInPlace() {
    // Uncompressed: every lookup points at the same bytes in the program image.
    const auto first = zentor::findResource(zentor::engineSoundWave, "WAVE");
    const auto second = zentor::findResource(zentor::engineSoundWave, "WAVE");
    QVERIFY(!first.empty());
    QCOMPARE(static_cast<const void*>(first.data()), static_cast<const void*>(second.data()));
    QCOMPARE(first.size(), second.size());
}

QTEST_APPLESS_MAIN(ResourceLookupTest)
#include "tst_resource_lookup.moc"
