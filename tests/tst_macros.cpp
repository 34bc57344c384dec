// Macro files, name lists, bindings in the profiles, import and export, and
// the macro block on the virtual mouse for both families.
#include "config/macro_limits.h"
#include "device/hid_thread.h"
#include "devicerig.h"
#include "platform/pause.h"
#include "shell/myqquickview.h"

#include <QDirIterator>
#include <QJSEngine>
#include <QTest>

using namespace testsupport;

namespace {

QString macroFile(const QString &name) { return QStringLiteral("modules/macro/%1.bin").arg(name); }
QString profileFile(int n) { return QStringLiteral("modules/setting/p%1.bin").arg(n); }

// Every file under modules/, with its bytes, to show that nothing changed.
QMap<QString, QByteArray> snapshot() {
  QMap<QString, QByteArray> files;
  QDirIterator it(QStringLiteral("modules"), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files[path] = readFile(path);
  }
  return files;
}

// Button 3 bound to macro slot 3 carrying name; the rest factory-like.
QByteArray profileWithMacro(const QString &name, const QString &other = QStringLiteral("Other")) {
  return QStringLiteral("[mouseKeyMatrix]\n0=0, 0, 240, 0\n3=4, 0, 3, 0\n5=4, 0, 5, 0\n"
                        "6=4, 0\n[mouseMacroKey]\n3=%1\n5=%2\n")
      .arg(name, other)
      .toUtf8();
}

const QByteArray factoryProfile = "[mouseKeyMatrix]\n0=0, 0, 240, 0\n3=0, 0, 244, 0\n"
                                  "5=5, 0, 1, 0\n6=5, 0, 2, 0\n";

} // namespace

class tst_macros : public QObject {
  Q_OBJECT

  FileDialogAnswer dialog;

private slots:
  void init() {
    captureMessages();
    dialog.install();
  }
  void cleanup() {
    FileDialogAnswer::uninstall();
    qInstallMessageHandler(nullptr);
  }

  // The macro editor encodes with the same block figures the back end sends.
  void limitsAgreeWithEditor() {
    const QString path = qEnvironmentVariable("NORVANE_SOURCE_DIR") +
                         QStringLiteral("/modules/qml/js/macrocodec.js");
    QString source = QString::fromUtf8(readFile(path));
    QVERIFY2(source.startsWith(QLatin1String(".pragma library")), qPrintable(path));
    source.remove(0, source.indexOf(QLatin1Char('\n')));
    QJSEngine engine;
    const QJSValue result = engine.evaluate(source, path);
    QVERIFY2(!result.isError(), qPrintable(result.toString()));
    QCOMPARE(engine.globalObject().property("blockSize").toInt(), macro_limits::blockSize);
    QCOMPARE(engine.globalObject().property("recordLimit").toInt(), macro_limits::maxEvents);
  }

