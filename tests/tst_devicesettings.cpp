// Device settings on the wire: DPI tables, rate, options, lighting, key
// matrices and the 560 family's profile blocks, for both families and the
// 55328 variant, through the virtual mouse.
#include "devicerig.h"

#include <QTest>

using namespace testsupport;

class tst_devicesettings : public QObject {
  Q_OBJECT

private slots:
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void dpiCodes553_data() {
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("3360") << "3360" << 8
                          << QList<int>{500, 1000, 1500, 2000, 3000, 4000, 5000, 6000}
                          << QList<int>{4, 9, 14, 19, 29, 39, 49, 59};
    QTest::newRow("4090 both sides of 5000")
        << "4090" << 8 << QList<int>{100, 5000, 5001, 6000, 12000, 200, 400, 800}
        << QList<int>{0, 49, 0x59, 0x5E, 0x7C, 1, 3, 7};
    QTest::newRow("unknown sensor takes 4090")
        << "PMW" << 2 << QList<int>{6000, 800, 0, 0, 0, 0, 0, 0}
        << QList<int>{0x5E, 7, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    QTest::newRow("3050 thresholds")
        << "3050" << 8 << QList<int>{250, 251, 2000, 2200, 4000, 4001, 1, 3500}
        << QList<int>{1, 2, 8, 69, 72, 0, 1, 71};
    QTest::newRow("3389 wraps above 12750")
        << "3389" << 8 << QList<int>{16000, 12800, 12750, 50, 400, 800, 1600, 3200}
        << QList<int>{64, 0, 255, 1, 8, 16, 32, 64};
    QTest::newRow("4 stages") << "3360" << 4
                              << QList<int>{400, 800, 1600, 3200, 5000, 6400, 8000, 12000}
                              << QList<int>{3, 7, 15, 31, 0x80, 0x80, 0x80, 0x80};
  }
  void dpiCodes553() {
    QFETCH(QString, sensor);
    QFETCH(int, count);
    QFETCH(QList<int>, values);
    QFETCH(QList<int>, codes);
    Rig rig({});
    QVERIFY(rig.ok);
    rig.view->mouseSetDpi(count, sensor, toList(values));
    QCOMPARE(heads(3), QStringList{QStringLiteral("11 %1 08").arg(count, 2, 16, QLatin1Char('0'))});
    QCOMPARE(dataOf(0, 8), toBytes(codes));
    QCOMPARE(int(vmouse::deviceState().dpiCount), count);
  }

  void dpiBlocks560() {
    for (bool gun : {false, true}) {
      Rig rig({QStringLiteral("560"), true, gun});
      QVERIFY(rig.ok);
      rig.readPatternedBlocks();
      rig.view->mouseSetDpi(3, QStringLiteral("3389"),
                            toList({16000, 400, 13000, 800, 1600, 3200, 6400, 12800}));
      QCOMPARE(heads(3), modeBlockSends(gun));
      const Bytes codes{64, 8, 4, 16, 32, 64, 128, 0};
      for (int b = 1; b <= 4; ++b) {
        Bytes expected = Rig::pattern(b);
        std::copy(codes.begin(), codes.end(), expected.begin() + 84);
        std::copy(codes.begin(), codes.end(), expected.begin() + 92);
        expected[100] = 0x07;
        expected[82] = expected[83] = 0b10000101; // stages 1, 3 and 8 above 12799
        QCOMPARE(toBytes(rig.view->profileBlocks[b]), expected);
        if (b == 1 || gun)
          QCOMPARE(toBytes(vmouse::deviceState().profiles[b]), expected);
        else
          QCOMPARE(toBytes(vmouse::deviceState().profiles[b]), Rig::pattern(b));
      }
      QCOMPARE(toBytes(rig.view->profileBlocks[0]), Rig::pattern(0));

      // Other sensors leave the high-DPI bytes alone.
      rig.view->mouseSetDpi(8, QStringLiteral("3360"), toList({400, 800, 0, 0, 0, 0, 0, 0}));
      QCOMPARE(int(rig.view->profileBlocks[1][82]), 0b10000101);
      QCOMPARE(int(rig.view->profileBlocks[1][100]), 0xFF);
      QCOMPARE(int(rig.view->profileBlocks[1][92]), 3);
    }
  }

  void dpiBadInput() {
    Rig rig({});
    // Extra values are ignored, missing ones count as 0, the stage count is
    // limited to 0..8: nothing beyond eight codes is read or sent.
    rig.view->mouseSetDpi(12, QStringLiteral("3360"),
                          toList({400, 800, 1600, 3200, 5000, 6400, 8000, 12000, 99999, 5}));
    QCOMPARE(heads(3), QStringList{"11 08 08"});
    QCOMPARE(dataOf(0, 8), toBytes({3, 7, 15, 31, 49, 63, 79, 119}));
    vmouse::clearCommands();
    rig.view->mouseSetDpi(2, QStringLiteral("3360"), toList({400}));
    QCOMPARE(dataOf(0, 8), toBytes({3, 0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}));
    QCOMPARE(messages.filter("expected 8 DPI values").size(), 2);
    QCOMPARE(messages.filter("limited to 0..8").size(), 1);
  }

  void simpleCommands() {
    Rig r553({});
    r553.view->mouseSetReportRate(4);
    r553.view->mouseSetCurrentDPI(2);
    r553.view->mouseSetKeyboardoption(1, 2, 3, 0xFF);
    r553.view->mouseSwitchKeyMatrix(1);
    r553.view->mouseSwitchKeyMatrix(4);
    QCOMPARE(heads(5), (QStringList{"01 04 00 00 00", "0b 02 00 00 00", "03 01 02 03 ff",
                                    "02 00 00 00 00", "02 03 00 00 00"}));
    QCOMPARE(r553.view->mouseGetCurrentDPI(), QVariant(2));
    QCOMPARE(r553.view->GetKeyboardoption(), toList({1, 2, 3, 255}));
    vmouse::unplug();
    QCOMPARE(r553.view->mouseGetCurrentDPI(), QVariant(0));
    QCOMPARE(r553.view->GetKeyboardoption(), toList({0, 0, 0, 0}));

    Rig r560({QStringLiteral("560")});
    r560.view->mouseSetCurrentDPI(3);
    QCOMPARE(r560.view->mouseGetCurrentDPI(), QVariant(3));
    vmouse::clearCommands();
    r560.view->mouseSwitchKeyMatrix(1);
    r560.view->mouseSetKeyboardoption(5, 6, 7, 8);
    QCOMPARE(heads(5), (QStringList{"02 01 00 00 00", "03 05 06 07 08"}));
    QCOMPARE(int(vmouse::deviceState().currentProfile), 1);
    vmouse::clearCommands();
    r560.view->mouseGetCurrentDPI();
    // The read names profile 1.
    QCOMPARE(heads(2), QStringList{"84 01"});
    QCOMPARE(r560.view->mouseReadCurrentProfile(), QVariant(1));
    vmouse::unplug();
    QCOMPARE(r560.view->mouseGetCurrentDPI(), QVariant(0));
    QCOMPARE(r560.view->mouseReadCurrentProfile(), QVariant(0));
  }

  void effects_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("colourful");
    QTest::addColumn<bool>("is55328");
    QTest::addColumn<QList<int>>("page");
    QTest::addColumn<QList<int>>("device");
    const QString f553 = QStringLiteral("553"), f560 = QStringLiteral("560");
    const QList<QList<int>> colourful{
        {0, 0, 0, 1, 0, 0},      {0, 0, 1, 1, 64, 0}, {5, 0, 4, 5, 255, 10}, {1, 4, 4, 3, 0, 1},
        {2, 1, 3, 4, 0, 7},      {3, 2, 2, 0, 0, 0},  {4, 0, 3, 2, 192, 0},  {5, 5, 2, 5, 128, 0},
        {6, 1, 1, 6, 0, 0},      {7, 0, 5, 7, 0, 0},  {8, 2, 1, 8, 64, 15},  {9, 3, 2, 9, 128, 7},
        {10, 4, 4, 10, 255, 20}, {11, 1, 1, 0, 0, 0}};
    for (const QString &family : {f553, f560})
      for (const QList<int> &row : colourful)
        QTest::addRow("%s colourful %d/%d/%d", qPrintable(family), row[0], row[1], row[2])
            << family << true << false << row.mid(0, 3) << row.mid(3);
    // Single colour: the 553 family's third byte is 2 except on the 55328.
    const QList<QList<int>> single{{0, 0, 2, 1, 5, 1},  {0, 0, 5, 1, 0, 1}, {1, 2, 0, 2, 3, 1},
                                   {2, 3, 0, 3, 12, 1}, {2, 7, 0, 3, 0, 1}, {4, 1, 0, 2, 2, 3},
                                   {3, 1, 1, 0, 0, 0}};
    for (const QList<int> &row : single) {
      QTest::addRow("553 single %d/%d/%d", row[0], row[1], row[2])
          << f553 << false << false << row.mid(0, 3) << QList<int>{row[3], row[4], 2};
      QTest::addRow("55328 single %d/%d/%d", row[0], row[1], row[2])
          << f553 << false << true << row.mid(0, 3) << row.mid(3);
    }
  }
  void effects() {
    QFETCH(QString, family);
    QFETCH(bool, colourful);
    QFETCH(bool, is55328);
    QFETCH(QList<int>, page);
    QFETCH(QList<int>, device);
    for (bool gun : {false, true}) {
      Rig rig({family, colourful, gun, is55328});
      rig.readPatternedBlocks();
      rig.view->mouseSetRGBEffect(uchar(page[0]), uchar(page[1]), uchar(page[2]));
      const vmouse::DeviceState s = vmouse::deviceState();
      if (family == QLatin1String("553")) {
        QCOMPARE(heads(1), QStringList{"0d"});
        QCOMPARE((QList<int>{s.ledEffect, s.ledOption1, s.ledOption2}), device);
        continue;
      }
      QCOMPARE(heads(3), modeBlockSends(gun));
      for (int b = 1; b <= 4; ++b) {
        Bytes expected = Rig::pattern(b);
        expected[71] = uint8_t(device[0]);
        expected[72] = uint8_t(device[1]);
        expected[73] = uint8_t(device[2]);
        QCOMPARE(toBytes(rig.view->profileBlocks[b]), expected);
      }
      QCOMPARE(toBytes(s.profiles[1]), toBytes(rig.view->profileBlocks[1]));
    }
  }

