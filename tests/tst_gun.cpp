// Gun presets in their file, the per-profile gun values, and a gun slot on
// the virtual mouse for both families.
#include "devicerig.h"

#include <QTest>

using namespace testsupport;

namespace {

const QString gunFile = QStringLiteral("modules/gun/gunData.bin");

const QByteArray presets = "[gunData]\n0=M416, L-Click, 9, 0, 5, 0\n1=AKM, L-Click, 9, 0, 7, 0\n";

// A view on a connected virtual mouse whose blocks hold bytes read
// earlier, so that keeping them shows.
struct Mouse : Rig {
  Mouse(const QString &family, bool isGun) : Rig({family, false, isGun}) {
    for (size_t b = 0; b < view->profileBlocks.size(); ++b) {
      for (size_t i = 0; i < 128; ++i)
        view->profileBlocks[b][i] = uchar(b * 16 + i);
      view->profileBlocks[b][65] = 0xFF;
    }
    view->mouse().blockRead.fill(true);
    vmouse::clearCommands();
  }
};

vmouse::ProfileBlock patched(const myQQuickView &view, int block, QList<uchar> tail) {
  vmouse::ProfileBlock expected{};
  std::copy(view.profileBlocks[size_t(block)].begin(), view.profileBlocks[size_t(block)].end(),
            expected.begin());
  expected[65] &= 0xFB;
  std::copy(tail.begin(), tail.end(), expected.begin() + 78);
  return expected;
}

} // namespace