  void createSaveLoadRoundTrip() {
    WorkDir dir;
    myQQuickView view(nullptr);
    QCOMPARE(view.createMacroIni(QStringLiteral("Macro_0"), 7), QVariant(true));
    {
      QSettings f(macroFile(QStringLiteral("Macro_0")), QSettings::IniFormat);
      QCOMPARE(f.allKeys(),
               QStringList({"config/did", "config/index", "config/repeat", "config/total"}));
      QCOMPARE(f.value("config/index").toUInt(), 7u);
      QCOMPARE(f.value("config/total").toInt(), 0);
      QCOMPARE(f.value("config/repeat").toInt(), 1);
      QCOMPARE(f.value("config/did").toInt(), -1);
    }
    QCOMPARE(view.loadMacroIni(QStringLiteral("Macro_0")), QStringList({"1"}));

    const QStringList rows{"1,A", "0,120", "2,A"};
    QCOMPARE(view.saveMacroIni(QStringLiteral("Macro_0"), rows, 5), QVariant(true));
    QCOMPARE(view.loadMacroIni(QStringLiteral("Macro_0")), rows + QStringList{"5"});
    const QByteArray text = readFile(macroFile(QStringLiteral("Macro_0")));
    QVERIFY(text.contains("[macro]\n0=\"1,A\"\n1=\"0,120\"\n2=\"2,A\"\n"));
    QVERIFY(text.contains("total=3"));
    QVERIFY(text.contains("repeat=5"));

    // A shorter save drops the old rows.
    QCOMPARE(view.saveMacroIni(QStringLiteral("Macro_0"), {"1,B"}, 2), QVariant(true));
    QCOMPARE(view.loadMacroIni(QStringLiteral("Macro_0")), QStringList({"1,B", "2"}));
    QVERIFY(!readFile(macroFile(QStringLiteral("Macro_0"))).contains("1=\"0,120\""));

    // Creating never writes over a macro that exists.
    const QByteArray saved = readFile(macroFile(QStringLiteral("Macro_0")));
    messages.clear();
    QCOMPARE(view.createMacroIni(QStringLiteral("Macro_0"), 0), QVariant(false));
    QCOMPARE(readFile(macroFile(QStringLiteral("Macro_0"))), saved);
    QCOMPARE(messages.filter("createMacroIni refused: Macro_0 exists already").size(), 1);

    // Missing events and a missing repeat read "0"; no file gives nothing.
    writeFile(macroFile(QStringLiteral("Holes")), "[config]\ntotal=3\n[macro]\n1=\"1,C\"\n");
    QCOMPARE(view.loadMacroIni(QStringLiteral("Holes")), QStringList({"0", "1,C", "0", "0"}));
    QVERIFY(view.loadMacroIni(QStringLiteral("None")).isEmpty());

    // A file claiming more events than a block holds is read up to the cap.
    writeFile(macroFile(QStringLiteral("Huge")), "[config]\ntotal=2000000000\nrepeat=1\n");
    QCOMPARE(view.loadMacroIni(QStringLiteral("Huge")).size(), 126 + 1);

    // Saving needs the file.
    QCOMPARE(view.saveMacroIni(QStringLiteral("None"), rows, 1), QVariant(false));
    QVERIFY(!QFile::exists(macroFile(QStringLiteral("None"))));

    QCOMPARE(view.deleteMacroIni(QStringLiteral("Macro_0")), QVariant(true));
    QVERIFY(!QFile::exists(macroFile(QStringLiteral("Macro_0"))));
    QCOMPARE(view.deleteMacroIni(QStringLiteral("Macro_0")), QVariant(false));
  }

  void nameLists() {
    WorkDir dir;
    myQQuickView view(nullptr);
    const QString names = QStringLiteral("modules/setting/name.bin");
    QVERIFY(view.getNameList(0).isEmpty());

    QCOMPARE(view.updataNameList(0, {"Macro_0"}), QVariant(true));
    QVERIFY(readFile(names).contains("macroName=Macro_0, vornakelpish"));
    QCOMPARE(view.getNameList(0), QVariantList({"Macro_0", "vornakelpish"}));

    QCOMPARE(view.updataNameList(1, {"M416", "AKM"}), QVariant(true));
    QCOMPARE(view.getNameList(1), QVariantList({"M416", "AKM"}));
    QCOMPARE(view.updataNameList(2, {"Standard0"}), QVariant(true));
    QCOMPARE(view.getNameList(2), QVariantList({"Standard0", "vornakelpish"}));
    QCOMPARE(view.updataNameList(3, {"0", "1", "2"}), QVariant(true));
    QCOMPARE(view.getNameList(3), QVariantList({"0", "1", "2"}));

    // Other types store nothing.
    const QByteArray before = readFile(names);
    QCOMPARE(view.updataNameList(4, {"x", "y"}), QVariant(true));
    QCOMPARE(readFile(names), before);
    QVERIFY(view.getNameList(4).isEmpty());
    QVERIFY(view.getNameList(-1).isEmpty());

    // The most macros the editor keeps, in order.
    QStringList hundred;
    for (int i = 0; i < 100; ++i)
      hundred << QStringLiteral("Macro_%1").arg(i);
    QCOMPARE(view.updataNameList(0, hundred), QVariant(true));
    QVariantList expected;
    for (const QString &n : hundred)
      expected << n;
    QCOMPARE(view.getNameList(0), expected);

    QCOMPARE(view.updataNameList(0, {}), QVariant(true));
    QVERIFY(!readFile(names).contains("macroName"));
    QVERIFY(view.getNameList(0).isEmpty());
    QCOMPARE(view.getNameList(1), QVariantList({"M416", "AKM"}));
  }

