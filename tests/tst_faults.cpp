// Fault matrices: every command slot with each HID call of its transaction
// failing in turn and the mouse removed before each; file operations of a
// process killed at random points.
#include "device/hid_thread.h"
#include "platform/pause.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <functional>

#include <signal.h>

using namespace testsupport;

namespace {

uchar pattern[128];
uchar b1, b2, b3, b4;

struct Slot {
  const char *name;
  const char *family;
  const char *failure;
  std::function<void(Hid_Thread &)> call;
};

// Every command slot of both families, with arguments the device accepts.
const QList<Slot> &commandSlots() {
  static const QList<Slot> all = {
      {"553 00H", "553", "cmd Failed 00",
       [](Hid_Thread &l) {
         b1 = 1, b2 = 2, b3 = 3, b4 = 4;
         l.hid553_00H_GetSecrecyCode(b1, b2, b3, b4);
       }},
      {"553 83H", "553", "cmd Failed 83",
       [](Hid_Thread &l) { l.hid553_83H_GetKeyboardoption(b1, b2, b3, b4); }},
      {"560 81H", "560", "cmd Failed 81",
       [](Hid_Thread &l) { l.hid560_81H_GetKeyboardoption(b1, b2); }},
      {"560 82H", "560", "cmd Failed 82",
       [](Hid_Thread &l) { l.hid560_82H_GetCurrentProfile(b1); }},
      {"560 84H", "560", "cmd Failed 84",
       [](Hid_Thread &l) {
         b1 = 2;
         l.hid560_84H_GetCurrentDPI(b1, b2);
       }},
      {"553 8BH", "553", "cmd Failed 8BH", [](Hid_Thread &l) { l.hid553_8BH_GetCurrentDPI(b1); }},
      {"553 03H", "553", "cmd Failed 03",
       [](Hid_Thread &l) { l.hid553_03H_SetKeyboardoption(1, 2, 3, 4); }},
      {"553 04H", "553", "cmd Failed 04",
       [](Hid_Thread &l) { l.hid553_04H_SetGunData(1, 2, 3, 4); }},
      {"560 01H", "560", "cmd Failed 01",
       [](Hid_Thread &l) { l.hid560_01H_SetKeyboardoption(1, 2); }},
      {"553 01H", "553", "cmd Failed 01", [](Hid_Thread &l) { l.hid553_01H_SetReportRate(1); }},
      {"560 03H", "560", "cmd Failed 03", [](Hid_Thread &l) { l.hid560_03H_SetReportRate(1); }},
      {"560 04H", "560", "cmd Failed 04", [](Hid_Thread &l) { l.hid560_04H_SetCurrentDPI(2); }},
      {"553 0BH", "553", "cmd Failed 0B", [](Hid_Thread &l) { l.hid553_0BH_SetCurrentDPI(2); }},
      {"553 12H", "553", "cmd Failed 12",
       [](Hid_Thread &l) { l.hid553_12H_SetKeyMatrix(pattern, 1); }},
      {"560 0DH", "560", "cmd Failed 0D",
       [](Hid_Thread &l) { l.hid560_0DH_SetKeyMatrix(pattern, 1); }},
      {"560 0CH", "560", "cmd Failed 0C",
       [](Hid_Thread &l) { l.hid560_0CH_setProfile(pattern, 1); }},
      {"560 8CH", "560", "cmd Failed 8c",
       [](Hid_Thread &l) {
         uchar block[128] = {};
         l.hid560_8CH_readProfile(block, 1);
       }},
      {"560 02H", "560", "cmd Failed 02", [](Hid_Thread &l) { l.hid560_02H_SetCurrentProfile(1); }},
      {"553 13H", "553", "cmd Failed 13",
       [](Hid_Thread &l) { l.hid553_13H_SetMacroKey(1, pattern); }},
      {"560 0FH", "560", "cmd Failed 0F",
       [](Hid_Thread &l) { l.hid560_0FH_SetMacroKey(1, pattern); }},
      {"553 11H", "553", "cmd Failed 11",
       [](Hid_Thread &l) { l.hid553_11H_SetDPISet(4, pattern); }},
      {"553 02H", "553", "cmd Failed 02",
       [](Hid_Thread &l) { l.hid553_02H_SetCurrentKeyMatrix(0); }},
      {"553 0DH", "553", "cmd Failed 0D",
       [](Hid_Thread &l) { l.hid553_0DH_SetRGBLedEffect(1, 255, 0); }},
      {"553 0CH", "553", "cmd Failed 0C",
       [](Hid_Thread &l) { l.hid553_0CH_SetFixLEDColor(pattern); }},
      {"553 10H", "553", "cmd Failed 10",
       [](Hid_Thread &l) { l.hid553_10H_SetLED8StageColor(0, pattern); }},
  };
  return all;
}

// The device calls a fault can hit, in the order the trace shows them.
const QStringList deviceOps = {"open", "send_feature", "get_feature", "write", "read"};

vmouse::Fault faultOf(const QString &op) {
  if (op == QLatin1String("open"))
    return vmouse::Fault::Open;
  if (op == QLatin1String("send_feature"))
    return vmouse::Fault::Feature;
  if (op == QLatin1String("get_feature"))
    return vmouse::Fault::GetFeature;
  if (op == QLatin1String("write"))
    return vmouse::Fault::Write;
  return vmouse::Fault::Read;
}

QStringList deviceCallLines() {
  QStringList lines;
  for (const std::string &line : vmouse::trace()) {
    const QString text = QString::fromStdString(line);
    if (deviceOps.contains(text.section(QLatin1Char(' '), 0, 0)))
      lines << text;
  }
  return lines;
}

QStringList deviceCalls() {
  QStringList calls;
  for (const QString &line : deviceCallLines())
    calls << line.section(QLatin1Char(' '), 0, 0);
  return calls;
}

// The command log as text: block and data of every command received.
QStringList received() {
  QStringList out;
  for (const vmouse::Command &c : vmouse::commands())
    out << hex(QByteArray(reinterpret_cast<const char *>(c.block.data()), int(c.block.size()))) +
               (c.checksumOk ? " ok " : " bad ") +
               hex(QByteArray(reinterpret_cast<const char *>(c.data.data()), int(c.data.size())));
  return out;
}

vmouse::Config mouse(const char *family) {
  vmouse::Config c;
  c.family = family;
  c.isEncode = true;
  c.sCode = "N1kvRt";
  return c;
}

// A clean run of the slot: its device calls and what the device received.
struct CleanRun {
  QStringList calls;
  QStringList commands;
};

CleanRun cleanRun(const Slot &slot) {
  WorkDir dir;
  Hid_Thread link;
  connectLink(link, dir, mouse(slot.family));
  platform::PauseLog quiet;
  slot.call(link);
  return {deviceCalls(), received()};
}

[[maybe_unused]] QByteArray readAll(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One operation the kill test's child repeats, and the files it changes.
struct KillCase {
  const char *operation; // the child's argument
  QStringList files;     // relative to the child's working directory
};

// One row per file operation that replaces a file the user relies on; the
// child has one operation each (see killtest_child.cpp).
const QList<KillCase> &killCases() {
  static const QList<KillCase> cases = {
      {"saveMacroIni", {"modules/macro/m.bin"}},
      {"saveMacroFile", {"modules/macro/m.bin", "export/m.bin"}},
      {"resetApconfig", {"modules/setting/apConfig.bin"}},
      {"resetProfile", {"modules/setting/p3.bin"}},
      {"copyProfile", {"modules/setting/p2.bin"}},
      {"loadProfile", {"modules/setting/p2.bin"}},
  };
  return cases;
}

} // namespace

class tst_faults : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    for (int i = 0; i < 128; ++i)
      pattern[i] = uchar(i + 1);
  }
  void init() { captureMessages(); }
  void cleanup() {
    qInstallMessageHandler(nullptr);
    vmouse::clearFaults();
    vmouse::plug();
  }

  void commandFaults_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("step");    // index into the slot's device calls
    QTest::addColumn<bool>("unplug"); // removal before the call instead of its failure
    for (int row = 0; row < commandSlots().size(); ++row) {
      const CleanRun clean = cleanRun(commandSlots()[row]);
      QVERIFY(!clean.calls.isEmpty());
      for (int step = 0; step < clean.calls.size(); ++step) {
        QTest::addRow("%s %s #%d fails", commandSlots()[row].name, qPrintable(clean.calls[step]),
                      step)
            << row << step << false;
        QTest::addRow("%s %s #%d unplugged", commandSlots()[row].name,
                      qPrintable(clean.calls[step]), step)
            << row << step << true;
      }
      QTest::addRow("%s lock held", commandSlots()[row].name) << row << -1 << false;
    }
  }

  void commandFaults() {
    QFETCH(int, row);
    QFETCH(int, step);
    QFETCH(bool, unplug);
    const Slot &slot = commandSlots()[row];
    const CleanRun clean = cleanRun(slot);
    WorkDir dir;
    Hid_Thread link;
    connectLink(link, dir, mouse(slot.family));
    captureMessages();
    platform::PauseLog quiet;

    if (step < 0) {
      // Held for the whole wait: the failure line, nothing sent.
      QVERIFY(link.acquireTransport());
      slot.call(link);
      QCOMPARE(messages, QStringList{QString::fromLatin1(slot.failure)});
      QVERIFY(vmouse::commands().empty());
      link.setTransportFree();
    } else {
      if (unplug) {
        vmouse::unplugAfter(step);
      } else {
        const QString op = clean.calls[step];
        vmouse::failAfter(faultOf(op), int(clean.calls.mid(0, step).count(op)));
      }
      slot.call(link);
      // The calls before the step went through; the step itself failed.
      const QStringList lines = deviceCallLines();
      QVERIFY(lines.size() > step);
      for (int i = 0; i < step; ++i)
        QVERIFY2(!lines[i].endsWith(QLatin1String("!fail")), qPrintable(lines[i]));
      QVERIFY2(lines[step].endsWith(QLatin1String("!fail")), qPrintable(lines[step]));
      // The failed call's file is closed at once, with what it still held.
      const std::vector<std::string> trace = vmouse::trace();
      const auto failed = std::find_if(trace.begin(), trace.end(),
                                       [](const std::string &l) { return l.ends_with("!fail"); });
      QVERIFY(failed != trace.end() && failed + 1 != trace.end());
      QCOMPARE(*(failed + 1), std::string("close"));
      // Transfer failures and removals are silent.
      QCOMPARE(messages, QStringList());
    }
    QVERIFY(link.isTransportFree());

    // Back again: the next device check finds it, and the command works,
    // opening the interface first.
    vmouse::clearFaults();
    vmouse::plug();
    link.discoverInterfaces();
    vmouse::clearTrace();
    vmouse::clearCommands();
    slot.call(link);
    QCOMPARE(received(), clean.commands);
    QStringList calls = QStringList{"open"} + clean.calls;
    // A data read that gave up after its command went out: the next one
    // first reads what arrived late, so as not to take it for its own.
    if (step > clean.calls.indexOf("send_feature") && clean.calls.contains("read"))
      calls.insert(1, "read");
    QCOMPARE(deviceCalls(), calls);
    QVERIFY(link.isTransportFree());
    QCOMPARE(vmouse::openHandles(vmouse::Role::Command), 1);
    QCOMPARE(messages, step < 0 ? QStringList{QString::fromLatin1(slot.failure)} : QStringList());
  }

  void killedMidWrite_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < killCases().size(); ++row)
      QTest::addRow("%s", killCases()[row].operation) << row;
  }

  // The child writes the valid contents of every file it changes into
  // expected/<file>/ before it starts its loop; after each kill every file
  // must be one of them.
  void killedMidWrite() {
#ifdef NORVANE_THREAD_BUILD
    QSKIP("file operations only: not part of the thread build");
#else
    QFETCH(int, row);
    const KillCase &kill = killCases()[row];
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = qEnvironmentVariable("NORVANE_SOURCE_DIR");
    QDir(dir.path()).mkpath(QStringLiteral("modules/setting"));
    QDir(dir.path()).mkpath(QStringLiteral("modules/macro"));
    QDir(dir.path()).mkpath(QStringLiteral("export"));
    for (const char *file : {"apConfig.bin", "apConfigD.bin", "pD.bin"})
      QVERIFY(QFile::copy(source + QStringLiteral("/modules/setting/") + QLatin1String(file),
                          dir.filePath(QStringLiteral("modules/setting/")) + QLatin1String(file)));

    auto *random = QRandomGenerator::global();
    constexpr int kills = 8;
    for (int round = 0; round < kills; ++round) {
      QProcess child;
      child.setWorkingDirectory(dir.path());
      child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      child.start(QStringLiteral(KILLTEST_CHILD), {QString::fromLatin1(kill.operation)});
      QVERIFY(child.waitForStarted(20000));
      while (!child.peek(child.bytesAvailable()).contains("ready\n") &&
             child.state() == QProcess::Running)
        child.waitForReadyRead(1000);
      QCOMPARE(child.state(), QProcess::Running);
      // A random point inside the loop; where it falls is what varies.
      QTest::qWait(int(random->bounded(5, 120)));
      QCOMPARE(child.state(), QProcess::Running);
      ::kill(pid_t(child.processId()), SIGKILL);
      QVERIFY(child.waitForFinished(20000));
      QCOMPARE(child.exitStatus(), QProcess::CrashExit);

      for (const QString &file : kill.files) {
        const QString path = dir.filePath(file);
        const QByteArray now = readAll(path);
        QVERIFY2(QFile::exists(path), qPrintable(file + " is missing"));
        QVERIFY2(!now.isEmpty(), qPrintable(file + " is empty"));
        bool known = false;
        QDirIterator valid(dir.filePath(QStringLiteral("expected/") + file), QDir::Files);
        int variants = 0;
        while (valid.hasNext()) {
          ++variants;
          if (readAll(valid.next()) == now)
            known = true;
        }
        QVERIFY2(variants >= 2, qPrintable(file + ": the child recorded too few contents"));
        QVERIFY2(known, qPrintable(file + " holds neither the old nor the new content:\n" + now));
      }
    }
#endif
  }
};

QTEST_GUILESS_MAIN(tst_faults)
#include "tst_faults.moc"
