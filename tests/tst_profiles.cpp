// Whole profiles as files (export, import, reset, copy) and the 560
// family's profile blocks moving between the view and the device.
#include "devicerig.h"

#include "platform/messagebox.h"

#include <QDir>
#include <QTest>

using namespace testsupport;

namespace {

QString profileFile(int n) { return QStringLiteral("modules/setting/p%1.bin").arg(n); }

} // namespace

class tst_profiles : public QObject {
  Q_OBJECT

  FileDialogAnswer dialog;

  // Profiles 1..5 each hold their own number, and the factory file its own.
  void writeProfiles() {
    for (int n = 1; n <= 5; ++n)
      writeFile(profileFile(n), QStringLiteral("[mouse]\nreportRate=%1\n").arg(n).toUtf8());
    writeFile(QStringLiteral("modules/setting/pD.bin"), "[mouse]\nreportRate=8\ndpiCount=4\n");
  }

private slots:
  void init() {
    captureMessages();
    dialog.install();
  }
  void cleanup() {
    FileDialogAnswer::uninstall();
    qInstallMessageHandler(nullptr);
  }

  void exportProfile() {
    WorkDir dir;
    writeProfiles();
    myQQuickView view(nullptr);
    view.updataNameList(2, {QStringLiteral("Standard0"), QStringLiteral("W/rk1")});
    // A value the page just stored is part of the export.
    view.setData(QStringLiteral("mouse/scrollRate"), 7);
    const QString target = dir.path() + QStringLiteral("/mine.pf");
    writeFile(target, "old export");
    dialog.answer = target;
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", dir.path().toUtf8());
    QDir(dir.path()).mkdir(QStringLiteral("Documents"));
    platform::MessageBoxLog boxes;
    view.saveProfile(0);
    QCOMPARE(dialog.asked.size(), 1);
    QCOMPARE(dialog.asked[0], std::make_tuple(true, QStringLiteral("Save File"),
                                              QStringLiteral("Profile(*.ini *.pf)")));
    QCOMPARE(dialog.proposed[0], dir.path() + QStringLiteral("/Documents/Standard.ini"));
    QCOMPARE(readFile(target), readFile(profileFile(1)));
    QVERIFY(readFile(target).contains("scrollRate=7"));
    QCOMPARE(boxes.requests().size(), 1);
    QCOMPARE(boxes.requests()[0].icon, QMessageBox::Information);
    QVERIFY(boxes.requests()[0].text.contains(target));

    // A name without an extension gets ".ini"; the row's name is made a file name.
    dialog.answer = dir.path() + QStringLiteral("/plain");
    view.saveProfile(1);
    QCOMPARE(dialog.proposed[1], dir.path() + QStringLiteral("/Documents/W_rk.ini"));
    QCOMPARE(readFile(dialog.answer + QStringLiteral(".ini")), readFile(profileFile(2)));

    // Cancel, and a target that cannot be written: the old export stays,
    // and the failure is shown.
    boxes.clear();
    writeFile(target, "old export");
    dialog.answer.clear();
    view.saveProfile(0);
    QVERIFY(boxes.requests().isEmpty());
    dialog.answer = dir.path() + QStringLiteral("/missing/dir/x.pf");
    view.saveProfile(1);
    QCOMPARE(readFile(target), QByteArray("old export"));
    QVERIFY(!QFile::exists(dialog.answer));
    QCOMPARE(boxes.requests().size(), 1);
    QCOMPARE(boxes.requests()[0].icon, QMessageBox::Warning);

    // Without a documents folder the dialog starts at home.
    QDir(dir.path()).rmdir(QStringLiteral("Documents"));
    view.saveProfile(0);
    QCOMPARE(dialog.proposed.last(), dir.path() + QStringLiteral("/Standard.ini"));
    qputenv("HOME", home);

    view.saveProfile(10);
    view.saveProfile(-1);
    QCOMPARE(dialog.asked.size(), 5);
    QCOMPARE(messages.filter("saveProfile refused").size(), 2);
  }

