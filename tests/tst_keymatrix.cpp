// Button assignments: what is stored, and the key matrices each family
// receives, in normal and gun modes.
#include "devicerig.h"

#include <QTest>

using namespace testsupport;

namespace {

const QString factoryMatrix = QStringLiteral(
    "[mouseFwKeyMatrix]\n0=1, 0, 240, 0\n1=1, 0, 241, 0\n2=1, 0, 242, 0\n3=1, 0, 244, 0\n"
    "4=1, 0, 243, 0\n5=7, 0, 2, 0\n6=7, 0, 1, 0\n7=10, 240, 30, 2\n8=1, 0, 0, 0\n9=1, 0, 0, 0\n"
    "10=1, 0, 0, 0\n11=1, 0, 0, 0\n12=1, 0, 0, 0\n13=1, 0, 0, 0\n14=4, 0, 1, 0\n15=4, 0, 2, 0\n");

// The page's factory assignments, button k at 4k..4k+3.
QList<int> pageDefaults() {
  return {0, 0, 240, 0, 0, 0, 241, 0,   0,  0, 242, 0, 0,   0, 244, 0, 0,   0, 243, 0, 5, 0,
          1, 0, 5,   0, 2, 0, 0,   240, 30, 2, 0,   0, 0,   0, 0,   0, 0,   0, 0,   0, 0, 0,
          0, 0, 0,   0, 0, 0, 0,   0,   0,  0, 0,   0, 255, 0, 1,   0, 255, 0, 2,   0};
}

QList<int> factoryBytes() {
  return {1, 0, 240, 0, 1, 0, 241, 0,   1,  0, 242, 0, 1, 0, 244, 0, 1, 0, 243, 0, 7, 0,
          2, 0, 7,   0, 1, 0, 10,  240, 30, 2, 1,   0, 0, 0, 1,   0, 0, 0, 1,   0, 0, 0,
          1, 0, 0,   0, 1, 0, 0,   0,   1,  0, 0,   0, 4, 0, 1,   0, 4, 0, 2,   0};
}

Bytes matrix(int n) { return toBytes(vmouse::deviceState().keyMatrices[n - 1]); }

Bytes entry(const Bytes &m, int i) { return Bytes(m.begin() + 4 * i, m.begin() + 4 * i + 4); }

} // namespace

class tst_keymatrix : public QObject {
  Q_OBJECT

private slots:
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void defaultsEncodeToFactory() {
    for (const char *family : {"553", "560"}) {
      Rig rig({QString::fromLatin1(family)}, factoryMatrix);
      rig.view->mouseSetKeyMatrix(toList(pageDefaults()), true, toList({1, 2, 3}));
      QCOMPARE(heads(3), QStringList{family == QByteArray("553") ? "12 01 40" : "0d 01 80"});
      QCOMPARE(matrix(1), toBytes(factoryBytes()));
    }
  }

