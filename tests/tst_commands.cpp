// Every command slot of both families, checked on what the virtual mouse
// receives: the block, its data and report count, the pauses, the device
// state it leaves, out-values from a prepared state, and the failure paths.
#include "device/hid_thread.h"
#include "device/linkowner.h"
#include "platform/pause.h"
#include "testsupport.h"

#include <QTest>

#include <functional>

using namespace testsupport;
using Bytes = std::vector<uint8_t>;

namespace {

class FakeOwner : public LinkOwner {
public:
  QString icType = QStringLiteral("553");
  bool isGun = false;
  bool linkArmReports(Hid_Thread &) override { return false; }
  bool linkIsGun() const override { return isGun; }
  void linkSetCurrentDPI(int) override {}
  void linkShowBalloon(const QString &) override {}
  void linkDisableView() override {}
};

QString hexOf(const Bytes &b) {
  return hex(QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size())));
}

// 1, 2, 3, ... : data whose every byte is visible on the wire.
uchar pattern[128];

QList<int> settled(int reports) {
  QList<int> p{64, 64};
  if (reports == 0)
    return p;
  p += QList<int>(reports, 120);
  return p + QList<int>{64, 64};
}

struct WriteCase {
  const char *name;
  const char *family;
  std::function<bool(Hid_Thread &)> call;
  const char *block; // plain, checksum included
  int dataLength;    // bytes of the pattern sent, zero-padded to `reports`
  int sentData;      // data bytes the command sends in all
  QList<int> pauses;
  const char *failure;
  std::function<bool(const vmouse::DeviceState &)> applied;
};