  void singleColourEffect560() {
    const QList<int> page{1, 2, 0};
    for (bool gun : {false, true}) {
      Rig rig({QStringLiteral("560"), false, gun});
      rig.readPatternedBlocks();
      rig.view->mouseSetRGBEffect(uchar(page[0]), uchar(page[1]), uchar(page[2]));
      QCOMPARE(heads(3), modeBlockSends(gun));
      for (int b = 1; b <= 4; ++b) {
        Bytes expected = Rig::pattern(b);
        expected[71] = 2;
        expected[72] = 3;
        expected[73] = !gun && b == 1 ? 3 : 2;
        QCOMPARE(toBytes(rig.view->profileBlocks[b]), expected);
      }
      QCOMPARE(toBytes(vmouse::deviceState().profiles[1]), toBytes(rig.view->profileBlocks[1]));
    }
  }

  void colours() {
    QList<int> colours;
    for (int i = 0; i < 24; ++i)
      colours << i + 1;
    const Bytes all = toBytes(colours);

    for (bool colourful : {true, false}) {
      Rig rig({QStringLiteral("560"), colourful});
      rig.readPatternedBlocks();
      rig.view->mouseSetRGBColor(0, toList(colours));
      const int b = colourful ? 0 : 1;
      QCOMPARE(heads(3), QStringList{QStringLiteral("0c 0%1 80").arg(b)});
      Bytes expected = Rig::pattern(b);
      std::copy(all.begin(), all.end(), expected.begin() + (colourful ? 24 : 104));
      QCOMPARE(toBytes(vmouse::deviceState().profiles[b]), expected);
      QCOMPARE(toBytes(rig.view->profileBlocks[1 - b]), Rig::pattern(1 - b));
    }

    Rig r55328({QStringLiteral("553"), false, false, true});
    QList<int> fixed = colours.mid(0, 21);
    r55328.view->mouseSetRGBColor(1, toList(fixed)); // eighth colour missing, so zero
    r55328.view->mouseSetRGBColor(1, toList(colours));
    QCOMPARE(heads(4), (QStringList{"0c 01 02 03", "10 00 18 00"}));
    QCOMPARE(toBytes(vmouse::deviceState().fixedColour), toBytes({1, 2, 3}));
    QCOMPARE(dataOf(1, 24), all);

    Rig r553({});
    QList<int> longList = colours;
    longList << 99 << 98;
    r553.view->mouseSetRGBColor(1, toList(longList));
    QCOMPARE(heads(3), (QStringList{"10 01 18", "10 01 18"}));
    QCOMPARE(dataOf(0, 24), all);
    QCOMPARE(dataOf(1, 24), all);
    QCOMPARE(messages.filter("cut to 24").size(), 1);
  }
};

QTEST_MAIN(tst_devicesettings)
#include "tst_devicesettings.moc"