  void categories_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QList<int>>("page");
    QTest::addColumn<QList<int>>("device");
    const QList<QList<int>> both{{0, 0, 0xF0, 0, 1, 0, 0xF0, 0},
                                 {0, 0xF0, 0x1E, 2, 10, 0xF0, 0x1E, 2},
                                 {0, 0xF1, 3, 0, 5, 0, 3, 0},
                                 {0, 0xF1, 4, 0, 1, 0xF1, 4, 0},
                                 {1, 4, 0, 0, 10, 4, 0, 0},
                                 {2, 3, 4, 5, 0, 3, 4, 5},
                                 {3, 0, 0xE9, 0, 3, 0, 0xE9, 0},
                                 {4, 0, 3, 0, 9, 0, 4, 0},
                                 {4, 0, 255, 0, 9, 0, 0, 0},
                                 {5, 0, 1, 0, 7, 0, 1, 0},
                                 {5, 0, 3, 0, 7, 0, 3, 0},
                                 {6, 0, 0x94, 1, 3, 0, 0x94, 1},
                                 {6, 0, 0x23, 2, 3, 0, 0x23, 2},
                                 {6, 0, 0x21, 2, 3, 0, 0x21, 2},
                                 {6, 0, 0x2C, 0x1B, 0, 0, 0x2C, 0x1B},
                                 {6, 0, 0x21, 1, 0, 0, 0x21, 1},
                                 {7, 0, 0xE0, 6, 0, 0, 0xE0, 6},
                                 {255, 0, 2, 0, 4, 0, 2, 0},
                                 {9, 1, 2, 3, 9, 1, 2, 3},
                                 {1, 5, 0x94, 1, 3, 5, 0x94, 1}};
    for (const char *family : {"553", "560"})
      for (const QList<int> &row : both)
        QTest::addRow("%s %d/%d/%d/%d", family, row[0], row[1], row[2], row[3])
            << QString::fromLatin1(family) << row.mid(0, 4) << row.mid(4);
    QTest::newRow("553 sniper") << "553" << QList<int>{5, 0, 4, 0} << QList<int>{7, 0, 4, 1};
    QTest::newRow("560 sniper") << "560" << QList<int>{5, 0, 4, 0} << QList<int>{11, 0, 1, 1};
  }
  void categories() {
    QFETCH(QString, family);
    QFETCH(QList<int>, page);
    QFETCH(QList<int>, device);
    Rig rig({family}, factoryMatrix);
    QList<int> src = pageDefaults();
    for (int i = 0; i < 4; ++i)
      src[12 + i] = page[i]; // button 3
    rig.view->mouseSetKeyMatrix(toList(src), true, {});
    QCOMPARE(vmouse::commands().size(), size_t(1));
    QCOMPARE(entry(matrix(1), 3), toBytes(device));
  }

  void buttonsFiveAndSixTradePlaces() {
    Rig rig({}, factoryMatrix);
    QList<int> src = pageDefaults();
    const QList<int> five{2, 1, 4, 0}, six{3, 0, 0xCD, 0};
    for (int i = 0; i < 4; ++i) {
      src[20 + i] = five[i];
      src[24 + i] = six[i];
    }
    rig.view->mouseSetKeyMatrix(toList(src), true, {});
    QCOMPARE(entry(matrix(1), 6), toBytes({0, 1, 4, 0}));
    QCOMPARE(entry(matrix(1), 5), toBytes({3, 0, 0xCD, 0}));
    // Stored in the page's own order and vocabulary.
    QCOMPARE(ints(rig.view->getDataList(QStringLiteral("mouseKeyMatrix/5"), false)), five);
    QCOMPARE(ints(rig.view->getDataList(QStringLiteral("mouseKeyMatrix/6"), false)), six);
  }

  void storeWithoutSending() {
    Rig rig({}, factoryMatrix);
    QList<int> src = pageDefaults();
    src[0] = 4;
    src[2] = 0;
    rig.view->mouseSetKeyMatrix(toList(src), false, {});
    QVERIFY(vmouse::commands().empty());
    for (int k = 0; k < 16; ++k)
      QCOMPARE(ints(rig.view->mouseGetKeydefine(k, false)), src.mid(4 * k, 4));
  }

  void gunMode560() {
    for (int level : {1, 2, 3}) {
      Rig rig({QStringLiteral("560"), true, true}, factoryMatrix);
      rig.readPatternedBlocks();
      QList<int> src = pageDefaults();
      src[12] = 8;
      src[14] = level;
      rig.view->mouseSetKeyMatrix(toList(src), true, toList({5, 6, 300}));
      QCOMPARE(heads(3), (QStringList{"0c 00 80", "0d 01 80", "0d 02 80", "0d 03 80", "0d 04 80",
                                      "02 01 00"}));
      Bytes block0 = Rig::pattern(0);
      block0[2] = uint8_t(QList<int>{7, 15, 31}[level - 1]);
      QCOMPARE(toBytes(vmouse::deviceState().profiles[0]), block0);
      QCOMPARE(entry(matrix(1), 3), toBytes({8, 0, 1, 0}));
      const QList<QList<int>> levels{{0, 0, 0}, {3, 0, 0}, {3, 3, 0}};
      for (int g = 0; g < 3; ++g) {
        const Bytes m = matrix(g + 2);
        QCOMPARE(entry(m, 3), toBytes({8, 0, levels[level - 1][g], 0}));
        QCOMPARE(entry(m, 0), toBytes({11, g, QList<int>{5, 6, 300 & 0xFF}[g], 0}));
        // The rest is the factory matrix, in device order.
        for (int i = 1; i < 16; ++i)
          if (i != 3)
            QCOMPARE(entry(m, i), entry(toBytes(factoryBytes()), i));
      }
      QCOMPARE(int(vmouse::deviceState().currentProfile), 1);
    }
  }

  void gunMode553() {
    const QList<QList<int>> fourth{{0, 0, 0}, {2, 0, 0}, {2, 3, 0}};
    for (int level : {1, 2, 3, 5}) {
      Rig rig({}, factoryMatrix);
      QList<int> src = pageDefaults();
      src[12] = 8;
      src[13] = 9;
      src[14] = level;
      rig.view->mouseSetKeyMatrix(toList(src), true, toList({5, 6}));
      QCOMPARE(heads(3), (QStringList{"12 01 40", "12 02 40", "12 03 40", "12 04 40", "02 01 00"}));
      const bool known = level <= 3;
      QCOMPARE(entry(matrix(1), 3), toBytes({8, 0, 1, known ? 1 : 0}));
      for (int g = 0; g < 3; ++g) {
        const Bytes m = matrix(g + 2);
        QCOMPARE(entry(m, 3), toBytes({8, 0, 1, known ? fourth[level - 1][g] : 0}));
        // A missing period counts as 0.
        QCOMPARE(entry(m, 0), toBytes({11, g, QList<int>{5, 6, 0}[g], 0}));
      }
      QCOMPARE(int(vmouse::deviceState().currentKeyMatrix), 1);
    }
  }

  void badLists() {
    // A short assignment list is refused whole: nothing stored, nothing sent.
    Rig rig({}, factoryMatrix + QStringLiteral("[mouseKeyMatrix]\n0=0, 0, 240, 0\n"));
    rig.view->mouseSetKeyMatrix(toList(pageDefaults().mid(0, 60)), true, {});
    QVERIFY(vmouse::commands().empty());
    QCOMPARE(ints(rig.view->mouseGetKeydefine(0, false)), (QList<int>{0, 0, 240, 0}));
    QVERIFY(rig.view->mouseGetKeydefine(1, false).isEmpty());
    QCOMPARE(messages.filter("mouseSetKeyMatrix refused").size(), 1);

    // A longer list uses its first 64 numbers; a short factory entry reads
    // as zeros for its missing numbers.
    Rig gun({}, QStringLiteral("[mouseFwKeyMatrix]\n3=1, 2\n"));
    QList<int> src = pageDefaults();
    src[12] = 8;
    src[14] = 1;
    src << 1 << 2 << 3;
    gun.view->mouseSetKeyMatrix(toList(src), true, toList({1, 2, 3}));
    QCOMPARE(vmouse::commands().size(), size_t(5));
    QCOMPARE(entry(matrix(2), 3), toBytes({8, 0, 1, 0}));
    QCOMPARE(entry(matrix(2), 5), toBytes({0, 0, 0, 0}));
  }

  void resetSendsFactoryAsGunMatrices() {
    for (const char *family : {"553", "560"}) {
      Rig rig({QString::fromLatin1(family)}, factoryMatrix);
      vmouse::DeviceState s = vmouse::deviceState();
      s.keyMatrices[0].fill(0xAA);
      vmouse::setDeviceState(s);
      rig.view->mouseResetKeyMatrix();
      QCOMPARE(heads(2), family == QByteArray("553") ? (QStringList{"12 02", "12 03", "12 04"})
                                                     : (QStringList{"0d 02", "0d 03", "0d 04"}));
      for (int n = 2; n <= 4; ++n)
        QCOMPARE(matrix(n), toBytes(factoryBytes()));
      QCOMPARE(matrix(1), Bytes(64, 0xAA));
    }
  }

  void keydefineSource() {
    Rig rig({}, QStringLiteral("[mouseKeyMatrix]\n3=4, 0, 3, 0\n"));
    QFile pd(QStringLiteral("modules/setting/pD.bin"));
    QVERIFY(pd.open(QIODevice::WriteOnly));
    pd.write("[mouseKeyMatrix]\n3=0, 0, 244, 0\n");
    pd.close();
    myQQuickView fresh(nullptr);
    QCOMPARE(ints(fresh.mouseGetKeydefine(3, false)), (QList<int>{4, 0, 3, 0}));
    QCOMPARE(ints(fresh.mouseGetKeydefine(QStringLiteral("3"), true)), (QList<int>{0, 0, 244, 0}));
    QVERIFY(fresh.mouseGetKeydefine(9, true).isEmpty());
  }
};

QTEST_MAIN(tst_keymatrix)
#include "tst_keymatrix.moc"