const QList<WriteCase> &writeCases() {
  using S = vmouse::DeviceState;
  static const QList<WriteCase> cases = {
      {"553 03H options",
       "553",
       [](Hid_Thread &l) { return l.hid553_03H_SetKeyboardoption(1, 2, 3, 4); },
       "03 01 02 03 04 00 00 f2",
       0,
       0,
       {8},
       "cmd Failed 03",
       [](const S &s) {
         return s.options == std::array<uint8_t, 4>{1, 2, 3, 4};
       }},
      {"553 04H gun data",
       "553",
       [](Hid_Thread &l) { return l.hid553_04H_SetGunData(1, 2, 3, 4); },
       "04 00 01 02 03 04 00 f1",
       0,
       0,
       {8},
       "cmd Failed 04",
       [](const S &s) {
         return s.gunData == std::array<uint8_t, 4>{1, 2, 3, 4};
       }},
      {"560 01H options",
       "560",
       [](Hid_Thread &l) { return l.hid560_01H_SetKeyboardoption(0x09, 0x02); },
       "01 09 02 00 00 00 00 f3",
       0,
       0,
       {8},
       "cmd Failed 01",
       [](const S &s) { return s.options[0] == 0x09 && s.options[1] == 0x02; }},
      {"553 01H rate", "553", [](Hid_Thread &l) { return l.hid553_01H_SetReportRate(2); },
       "01 02 00 00 00 00 00 fc", 0, 0, settled(0), "cmd Failed 01",
       [](const S &s) { return s.reportRate == 2; }},
      {"553 0BH stage", "553", [](Hid_Thread &l) { return l.hid553_0BH_SetCurrentDPI(3); },
       "0b 03 00 00 00 00 00 f1", 0, 0, settled(0), "cmd Failed 0B",
       [](const S &s) { return s.dpiStage == 3; }},
      {"553 12H key matrix", "553",
       [](Hid_Thread &l) { return l.hid553_12H_SetKeyMatrix(pattern, 2); },
       "12 02 40 08 00 00 00 a3", 64, 64, settled(2), "cmd Failed 12",
       [](const S &s) { return s.keyMatrices[1][0] == 1 && s.keyMatrices[1][63] == 64; }},
      {"560 0DH key matrix", "560",
       [](Hid_Thread &l) { return l.hid560_0DH_SetKeyMatrix(pattern, 3); },
       "0d 03 80 00 00 00 00 6f", 64, 128, settled(4), "cmd Failed 0D",
       [](const S &s) { return s.keyMatrices[2][0] == 1 && s.keyMatrices[2][63] == 64; }},
      {"560 0CH profile", "560", [](Hid_Thread &l) { return l.hid560_0CH_setProfile(pattern, 2); },
       "0c 02 80 00 00 00 00 71", 128, 128, settled(4), "cmd Failed 0C",
       [](const S &s) { return s.profiles[2][0] == 1 && s.profiles[2][127] == 128; }},
      {"560 02H profile",
       "560",
       [](Hid_Thread &l) { return l.hid560_02H_SetCurrentProfile(1); },
       "02 01 00 00 00 00 00 fc",
       0,
       0,
       {8},
       "cmd Failed 02",
       [](const S &s) { return s.currentProfile == 1; }},
      {"553 13H macro", "553", [](Hid_Thread &l) { return l.hid553_13H_SetMacroKey(5, pattern); },
       "13 05 80 00 00 00 00 67", 128, 128, settled(4), "cmd Failed 13",
       [](const S &s) { return s.macros.count(5) && s.macros.at(5).size() == 128; }},
      {"560 0FH macro", "560", [](Hid_Thread &l) { return l.hid560_0FH_SetMacroKey(6, pattern); },
       "0f 06 80 00 00 00 00 6a", 128, 128, settled(4), "cmd Failed 0F",
       [](const S &s) { return s.macros.count(6) && s.macros.at(6)[127] == 128; }},
      {"553 11H DPI table", "553", [](Hid_Thread &l) { return l.hid553_11H_SetDPISet(4, pattern); },
       "11 04 08 00 00 00 00 e2", 8, 8, settled(1), "cmd Failed 11",
       [](const S &s) {
         return s.dpiCount == 4 && s.dpiTable == std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8};
       }},
      {"553 02H matrix", "553", [](Hid_Thread &l) { return l.hid553_02H_SetCurrentKeyMatrix(1); },
       "02 01 00 00 00 00 00 fc", 0, 0, settled(0), "cmd Failed 02",
       [](const S &s) { return s.currentKeyMatrix == 1; }},
      {"553 0DH effect", "553",
       [](Hid_Thread &l) { return l.hid553_0DH_SetRGBLedEffect(5, 255, 10); },
       "0d 05 ff 0a 00 00 00 e4", 0, 0, settled(0), "cmd Failed 0D",
       [](const S &s) { return s.ledEffect == 5 && s.ledOption1 == 255 && s.ledOption2 == 10; }},
      {"553 0CH colour", "553", [](Hid_Thread &l) { return l.hid553_0CH_SetFixLEDColor(pattern); },
       "0c 01 02 03 00 00 00 ed", 0, 0, settled(0), "cmd Failed 0C",
       [](const S &s) {
         return s.fixedColour == std::array<uint8_t, 3>{1, 2, 3};
       }},
      {"553 10H type 2", "553",
       [](Hid_Thread &l) { return l.hid553_10H_SetLED8StageColor(2, pattern); },
       "10 02 04 00 00 00 00 e9", 4, 4, settled(1), "cmd Failed 10",
       [](const S &s) { return s.stageColourType == 2 && s.stageColours[3] == 4; }},
      {"553 10H type 0", "553",
       [](Hid_Thread &l) { return l.hid553_10H_SetLED8StageColor(0, pattern); },
       "10 00 18 00 00 00 00 d7", 24, 24, settled(1), "cmd Failed 10",
       [](const S &s) { return s.stageColourType == 0 && s.stageColours[23] == 24; }},
  };
  return cases;
}

struct ReadCase {
  const char *name;
  const char *family;
  std::function<void(vmouse::DeviceState &)> prepare;
  // Runs the command on out-values starting as `values`; returns them after.
  std::function<Bytes(Hid_Thread &, Bytes values)> call;
  Bytes initial;
  const char *block;
  Bytes expected;
  const char *failure;
};

const QList<ReadCase> &readCases() {
  using S = vmouse::DeviceState;
  static const QList<ReadCase> cases = {
      {"553 83H options",
       "553",
       [](S &s) {
         s.options = {0x11, 0x22, 0x33, 0x44};
       },
       [](Hid_Thread &l, Bytes v) {
         l.hid553_83H_GetKeyboardoption(v[0], v[1], v[2], v[3]);
         return v;
       },
       {0xee, 0xee, 0xee, 0xee},
       "83 00 00 00 00 00 00 7c",
       {0x11, 0x22, 0x33, 0x44},
       "cmd Failed 83"},
      {"560 81H options",
       "560",
       [](S &s) {
         s.options = {0x05, 0x06, 0, 0};
       },
       [](Hid_Thread &l, Bytes v) {
         l.hid560_81H_GetKeyboardoption(v[0], v[1]);
         return v;
       },
       {0xee, 0xee},
       "81 00 00 00 00 00 00 7e",
       {0x05, 0x06},
       "cmd Failed 81"},
      {"560 82H profile",
       "560",
       [](S &s) { s.currentProfile = 3; },
       [](Hid_Thread &l, Bytes v) {
         l.hid560_82H_GetCurrentProfile(v[0]);
         return v;
       },
       {0xee},
       "82 00 00 00 00 00 00 7d",
       {3},
       "cmd Failed 82"},
      {"560 84H stage",
       "560",
       [](S &s) { s.profileDpiStage[3] = 6; },
       [](Hid_Thread &l, Bytes v) {
         l.hid560_84H_GetCurrentDPI(v[0], v[1]);
         return v;
       },
       {3, 0xee},
       "84 03 00 00 00 00 00 78",
       {3, 6},
       "cmd Failed 84"},
      {"553 8BH stage",
       "553",
       [](S &s) { s.dpiStage = 5; },
       [](Hid_Thread &l, Bytes v) {
         l.hid553_8BH_GetCurrentDPI(v[0]);
         return v;
       },
       {0xee},
       "8b 00 00 00 00 00 00 74",
       {5},
       "cmd Failed 8BH"},
  };
  return cases;
}

} // namespace

