// The back end without the view: DPI codes and lighting triples as free
// functions, and the profile store's file replacement.
#include "config/dpi_codec.h"
#include "config/lighting_codec.h"
#include "config/profile_store.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

class tst_config : public QObject {
  Q_OBJECT

private slots:
  void dpiCodes() {
    const QString s3360 = QStringLiteral("3360"), s3050 = QStringLiteral("3050"),
                  s3389 = QStringLiteral("3389"), other = QStringLiteral("5050");
    QCOMPARE(int(dpiCode(s3360, 100)), 0);
    QCOMPARE(int(dpiCode(s3360, 12000)), 119);
    QCOMPARE(int(dpiCode(s3050, 250)), 1);
    QCOMPARE(int(dpiCode(s3050, 251)), 2);
    QCOMPARE(int(dpiCode(s3050, 2500)), 69);
    QCOMPARE(int(dpiCode(s3050, 4000)), 72);
    QCOMPARE(int(dpiCode(s3050, 4001)), 0);
    QCOMPARE(int(dpiCode(s3389, 16000)), 320 & 0xFF);
    QCOMPARE(int(dpiCode(other, 5000)), 49);
    QCOMPARE(int(dpiCode(other, 5200)), 26 | 0x40);

    const DpiStageCodes high = dpiStageCodes(s3389, {400, 12800, 800, 12799, 16000, 0, 0, 12801});
    QCOMPARE(int(high.highDpiMask), 0b10010010);
    QCOMPARE(int(high.codes[0]), 8);
    QCOMPARE(int(dpiStageCodes(s3360, {12800, 12800}).highDpiMask), 0);
  }

  void lightingTriples() {
    QCOMPARE(colourfulLightTriple(0, 0, 4), (LightTriple{1, 255, 0}));
    QCOMPARE(colourfulLightTriple(5, 4, 1), (LightTriple{5, 64, 1}));
    QCOMPARE(colourfulLightTriple(10, 0, 2), (LightTriple{10, 128, 30}));
    // Out-of-range speed and level give zeros in their byte only.
    QCOMPARE(colourfulLightTriple(8, 5, 0), (LightTriple{8, 0, 0}));
    QCOMPARE(colourfulLightTriple(3, 1, 1), LightTriple{});
    QCOMPARE(singleColourLightTriple(0, 0, 4), (LightTriple{1, 10, 1}));
    QCOMPARE(singleColourLightTriple(2, 1, 0), (LightTriple{3, 24, 1}));
    QCOMPARE(singleColourLightTriple(4, 2, 0), (LightTriple{2, 3, 3}));
    QCOMPARE(singleColourLightTriple(7, 2, 2), LightTriple{});
  }

  void storeReplacesFiles() {
    QTemporaryDir dir;
    const QString setting = dir.path();
    writeFile(setting + QStringLiteral("/pD.bin"), "[mouse]\nfactory=1\n");
    writeFile(setting + QStringLiteral("/p2.bin"), "[mouse]\nown=2\n");
    writeFile(setting + QStringLiteral("/apConfigD.bin"), "[mouse]\nicType=553\n");
    ProfileStore store(setting);

    // A pending write of the source travels with the copy.
    store.profile(1).setValue(QStringLiteral("mouse/pending"), 5);
    QVERIFY(store.copyProfile(3, 1));
    QCOMPARE(store.profile(3).value(QStringLiteral("mouse/own")).toInt(), 2);
    QCOMPARE(store.profile(3).value(QStringLiteral("mouse/pending")).toInt(), 5);

    QVERIFY(store.setCurrent(3));
    QVERIFY(store.resetProfile(3));
    QCOMPARE(readFile(setting + QStringLiteral("/p4.bin")), QByteArray("[mouse]\nfactory=1\n"));
    QCOMPARE(store.current().value(QStringLiteral("mouse/factory")).toInt(), 1);
    QVERIFY(!store.current().contains(QStringLiteral("mouse/own")));

    // A missing source leaves file and handle as they were, with the
    // handle's pending write on disk.
    store.profile(1).setValue(QStringLiteral("mouse/late"), 6);
    QVERIFY(!store.importProfile(1, setting + QStringLiteral("/missing.pf")));
    QCOMPARE(store.profile(1).value(QStringLiteral("mouse/own")).toInt(), 2);
    QVERIFY(readFile(setting + QStringLiteral("/p2.bin")).contains("late=6"));

    QVERIFY(store.exportProfile(1, setting + QStringLiteral("/out.pf")));
    QCOMPARE(readFile(setting + QStringLiteral("/out.pf")),
             readFile(setting + QStringLiteral("/p2.bin")));
    QVERIFY(store.resetGlobal());
    QCOMPARE(store.global().value(QStringLiteral("mouse/icType")).toString(),
             QStringLiteral("553"));

    // Indexes that are not profiles change nothing.
    QVERIFY(!store.setCurrent(10) && !store.resetProfile(-1) && !store.copyProfile(0, 10));
    QCOMPARE(store.currentIndex(), 3);
  }
};

QTEST_GUILESS_MAIN(tst_config)
#include "tst_config.moc"