  void importProfile() {
    WorkDir dir;
    writeProfiles();
    const QByteArray factory = readFile(qEnvironmentVariable("NORVANE_SOURCE_DIR") +
                                        QStringLiteral("/modules/setting/pD.bin"));
    QVERIFY(factory.contains("[mouseKeyMatrix]"));
    writeFile(QStringLiteral("modules/setting/pD.bin"), factory);
    myQQuickView view(nullptr);
    view.updataNameList(2, {QStringLiteral("Standard0"), QStringLiteral("Work1")});
    view.setCurrentProfile(1);
    const QByteArray before = readFile(profileFile(2));

    platform::MessageBoxLog refusals;
    dialog.answer.clear();
    QCOMPARE(view.loadProfile(1), false);
    QCOMPARE(dialog.asked.last(), std::make_tuple(false, QStringLiteral("Open File"),
                                                  QStringLiteral("Profile(*.ini *.pf)")));
    QVERIFY(refusals.requests().isEmpty());

    // Anything but a profile is refused where the user sees it.
    const QString source = dir.path() + QStringLiteral("/in.pf");
    const QByteArray good =
        QByteArray(factory).replace("reportRate=1", "reportRate=4") + "\n[mouseMacroKey]\n3=m1\n";
    const QList<QByteArray> junk = {
        "just some text\n",
        QByteArray("\x00\x01\xff[mouse]\x02", 9),
        QByteArray(good).replace("dpiCount=8\n", ""),
        QByteArray(good).replace("dpiCount=8", "dpiCount=9"),
        QByteArray(good).replace("reportRate=4", "reportRate=3"),
        QByteArray(good).replace("lightValue=1, 2, 4", "lightValue=1, 2"),
        QByteArray(good).replace("3=1, 0, 244, 0", "3=1, 0, 300, 0"),
        good + "[other]\nx=1\n",
    };
    for (const QByteArray &bytes : junk) {
      writeFile(source, bytes);
      dialog.answer = source;
      QVERIFY2(!view.loadProfile(1), bytes.constData());
    }
    dialog.answer = dir.path() + QStringLiteral("/none.pf");
    QCOMPARE(view.loadProfile(1), false);
    QCOMPARE(refusals.requests().size(), junk.size() + 1);
    QCOMPARE(refusals.requests()[0].icon, QMessageBox::Warning);
    QVERIFY(refusals.requests()[0].text.contains(QStringLiteral("not a profile")));
    QCOMPARE(readFile(profileFile(2)), before);
    QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false).toInt(), 2);

    // A listed profile is replaced only when the user agrees, by name.
    writeFile(source, good);
    dialog.answer = source;
    {
      platform::MessageBoxLog no(QMessageBox::No);
      QCOMPARE(view.loadProfile(1), false);
      QCOMPARE(no.requests().size(), 1);
      QVERIFY(no.requests()[0].text.contains(QStringLiteral("“Work”")));
      QCOMPARE(readFile(profileFile(2)), before);
    }
    // An edit still pending on the profile stays out of the imported file.
    view.setData(QStringLiteral("mouse/scrollRate"), 5);
    platform::MessageBoxLog yes(QMessageBox::Yes);
    QCOMPARE(view.loadProfile(1), true);
    QCOMPARE(readFile(profileFile(2)), good);
    QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false).toInt(), 4);
    QCOMPARE(ints(view.getDataList(QStringLiteral("mouse/lightValue"), false)),
             (QList<int>{1, 2, 4}));
    // Later writes go to the imported file; a profile without a row is not asked about.
    view.setData(QStringLiteral("mouse/scrollRate"), 9);
    view.setCurrentProfile(0);
    view.setCurrentProfile(1);
    QCOMPARE(view.getData(QStringLiteral("mouse/scrollRate"), false).toInt(), 9);
    QCOMPARE(view.loadProfile(3), true);
    QCOMPARE(yes.requests().size(), 1);
    QCOMPARE(view.loadProfile(12), false);
  }

  void resetAndCopy() {
    WorkDir dir;
    writeProfiles();
    myQQuickView view(nullptr);
    view.setCurrentProfile(2);
    view.setData(QStringLiteral("mouse/scrollRate"), 5); // pending on p3
    view.resetProfile(2);
    QCOMPARE(readFile(profileFile(3)), readFile(QStringLiteral("modules/setting/pD.bin")));
    QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false).toInt(), 8);
    QVERIFY(!view.getData(QStringLiteral("mouse/scrollRate"), false).isValid());

    // The source's pending writes are copied too.
    view.setCurrentProfile(4);
    view.setData(QStringLiteral("mouse/scrollRate"), 6);
    view.copyProfile(1, 4);
    QCOMPARE(readFile(profileFile(2)), readFile(profileFile(5)));
    view.setCurrentProfile(1);
    QCOMPARE(view.getData(QStringLiteral("mouse/scrollRate"), false).toInt(), 6);
    writeFile(profileFile(2), "[mouse]\nreportRate=2\n");
    view.copyProfile(4, 1);
    QCOMPARE(readFile(profileFile(5)), readFile(profileFile(2)));

    // Failed copies keep the profile: no source, no factory file.
    view.copyProfile(0, 7); // p8.bin was never written
    QCOMPARE(readFile(profileFile(1)), QByteArray("[mouse]\nreportRate=1\n"));
    QFile::remove(QStringLiteral("modules/setting/pD.bin"));
    view.resetProfile(0);
    QCOMPARE(readFile(profileFile(1)), QByteArray("[mouse]\nreportRate=1\n"));
    view.setCurrentProfile(0);
    QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false).toInt(), 1);

    view.copyProfile(10, 1);
    view.copyProfile(1, -1);
    view.resetProfile(10);
    QCOMPARE(messages.filter("refused: no profile").size(), 3);
  }

  void blocks() {
    Rig rig({QStringLiteral("560"), true, true});
    rig.readPatternedBlocks();
    for (int b = 0; b < 5; ++b)
      QCOMPARE(toBytes(rig.view->profileBlocks[b]), Rig::pattern(b));
    rig.view->profileBlocks[3][5] = 0xEE;
    rig.view->mouseSetProfile(3);
    QCOMPARE(heads(3), QStringList{"0c 03 80"});
    QCOMPARE(toBytes(vmouse::deviceState().profiles[3]), toBytes(rig.view->profileBlocks[3]));

    // A failed read keeps the block; blocks beyond 4 do not exist.
    vmouse::failNext(vmouse::Fault::Read);
    rig.view->mouseReadProfile(3);
    QCOMPARE(int(rig.view->profileBlocks[3][5]), 0xEE);
    vmouse::clearCommands();
    rig.view->mouseSetProfile(5);
    rig.view->mouseReadProfile(7);
    QVERIFY(vmouse::commands().empty());
    QCOMPARE(messages.filter("refused: no profile block").size(), 2);

    vmouse::DeviceState s = vmouse::deviceState();
    s.currentProfile = 3;
    vmouse::setDeviceState(s);
    QCOMPARE(rig.view->mouseReadCurrentProfile(), QVariant(3));
  }
};

QTEST_MAIN(tst_profiles)
#include "tst_profiles.moc"