class tst_commands : public QObject {
  Q_OBJECT

  vmouse::Config mouse(const char *family, bool encode, int reportLength = 32) {
    vmouse::Config c;
    c.family = family;
    c.isEncode = encode;
    c.sCode = "N1kvRt";
    c.reportLength = reportLength;
    return c;
  }

  // A link that has handshaken the virtual mouse.
  void connect(Hid_Thread &link, WorkDir &dir, const vmouse::Config &c) {
    connectLink(link, dir, c);
    captureMessages();
  }

  static Bytes blockOf(const char *text) {
    Bytes b;
    for (const QByteArray &byte : QByteArray(text).split(' '))
      b.push_back(uint8_t(byte.toUInt(nullptr, 16)));
    return b;
  }

private slots:
  void initTestCase() {
    for (int i = 0; i < 128; ++i)
      pattern[i] = uchar(i + 1);
  }
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void writes_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("encode");
    for (int i = 0; i < writeCases().size(); ++i) {
      QTest::addRow("%s plain", writeCases()[i].name) << i << false;
      QTest::addRow("%s scrambled", writeCases()[i].name) << i << true;
    }
  }

  void writes() {
    QFETCH(int, row);
    QFETCH(bool, encode);
    const WriteCase &w = writeCases()[row];
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, mouse(w.family, encode));
    const Bytes block = blockOf(w.block);

    {
      platform::PauseLog pauses;
      QVERIFY(w.call(link));
      QCOMPARE(pauses.pauses(), w.pauses);
    }
    const auto commands = vmouse::commands();
    QCOMPARE(commands.size(), size_t(1));
    QCOMPARE(hexOf(commands[0].block), hexOf(block));
    QVERIFY(commands[0].checksumOk);
    const int reports = (w.sentData + 31) / 32;
    QCOMPARE(traceOf({"write"}).size(), reports);
    Bytes data(size_t(reports * 32), 0);
    std::copy_n(pattern, w.dataLength, data.begin());
    QCOMPARE(hexOf(commands[0].data), hexOf(data));
    QVERIFY(w.applied(vmouse::deviceState()));
    QVERIFY(vmouse::deviceState().unknownCommands.empty());
    QVERIFY(link.isTransportFree());
    QCOMPARE(vmouse::openHandles(), 1); // open while the mouse is connected

    Bytes wire = block;
    if (encode)
      vmouse::scramble(wire.data(), reinterpret_cast<const uint8_t *>("\0N1kvRt\0"));
    QCOMPARE(traceOf({"send_feature"}), QStringList{"send_feature 00 " + hexOf(wire)});
    QVERIFY(messages.isEmpty());

    // Transport held for the whole wait: the failure line, nothing sent.
    vmouse::clearCommands();
    QVERIFY(link.acquireTransport());
    {
      platform::PauseLog pauses;
      QVERIFY(!w.call(link));
      QCOMPARE(pauses.pauses(), QList<int>(255, 8));
    }
    QCOMPARE(messages, QStringList{QString::fromLatin1(w.failure)});
    QVERIFY(vmouse::commands().empty());
    link.setTransportFree();

    // A failed feature report sends no data and gives the link back.
    vmouse::clearTrace();
    vmouse::failNext(vmouse::Fault::Feature);
    platform::PauseLog quiet;
    QVERIFY(!w.call(link));
    QVERIFY(traceOf({"write"}).isEmpty());
    QVERIFY(link.isTransportFree());
    QCOMPARE(vmouse::openHandles(), 0);
  }

  void reads_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("encode");
    for (int i = 0; i < readCases().size(); ++i) {
      QTest::addRow("%s plain", readCases()[i].name) << i << false;
      QTest::addRow("%s scrambled", readCases()[i].name) << i << true;
    }
  }

  void reads() {
    QFETCH(int, row);
    QFETCH(bool, encode);
    const ReadCase &r = readCases()[row];
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, mouse(r.family, encode));
    vmouse::DeviceState state = vmouse::deviceState();
    r.prepare(state);
    vmouse::setDeviceState(state);

    platform::PauseLog pauses;
    QCOMPARE(hexOf(r.call(link, r.initial)), hexOf(r.expected));
    QCOMPARE(sentBlocks(), QStringList{QString::fromLatin1(r.block)});
    QVERIFY(pauses.pauses().isEmpty());
    QCOMPARE(traceOf({"get_feature"}).size(), 1);
    QVERIFY(link.isTransportFree());

    // Lock exhausted, feature report or reply failing: out-values stay.
    QVERIFY(link.acquireTransport());
    QCOMPARE(hexOf(r.call(link, r.initial)), hexOf(r.initial));
    QCOMPARE(messages, QStringList{QString::fromLatin1(r.failure)});
    link.setTransportFree();
    for (vmouse::Fault fault : {vmouse::Fault::Feature, vmouse::Fault::GetFeature}) {
      vmouse::failNext(fault);
      QCOMPARE(hexOf(r.call(link, r.initial)), hexOf(r.initial));
      QVERIFY(link.isTransportFree());
    }
    QCOMPARE(messages.size(), 1); // transfer failures are silent
  }

  void profileRead() {
    WorkDir dir;
    Hid_Thread link;
    for (int reportLength : {32, 64}) {
      connect(link, dir, mouse("560", true, reportLength));
      vmouse::DeviceState state = vmouse::deviceState();
      std::copy_n(pattern, 128, state.profiles[2].begin());
      vmouse::setDeviceState(state);
      uchar block[128];
      std::fill(std::begin(block), std::end(block), 0xee);
      QVERIFY(link.hid560_8CH_readProfile(block, 2));
      QVERIFY(std::equal(block, block + 128, pattern));
      QCOMPARE(sentBlocks(), QStringList{QStringLiteral("8c 02 00 00 00 00 00 71")});
      QCOMPARE(traceOf({"read"}).size(), 128 / reportLength);
      QVERIFY(link.isTransportFree());
    }

    // Two pieces arrive, then the device stops: the rest keeps its bytes.
    connect(link, dir, mouse("560", false));
    uchar block[128];
    std::fill(std::begin(block), std::end(block), 0xee);
    vmouse::queueInput(Bytes(32, 0x11));
    vmouse::queueInput(Bytes(32, 0x22));
    QVERIFY(!link.hid560_8CH_readProfile(block, 9)); // no such profile: nothing more comes
    QCOMPARE(block[0], uchar(0x11));
    QCOMPARE(block[63], uchar(0x22));
    QCOMPARE(block[64], uchar(0xee));
    QCOMPARE(block[127], uchar(0xee));
    QVERIFY(link.isTransportFree());

    // Lock exhausted, or the device gone: untouched.
    std::fill(std::begin(block), std::end(block), 0x5a);
    platform::PauseLog pauses;
    QVERIFY(link.acquireTransport());
    link.hid560_8CH_readProfile(block, 1);
    QCOMPARE(messages, QStringList{QStringLiteral("cmd Failed 8c")});
    link.setTransportFree();
    vmouse::unplug();
    QVERIFY(!link.hid560_8CH_readProfile(block, 1));
    vmouse::plug();
    QVERIFY(std::all_of(block, block + 128, [](uchar b) { return b == 0x5a; }));
    QVERIFY(link.isTransportFree());
  }

  void profileRepetition_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("gun"); // -1: no owner
    QTest::addColumn<QStringList>("blocks");
    const QStringList rate = {"03 01 02 00 00 00 00 f9", "03 02 02 00 00 00 00 f8",
                              "03 03 02 00 00 00 00 f7", "03 04 02 00 00 00 00 f6"};
    const QStringList stage = {"04 01 05 00 00 00 00 f5", "04 02 05 00 00 00 00 f4",
                               "04 03 05 00 00 00 00 f3", "04 04 05 00 00 00 00 f2"};
    QTest::newRow("03H normal") << 3 << 0 << rate;
    QTest::newRow("03H gun") << 3 << 1 << rate.mid(0, 1);
    QTest::newRow("03H no owner") << 3 << -1 << rate;
    QTest::newRow("04H normal") << 4 << 0 << stage;
    QTest::newRow("04H gun") << 4 << 1 << stage.mid(0, 1);
  }

  void profileRepetition() {
    QFETCH(int, code);
    QFETCH(int, gun);
    QFETCH(QStringList, blocks);
    WorkDir dir;
    Hid_Thread link;
    FakeOwner owner;
    owner.icType = QStringLiteral("560");
    owner.isGun = gun == 1;
    if (gun >= 0)
      link.setOwner(&owner);
    connect(link, dir, mouse("560", false));
    platform::PauseLog pauses;
    if (code == 3)
      link.hid560_03H_SetReportRate(2);
    else
      link.hid560_04H_SetCurrentDPI(5);
    QCOMPARE(sentBlocks(), blocks);
    QCOMPARE(pauses.pauses(),
             QList<int>(2 * int(blocks.size()), 64)); // settle after the block only
    const vmouse::DeviceState s = vmouse::deviceState();
    for (int n = 1; n <= 4; ++n) {
      const uint8_t value = code == 3 ? s.profileReportRate[n] : s.profileDpiStage[n];
      QCOMPARE(int(value), n <= blocks.size() ? (code == 3 ? 2 : 5) : 1);
    }

    // A failed send is reported, and the later profile numbers still go out.
    vmouse::clearCommands();
    vmouse::failNext(vmouse::Fault::Feature);
    QVERIFY(!(code == 3 ? link.hid560_03H_SetReportRate(2) : link.hid560_04H_SetCurrentDPI(5)));
    QCOMPARE(sentBlocks(), blocks.mid(1));

    // Lock held: one failure line, no profile number sent.
    vmouse::clearCommands();
    QVERIFY(link.acquireTransport());
    QVERIFY(!link.hid560_03H_SetReportRate(2));
    QCOMPARE(messages, QStringList{QStringLiteral("cmd Failed 03")});
    QVERIFY(vmouse::commands().empty());
    link.setTransportFree();
  }

  void badInput() {
    WorkDir dir;
    Hid_Thread link;
    connect(link, dir, mouse("553", false));
    // A missing array is refused, not sent as stale buffer bytes.
    link.hid553_12H_SetKeyMatrix(nullptr, 1);
    link.hid553_0CH_SetFixLEDColor(nullptr);
    link.hid560_8CH_readProfile(nullptr, 1);
    QCOMPARE(messages, (QStringList{"cmd Failed 12", "cmd Failed 0C", "cmd Failed 8c"}));
    QVERIFY(vmouse::commands().empty());
    QVERIFY(link.isTransportFree());

    // The family's firmware ignores the other family's commands.
    uchar block[128] = {};
    link.hid560_8CH_readProfile(block, 1);
    link.hid560_82H_GetCurrentProfile(block[0]);
    QCOMPARE(vmouse::deviceState().unknownCommands, (Bytes{0x8c, 0x82}));
    QCOMPARE(block[0], uchar(0));

    // Matrix and profile numbers the device does not have change nothing.
    const vmouse::DeviceState before = vmouse::deviceState();
    link.hid553_12H_SetKeyMatrix(pattern, 0);
    link.hid553_12H_SetKeyMatrix(pattern, 5);
    QVERIFY(vmouse::deviceState().keyMatrices == before.keyMatrices);
    connect(link, dir, mouse("560", false));
    const vmouse::DeviceState fresh = vmouse::deviceState();
    link.hid560_0CH_setProfile(pattern, 5);
    link.hid560_02H_SetCurrentProfile(7);
    QVERIFY(vmouse::deviceState().profiles == fresh.profiles);
    QCOMPARE(vmouse::deviceState().currentProfile, fresh.currentProfile);
  }

  void factoryFreshMouse() {
    for (const char *family : {"553", "560"}) {
      vmouse::configure(mouse(family, false));
      const vmouse::DeviceState s = vmouse::deviceState();
      QCOMPARE(s.dpiStage, uint8_t(1));
      QCOMPARE(s.currentProfile, uint8_t(1));
      QCOMPARE(s.keyMatrices[0][2], uint8_t(0xF0)); // left button first
      QCOMPARE(s.profiles[1][100], uint8_t(0x0f));  // four DPI stages in use
      QCOMPARE(s.profiles[0][2], uint8_t(7));
      QVERIFY(s.macros.empty());
    }
  }
};

QTEST_GUILESS_MAIN(tst_commands)
#include "tst_commands.moc"
