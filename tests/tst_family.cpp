// The device families: which family a "mouse/icType" value selects, and the
// device back end's results when exchanges with the mouse fail.
#include "config/device_family.h"
#include "config/mouse_device.h"
#include "device/hid_thread.h"
#include "platform/pause.h"
#include "testsupport.h"

#include <QTest>

using namespace testsupport;

class tst_family : public QObject {
  Q_OBJECT

private slots:
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void familyTable() {
    QCOMPARE(deviceFamily(QStringLiteral("560")).name(), QLatin1String("560"));
    QCOMPARE(deviceFamily(QStringLiteral("553")).name(), QLatin1String("553"));
    for (const char *other : {"", "5600", "561", " 560", "55328"})
      QCOMPARE(deviceFamily(QLatin1String(other)).name(), QLatin1String("553"));
    QCOMPARE(MouseDevice().family().name(), QLatin1String("553"));

    WorkDir dir;
    dir.writeConfig(QStringLiteral("[mouse]\nicType=560\n"));
    QSettings global(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
    MouseDevice device(global);
    QCOMPARE(&device.family(), &deviceFamily(QStringLiteral("560")));
    device.icType = QStringLiteral("553"); // chosen once, at construction
    QCOMPARE(device.family().name(), QLatin1String("560"));
  }

  void results_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("lastMatrix"); // head of the reset's last command
    QTest::addColumn<QStringList>("startReads");
    QTest::addColumn<QStringList>("screenStart"); // the mouse on profile 3
    QTest::newRow("553") << QStringLiteral("553") << QStringLiteral("12 04") << QStringList{}
                         << QStringList{};
    QTest::newRow("560") << QStringLiteral("560") << QStringLiteral("0d 04")
                         << QStringList{"8c 00", "8c 01", "8c 02", "8c 03", "8c 04"}
                         << QStringList{"82 00", "02 01"};
  }

  void results() {
    QFETCH(QString, family);
    QFETCH(QString, lastMatrix);
    QFETCH(QStringList, startReads);
    QFETCH(QStringList, screenStart);
    WorkDir dir;
    vmouse::Config c;
    c.family = family.toStdString();
    dir.writeDeviceList(c, QStringLiteral("[mouse]\nicType=%1\nisGun=true\n").arg(family));
    QSettings global(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
    MouseDevice device(global);
    QSettings profile(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
    const QVariantList gunValues{1, 2, 3};
    platform::PauseLog pauses;

    // Without a link nothing is sent and nothing succeeds.
    vmouse::configure(c);
    QVERIFY(!device.setReportRate(2));
    QVERIFY(!device.readAtStart());
    QVERIFY(!device.resetGunMatrices(profile));
    QVERIFY(!device.sendGun(1, gunValues));
    QVERIFY(vmouse::commands().empty());

    Hid_Thread link;
    connectLink(link, dir, c);
    device.setLink(&link);
    QVERIFY(device.setReportRate(2));
    vmouse::clearCommands();
    QVERIFY(device.readAtStart());
    QStringList reads = sentBlocks();
    for (QString &block : reads)
      block.truncate(5);
    QCOMPARE(reads, startReads);
    vmouse::DeviceState state = vmouse::deviceState();
    state.currentProfile = 3;
    vmouse::setDeviceState(state);
    vmouse::clearCommands();
    QVERIFY(device.prepareScreenStart());
    reads = sentBlocks();
    for (QString &block : reads)
      block.truncate(5);
    QCOMPARE(reads, screenStart);
    QVERIFY(device.sendGun(1, gunValues));
    QVERIFY(device.family().armReports(link));
    // Refused input.
    QVERIFY(!device.sendMacro(12, {}));
    QVERIFY(!device.sendGun(4, gunValues));

    vmouse::failNext(vmouse::Fault::Feature);
    QVERIFY(!device.setReportRate(2));
    // A failed read: no stage.
    int stage = -1;
    vmouse::failNext(vmouse::Fault::GetFeature);
    QVERIFY(!device.currentDpi(stage));
    QCOMPARE(stage, 0);
    // The first of three matrices fails; the others still go out.
    vmouse::clearCommands();
    vmouse::failNext(vmouse::Fault::Feature);
    QVERIFY(!device.resetGunMatrices(profile));
    QVERIFY(sentBlocks().value(sentBlocks().size() - 1).startsWith(lastMatrix));
    // The option write of the arming fails.
    vmouse::failAfter(vmouse::Fault::Feature, 1);
    QVERIFY(!device.family().armReports(link));
    QVERIFY(device.setReportRate(2));
  }

  // A profile block goes to the mouse only as the mouse sent it, patched:
  // reads stop at the first that fails, data that comes too late never lands
  // in another block, and a block that cannot be read is not sent at all.
  void unreadBlocksReadBeforeSend() {
    WorkDir dir;
    vmouse::Config c;
    c.family = "560";
    dir.writeDeviceList(c, QStringLiteral("[mouse]\nicType=560\nisGun=true\n"));
    QSettings global(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
    MouseDevice device(global);
    platform::PauseLog pauses;
    Hid_Thread link;
    connectLink(link, dir, c);
    device.setLink(&link);
    vmouse::DeviceState state = vmouse::deviceState();
    for (size_t b = 0; b < 5; ++b)
      for (size_t i = 0; i < 128; ++i)
        state.profiles[b][i] = uint8_t(b * 40 + i + 1);
    vmouse::setDeviceState(state);
    const auto heads = [] {
      QStringList out = sentBlocks();
      for (QString &block : out)
        block.truncate(5);
      return out;
    };

    // Block 0's data comes after its read gave up, once the next file is open.
    vmouse::setReplyDelay(5);
    vmouse::failNext(vmouse::Fault::StallRead);
    QVERIFY(!device.readAtStart());
    QCOMPARE(heads(), QStringList{"8c 00"});
    QCOMPARE(device.profileBlocks[0], MouseDevice::ProfileBlock{});

    vmouse::clearCommands();
    QVERIFY(device.sendGun(1, {3, 4, 5}));
    QCOMPARE(heads(), (QStringList{"8c 02", "0c 02"}));
    vmouse::ProfileBlock expected = state.profiles[2];
    expected[65] &= 0xFB;
    expected[78] = 0xF0;
    expected[79] = 3;
    expected[80] = 4;
    expected[81] = 5;
    QCOMPARE(vmouse::deviceState().profiles[2], expected);

    // Block 1 cannot be read: nothing is patched or sent.
    vmouse::clearCommands();
    vmouse::failNext(vmouse::Fault::GetFeature);
    QVERIFY(!device.setLightEffect(1, 2, 3));
    QCOMPARE(heads(), QStringList{"8c 01"});
    QCOMPARE(device.profileBlocks[1], MouseDevice::ProfileBlock{});
    state.profiles[2] = expected;
    QCOMPARE(vmouse::deviceState().profiles, state.profiles);
  }
};

QTEST_GUILESS_MAIN(tst_family)
#include "tst_family.moc"