  void renameMovesBindings() {
    WorkDir dir;
    writeFile(QStringLiteral("modules/setting/pD.bin"), factoryProfile);
    for (int p = 1; p <= 7; ++p)
      writeFile(profileFile(p), profileWithMacro(QStringLiteral("Old")));
    writeFile(macroFile(QStringLiteral("Old")),
              "[config]\ntotal=1\nrepeat=3\n[macro]\n0=\"1,A\"\n");
    writeFile(macroFile(QStringLiteral("Taken")), "[config]\ntotal=0\n");
    myQQuickView view(nullptr);

    // Onto an existing name: nothing changes, bindings included.
    const auto before = snapshot();
    QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("Old"), QStringLiteral("Taken")),
             QVariant(false));
    QCOMPARE(snapshot(), before);
    QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("Gone"), QStringLiteral("New")),
             QVariant(false));
    QCOMPARE(snapshot(), before);

    QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("Old"), QStringLiteral("New")),
             QVariant(true));
    QVERIFY(!QFile::exists(macroFile(QStringLiteral("Old"))));
    QCOMPARE(view.loadMacroIni(QStringLiteral("New")), QStringList({"1,A", "3"}));
    for (int p = 1; p <= 6; ++p) {
      QSettings f(profileFile(p), QSettings::IniFormat);
      QCOMPARE(f.value("mouseMacroKey/3").toString(), QStringLiteral("New"));
      QCOMPARE(f.value("mouseMacroKey/5").toString(), QStringLiteral("Other"));
    }
    QCOMPARE(readFile(profileFile(7)), profileWithMacro(QStringLiteral("Old")));
  }

  void deleteResetsOnlyItsBindings() {
    WorkDir dir;
    writeFile(QStringLiteral("modules/setting/pD.bin"), factoryProfile);
    for (int p = 1; p <= 10; ++p)
      writeFile(profileFile(p), profileWithMacro(QStringLiteral("Gone")));
    writeFile(profileFile(4), profileWithMacro(QStringLiteral("Kept"), QStringLiteral("Gone")));
    myQQuickView view(nullptr);
    // The question before the deletion names these: profiles 1 to 6 only.
    QVariantList bound;
    for (int p = 0; p < 6; ++p)
      bound.append(QVariant(QVariantList{p, p == 3 ? 5 : 3}));
    QCOMPARE(view.macroBindings(QStringLiteral("Gone")), bound);
    view.deleteMacroUpdateProfile(QStringLiteral("Gone"));
    QCOMPARE(view.macroBindings(QStringLiteral("Gone")), QVariantList());

    for (int p = 1; p <= 6; ++p) {
      QSettings f(profileFile(p), QSettings::IniFormat);
      const QString reset = p == 4 ? QStringLiteral("5") : QStringLiteral("3");
      const QString kept = p == 4 ? QStringLiteral("3") : QStringLiteral("5");
      const QStringList factory =
          p == 4 ? QStringList{"5", "0", "1", "0"} : QStringList{"0", "0", "244", "0"};
      QCOMPARE(f.value("mouseKeyMatrix/" + reset).toStringList(), factory);
      QCOMPARE(f.value("mouseKeyMatrix/" + kept).toStringList(),
               QStringList({"4", "0", kept, "0"}));
      // The short entry is left as it is; the names stay for the page.
      QCOMPARE(f.value("mouseKeyMatrix/6").toStringList(), QStringList({"4", "0"}));
      QCOMPARE(f.value("mouseKeyMatrix/0").toStringList(), QStringList({"0", "0", "240", "0"}));
    }
    for (int p = 7; p <= 10; ++p)
      QCOMPARE(readFile(profileFile(p)), profileWithMacro(QStringLiteral("Gone")));
  }

  void badNamesRefusedEverywhere() {
    WorkDir dir;
    writeFile(macroFile(QStringLiteral("Good")), "[config]\ntotal=0\nrepeat=1\n");
    writeFile(QStringLiteral("modules/victim.bin"), "[config]\ntotal=0\n");
    writeFile(QStringLiteral("outside.mc"), "[config]\ntotal=0\n");
    myQQuickView view(nullptr);
    dialog.answer = QStringLiteral("outside.mc");
    const QStringList bad{
        QString(),       "../victim", "a/b", "a\\b", ".", "..", QString(QChar(0)) + "x",
        QString(65, 'm')};
    const auto before = snapshot();
    for (const QString &name : bad) {
      messages.clear();
      QCOMPARE(view.createMacroIni(name, 0), QVariant(false));
      QCOMPARE(view.saveMacroIni(name, {"1,A"}, 1), QVariant(false));
      QVERIFY(view.loadMacroIni(name).isEmpty());
      QCOMPARE(view.deleteMacroIni(name), QVariant(false));
      QCOMPARE(view.modifyMacroNameUpdateProfile(QStringLiteral("Good"), name), QVariant(false));
      QCOMPARE(view.modifyMacroNameUpdateProfile(name, QStringLiteral("New")), QVariant(false));
      QCOMPARE(view.loadMacroFile(name), false);
      view.saveMacroFile(name);
      QCOMPARE(messages.filter("refused: bad macro name").size(), 8);
    }
    QVERIFY(dialog.asked.isEmpty());
    QCOMPARE(snapshot(), before);
    QVERIFY(QFile::exists(QStringLiteral("outside.mc")));
    // 64 characters are fine.
    QCOMPARE(view.createMacroIni(QString(64, 'm'), 0), QVariant(true));
  }

  void importAndExport() {
    WorkDir dir;
    myQQuickView view(nullptr);
    const QByteArray content =
        "[config]\nindex=0\ntotal=1\nrepeat=2\ndid=-1\n\n[macro]\n0=\"1,A\"\n";
    writeFile(QStringLiteral("in.mc"), content);

    // Cancel: false, nothing created.
    QCOMPARE(view.loadMacroFile(QStringLiteral("Macro_1")), false);
    QCOMPARE(dialog.asked.size(), 1);
    QCOMPARE(dialog.asked[0],
             std::make_tuple(false, QStringLiteral("Open File"), QStringLiteral("Macro(*.mc)")));
    QVERIFY(!QFile::exists(macroFile(QStringLiteral("Macro_1"))));

    dialog.answer = QStringLiteral("in.mc");
    QCOMPARE(view.loadMacroFile(QStringLiteral("Macro_1")), true);
    QCOMPARE(readFile(macroFile(QStringLiteral("Macro_1"))), content);
    QCOMPARE(view.loadMacroIni(QStringLiteral("Macro_1")), QStringList({"1,A", "2"}));

    // An existing macro is not replaced, and that is reported.
    writeFile(QStringLiteral("other.mc"), "[config]\ntotal=0\n");
    dialog.answer = QStringLiteral("other.mc");
    QCOMPARE(view.loadMacroFile(QStringLiteral("Macro_1")), false);
    QCOMPARE(readFile(macroFile(QStringLiteral("Macro_1"))), content);

    // A copy that fails: a file that cannot be read.
    dialog.answer = QStringLiteral("missing.mc");
    QCOMPARE(view.loadMacroFile(QStringLiteral("Macro_2")), false);
    QVERIFY(!QFile::exists(macroFile(QStringLiteral("Macro_2"))));

    // Export: cancel does nothing; a target is replaced whole.
    dialog = {};
    view.saveMacroFile(QStringLiteral("Macro_1"));
    QCOMPARE(dialog.asked.size(), 1);
    QCOMPARE(dialog.asked[0],
             std::make_tuple(true, QStringLiteral("Save File"), QStringLiteral("Macro(*.mc)")));
    writeFile(QStringLiteral("out.mc"), "old contents that are longer than the macro file itself"
                                        "old contents that are longer than the macro file");
    dialog.answer = QStringLiteral("out.mc");
    view.saveMacroFile(QStringLiteral("Macro_1"));
    QCOMPARE(readFile(QStringLiteral("out.mc")), content);

    // Failing export copies leave what was there.
    messages.clear();
    QDir().mkpath(QStringLiteral("outdir"));
    dialog.answer = QStringLiteral("outdir");
    view.saveMacroFile(QStringLiteral("Macro_1"));
    QVERIFY(QFileInfo(QStringLiteral("outdir")).isDir());
    dialog.answer = QStringLiteral("nodir/out.mc");
    view.saveMacroFile(QStringLiteral("Macro_1"));
    QVERIFY(!QFile::exists(QStringLiteral("nodir")));
    QCOMPARE(messages.filter("Cannot replace").size(), 2);

    // Exporting a macro without a file asks nothing.
    dialog.asked.clear();
    view.saveMacroFile(QStringLiteral("Nothing"));
    QVERIFY(dialog.asked.isEmpty());
  }

  void sendBlock_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("command");
    QTest::newRow("553") << "553"
                         << "13";
    QTest::newRow("560") << "560"
                         << "0f";
  }

  void sendBlock() {
    QFETCH(QString, family);
    QFETCH(QString, command);
    WorkDir dir;
    vmouse::Config c;
    c.family = family.toStdString();
    vmouse::configure(c);
    dir.writeDeviceList(c, QStringLiteral("[mouse]\nicType=%1\n").arg(family));
    Hid_Thread link;
    link.loadDeviceList();
    link.discoverInterfaces();
    QVERIFY(link.chkDeviceIsEnCode(0));
    myQQuickView view(nullptr);
    view.setLink(&link);
    QCOMPARE(view.icType, family);
    platform::PauseLog pauses;

    // Repeat 2, then (pause, key) pairs; fractional and wide values become bytes.
    const QVariantList bytes{0, 2, 12, 4, 0x81, 4, 12.0, 0x104};
    vmouse::clearCommands();
    QCOMPARE(view.mouseSendMacroData(bytes, 0), QVariant(true));
    auto commands = vmouse::commands();
    QCOMPARE(commands.size(), size_t(1));
    QCOMPARE(hex(QByteArray(reinterpret_cast<const char *>(commands[0].block.data()), 2)),
             command + " 01");
    std::vector<uint8_t> expected(128, 0);
    const uint8_t head[] = {0, 2, 12, 4, 0x81, 4, 12, 4};
    std::copy(std::begin(head), std::end(head), expected.begin());
    QCOMPARE(std::vector<uint8_t>(commands[0].data.begin(), commands[0].data.begin() + 128),
             expected);
    QCOMPARE(vmouse::deviceState().macros.at(1), expected);

    // Slot 11 is device macro 12; 12 and above send nothing.
    vmouse::clearCommands();
    QCOMPARE(view.mouseSendMacroData(bytes, 11), QVariant(true));
    QCOMPARE(vmouse::commands().size(), size_t(1));
    QCOMPARE(vmouse::commands()[0].block[1], uint8_t(12));
    vmouse::clearCommands();
    QCOMPARE(view.mouseSendMacroData(bytes, 12), QVariant(true));
    QCOMPARE(view.mouseSendMacroData(bytes, 256), QVariant(true));
    QVERIFY(vmouse::commands().empty());

    // A list longer than the block is cut at 128 bytes.
    QVariantList longList;
    for (int i = 0; i < 200; ++i)
      longList << (i + 1);
    vmouse::clearCommands();
    QCOMPARE(view.mouseSendMacroData(longList, 2), QVariant(true));
    commands = vmouse::commands();
    QCOMPARE(commands.size(), size_t(1));
    QCOMPARE(vmouse::deviceState().macros.at(3).size(), size_t(128));
    QCOMPARE(vmouse::deviceState().macros.at(3)[127], uint8_t(128));
    QVERIFY(!messages.filter("cut to 128").isEmpty());
  }
};

QTEST_MAIN(tst_macros)
#include "tst_macros.moc"