class tst_gun : public QObject {
  Q_OBJECT

private slots:
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void send560_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QList<uchar>>("bytes");
    QTest::newRow("slot 2, y -10")
        << 2 << QVariantList{0, 0, -10} << QList<uchar>{0xF0, 0x00, 0x00, 0xF6};
    QTest::newRow("slot 1, wide and fractional")
        << 1 << QVariantList{0x105, -1, 7.0} << QList<uchar>{0xF0, 0x05, 0xFF, 0x07};
    QTest::newRow("slot 3, text numbers")
        << 3 << QVariantList{"3", "-2", "12"} << QList<uchar>{0xF0, 0x03, 0xFE, 0x0C};
  }

  void send560() {
    QFETCH(int, slot);
    QFETCH(QVariantList, values);
    QFETCH(QList<uchar>, bytes);
    Mouse m(QStringLiteral("560"), true);
    const auto before = m.view->profileBlocks;
    const vmouse::ProfileBlock expected = patched(*m.view, slot + 1, bytes);

    m.view->mouseSendGundata(slot, values);
    const auto commands = vmouse::commands();
    QCOMPARE(commands.size(), size_t(1));
    QCOMPARE(commands[0].block[0], uint8_t(0x0C));
    QCOMPARE(commands[0].block[1], uint8_t(slot + 1));
    QCOMPARE(vmouse::deviceState().profiles[size_t(slot + 1)], expected);
    // The view keeps the patched block; the other blocks are untouched.
    for (int b = 0; b < 5; ++b) {
      if (b == slot + 1)
        QVERIFY(std::equal(expected.begin(), expected.end(), m.view->profileBlocks[b].begin()));
      else
        QCOMPARE(m.view->profileBlocks[b], before[b]);
    }
  }

  void send553_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("option3");
    QTest::addColumn<QList<uchar>>("gunData");
    QTest::newRow("option 3 clear")
        << 2 << QVariantList{0, 0, -10} << 0 << QList<uchar>{0x00, 0x00, 0xF6, 0x01};
    QTest::newRow("option 3 set") << 2 << QVariantList{0, 0, -10} << 0x20
                                  << QList<uchar>{0x00, 0x00, 0x0A, 0x01};
    QTest::newRow("slot 1, y 0 stays 0")
        << 1 << QVariantList{5, 3, 0} << 1 << QList<uchar>{0x05, 0x03, 0x00, 0x00};
    QTest::newRow("slot 3, y -128 wraps to itself")
        << 3 << QVariantList{0x1FF, -1, -128} << 1 << QList<uchar>{0xFF, 0xFF, 0x80, 0x02};
  }

  void send553() {
    QFETCH(int, slot);
    QFETCH(QVariantList, values);
    QFETCH(int, option3);
    QFETCH(QList<uchar>, gunData);
    Mouse m(QStringLiteral("553"), true);
    vmouse::DeviceState state = vmouse::deviceState();
    state.options = {0x11, 0x22, uint8_t(option3), 0x44};
    vmouse::setDeviceState(state);

    m.view->mouseSendGundata(slot, values);
    const QStringList blocks = sentBlocks();
    QCOMPARE(blocks.size(), 2);
    QVERIFY(blocks[0].startsWith("83 "));
    QCOMPARE(blocks[1].left(17),
             QStringLiteral("04 00 %1")
                 .arg(hex(QByteArray(reinterpret_cast<const char *>(gunData.constData()), 4))));
    const auto sent = vmouse::deviceState().gunData;
    QCOMPARE(QList<uchar>(sent.begin(), sent.end()), gunData);
    // Options are only read.
    QCOMPARE(vmouse::deviceState().options, state.options);
  }

  // Without the option bytes y keeps the sign the page gave.
  void send553OptionReadFails() {
    Mouse m(QStringLiteral("553"), true);
    vmouse::DeviceState state = vmouse::deviceState();
    state.options = {0, 0, 1, 0};
    vmouse::setDeviceState(state);
    vmouse::failNext(vmouse::Fault::GetFeature);

    m.view->mouseSendGundata(2, {0, 0, -10});
    QCOMPARE(vmouse::deviceState().gunData, (std::array<uint8_t, 4>{0x00, 0x00, 0xF6, 0x01}));
  }

  void nothingSent_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("logged");
    for (const QString family : {"553", "560"}) {
      const QByteArray f = family.toLatin1();
      QTest::addRow("%s no gun", f.data())
          << family << false << 2 << QVariantList{0, 0, -10} << QString();
      QTest::addRow("%s slot 0", f.data()) << family << true << 0 << QVariantList{0, 0, -10}
                                           << "mouseSendGundata refused: gun slot 0 is not 1 to 3";
      QTest::addRow("%s slot 4", f.data()) << family << true << 4 << QVariantList{0, 0, -10}
                                           << "mouseSendGundata refused: gun slot 4 is not 1 to 3";
      QTest::addRow("%s slot -1", f.data())
          << family << true << -1 << QVariantList{0, 0, -10}
          << "mouseSendGundata refused: gun slot -1 is not 1 to 3";
      QTest::addRow("%s two values", f.data())
          << family << true << 1 << QVariantList{0, 0}
          << "mouseSendGundata refused: 3 values expected, got 2";
      QTest::addRow("%s no values", f.data())
          << family << true << 1 << QVariantList{}
          << "mouseSendGundata refused: 3 values expected, got 0";
      QTest::addRow("%s four values", f.data())
          << family << true << 1 << QVariantList{0, 0, 1, 2}
          << "mouseSendGundata refused: 3 values expected, got 4";
    }
  }

  void nothingSent() {
    QFETCH(QString, family);
    QFETCH(bool, isGun);
    QFETCH(int, slot);
    QFETCH(QVariantList, values);
    QFETCH(QString, logged);
    Mouse m(family, isGun);
    const auto before = m.view->profileBlocks;
    const vmouse::DeviceState state = vmouse::deviceState();
    messages.clear();

    m.view->mouseSendGundata(slot, values);
    QVERIFY(vmouse::commands().empty());
    QCOMPARE(m.view->profileBlocks, before);
    QCOMPARE(vmouse::deviceState().gunData, state.gunData);
    if (logged.isEmpty())
      QVERIFY(messages.isEmpty());
    else
      QCOMPARE(messages, QStringList{logged});
  }

  void noDeviceLink() {
    WorkDir dir;
    dir.writeConfig(QStringLiteral("[mouse]\nicType=560\nisGun=true\n"));
    myQQuickView view(nullptr);
    const auto before = view.profileBlocks;
    view.mouseSendGundata(2, {0, 0, -10});
    QCOMPARE(view.profileBlocks, before);
    QCOMPARE(messages, QStringList{"mouseSendGundata: no device link"});
  }

  void presetFile() {
    WorkDir dir;
    writeFile(gunFile, presets);
    myQQuickView view(nullptr);
    QCOMPARE(view.getGunData(1), QVariantList({"AKM", "L-Click", "9", "0", "7", "0"}));
    QCOMPARE(view.getGunData(QStringLiteral("1")), view.getGunData(1));
    QVERIFY(view.getGunData(7).isEmpty());

    const QVariantList fields{"Vector", "R-Click", 8, -2, 6, 3};
    view.mouseSaveGundata(0, fields);
    QCOMPARE(view.getGunData(0), QVariantList({"Vector", "R-Click", "8", "-2", "6", "3"}));
    QVERIFY(readFile(gunFile).contains("0=Vector, R-Click, 8, -2, 6, 3\n"));
    view.mouseSaveGundata(QStringLiteral("5"), fields);
    QCOMPARE(view.getGunDataKey(), QStringList({"0", "1", "5"}));

    // Type 1 replaces the old name's entry by five values under the new name.
    view.modifyGundata(1, {"Groza", "L-Click", 9, 1, 4, 0, "1"});
    QVERIFY(view.getGunData(1).isEmpty());
    QCOMPARE(view.getGunData(QStringLiteral("Groza")),
             QVariantList({"L-Click", "9", "1", "4", "0"}));
    QCOMPARE(view.getGunDataKey(), QStringList({"0", "5", "Groza"}));
    // Renaming onto itself keeps the entry.
    view.modifyGundata(1, {"Groza", "L-Click", 9, 1, 5, 0, "Groza"});
    QCOMPARE(view.getGunData(QStringLiteral("Groza")),
             QVariantList({"L-Click", "9", "1", "5", "0"}));

    view.modifyGundata(0, {"5"});
    QCOMPARE(view.getGunDataKey(), QStringList({"0", "Groza"}));

    // Other types change nothing.
    const QByteArray text = readFile(gunFile);
    view.modifyGundata(2, {"0", "x", 1, 1, 1, 1, "0"});
    view.modifyGundata(-1, {"0"});
    QCOMPARE(readFile(gunFile), text);
  }

  void badPresetInput_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QVariant>("first");
    QTest::addColumn<QVariantList>("list");
    QTest::addColumn<QString>("logged");
    const QVariantList six{"A", "K", 1, 2, 3, 4};
    QTest::newRow("save five") << "save" << QVariant(0) << six.mid(0, 5)
                               << "mouseSaveGundata refused: 6 values expected, got 5";
    QTest::newRow("save seven") << "save" << QVariant(0) << six + QVariantList{5}
                                << "mouseSaveGundata refused: 6 values expected, got 7";
    QTest::newRow("save empty index")
        << "save" << QVariant(QString()) << six << "mouseSaveGundata refused: not a preset name: ";
    QTest::newRow("save subgroup")
        << "save" << QVariant("0/x") << six << "mouseSaveGundata refused: not a preset name: 0/x";
    QTest::newRow("remove without name")
        << "modify" << QVariant(0) << QVariantList{} << "modifyGundata refused: no preset name";
    QTest::newRow("remove empty name") << "modify" << QVariant(0) << QVariantList{""}
                                       << "modifyGundata refused: not a preset name: ";
    QTest::newRow("rename six") << "modify" << QVariant(1) << six
                                << "modifyGundata refused: 7 values expected, got 6";
    QTest::newRow("rename empty old name") << "modify" << QVariant(1) << six + QVariantList{""}
                                           << "modifyGundata refused: not a preset name: ";
    QTest::newRow("rename to backslash")
        << "modify" << QVariant(1) << QVariantList{"a\\b", "K", 1, 2, 3, 4, "0"}
        << "modifyGundata refused: not a preset name: a\\b";
  }

  // Refused input leaves every preset in place.
  void badPresetInput() {
    QFETCH(QString, operation);
    QFETCH(QVariant, first);
    QFETCH(QVariantList, list);
    QFETCH(QString, logged);
    WorkDir dir;
    writeFile(gunFile, presets);
    myQQuickView view(nullptr);
    messages.clear();
    if (operation == "save")
      view.mouseSaveGundata(first, list);
    else
      view.modifyGundata(first, list);
    QCOMPARE(readFile(gunFile), presets);
    QCOMPARE(messages, QStringList{logged});
  }

  void missingPresetFile() {
    WorkDir dir;
    myQQuickView view(nullptr);
    view.mouseSaveGundata(0, {"A", "K", 1, 2, 3, 4});
    view.modifyGundata(1, {"B", "K", 1, 2, 3, 4, "0"});
    view.modifyGundata(0, {"0"});
    QVERIFY(!QFile::exists(gunFile));
    QVERIFY(!QDir(QStringLiteral("modules/gun")).exists());
    QVERIFY(view.getGunData(0).isEmpty());
    QVERIFY(view.getGunDataKey().isEmpty());
    QVERIFY(messages.isEmpty());
  }

  void profileValues() {
    WorkDir dir;
    {
      myQQuickView view(nullptr);
      QCOMPARE(view.getXYSensitive(0), QVariant(4));
      QCOMPARE(view.getXYSensitive(1), QVariant(4));
      QCOMPARE(view.getselectGun(0), QVariant(QStringLiteral("")));

      view.setCurrentProfile(2);
      view.setXYSensitive(1, 7);
      view.setSelectGun(QStringLiteral("0"), QStringLiteral("AKM"));
      QCOMPARE(view.getXYSensitive(QStringLiteral("1")).toInt(), 7);
      QCOMPARE(view.getselectGun(0), QVariant(QStringLiteral("AKM")));
      QCOMPARE(view.getXYSensitive(0), QVariant(4));

      view.setCurrentProfile(0);
      QCOMPARE(view.getXYSensitive(1), QVariant(4));
      QCOMPARE(view.getselectGun(0), QVariant(QStringLiteral("")));
    }
    const QByteArray p3 = readFile(QStringLiteral("modules/setting/p3.bin"));
    QVERIFY(p3.contains("[XYSensitive]\n1=7\n"));
    QVERIFY(p3.contains("[selectGun]\n0=AKM\n"));
    QVERIFY(!QFile::exists(QStringLiteral("modules/setting/p1.bin")));
  }
};

QTEST_MAIN(tst_gun)
#include "tst_gun.moc"
