// The settings store: which file each read and write reaches, list values,
// missing files, and replacing the global file by its factory copy.
#include "shell/myqquickview.h"
#include "testsupport.h"

#include <QJSEngine>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace testsupport;

namespace {

const QString global = QStringLiteral("modules/setting/apConfig.bin");
const QString factory = QStringLiteral("modules/setting/apConfigD.bin");

QString profileFile(int n) { return QStringLiteral("modules/setting/p%1.bin").arg(n); }

} // namespace

class tst_store : public QObject {
  Q_OBJECT

private slots:
  void init() { captureMessages(); }
  void cleanup() { qInstallMessageHandler(nullptr); }

  void readsChooseTheirFile() {
    WorkDir dir;
    writeFile(global, "[mouse]\nicType=560\nisColorful=true\nisGun=false\nis55328=true\n"
                      "maxDPI=12000\n");
    writeFile(QStringLiteral("modules/setting/pD.bin"),
              "[mouse]\ndpiCount=8\ndpiValueArray=400, 800, 1600, 3200, 5000, 6400, 8000, 12000\n"
              "single=7\n");
    writeFile(profileFile(1), "[mouse]\ndpiCount=5\ndpiValueArray=100, 200\nsingle=9\n");
    myQQuickView view(nullptr);

    QCOMPARE(view.icType, QStringLiteral("560"));
    QVERIFY(view.isColorful);
    QVERIFY(!view.isGun);
    QVERIFY(view.is55328);
    QCOMPARE(view.getGlobalData(QStringLiteral("mouse/maxDPI")).toInt(), 12000);
    QVERIFY(!view.getGlobalData(QStringLiteral("mouse/none")).isValid());

    QCOMPARE(view.getData(QStringLiteral("mouse/dpiCount"), false).toInt(), 5);
    QCOMPARE(view.getData(QStringLiteral("mouse/dpiCount"), true).toInt(), 8);
    QVERIFY(!view.getData(QStringLiteral("mouse/none"), false).isValid());
    QCOMPARE(view.getDataList(QStringLiteral("mouse/dpiValueArray"), true).size(), 8);
    QCOMPARE(view.getDataList(QStringLiteral("mouse/dpiValueArray"), false),
             QVariantList({QStringLiteral("100"), QStringLiteral("200")}));
    // One item is a plain value, not a list.
    QVERIFY(view.getDataList(QStringLiteral("mouse/single"), false).isEmpty());
    QVERIFY(view.getDataList(QStringLiteral("mouse/single"), true).isEmpty());
    QVERIFY(view.getDataList(QStringLiteral("mouse/none"), false).isEmpty());
  }

  void missingFilesGiveDefaults() {
    WorkDir dir;
    myQQuickView view(nullptr);
    QVERIFY(view.icType.isEmpty());
    QVERIFY(!view.isColorful && !view.isGun && !view.is55328);
    QVERIFY(!view.getGlobalData(QStringLiteral("common/name")).isValid());
    QVERIFY(!view.getData(QStringLiteral("mouse/dpiCount"), true).isValid());
    QVERIFY(view.getDataList(QStringLiteral("mouse/dpiValueArray"), false).isEmpty());
    QVERIFY(!QFile::exists(profileFile(1))); // reading creates nothing
  }

  void writesFollowTheCurrentProfile() {
    WorkDir dir;
    writeFile(profileFile(1), "[mouse]\nreportRate=1\n");
    {
      myQQuickView view(nullptr);
      view.setCurrentProfile(3);
      view.setData(QStringLiteral("mouse/reportRate"), 2);
      view.setDataList(QStringLiteral("mouse/lightValue"), {1, 2, 4});
      view.setGlobalData(QStringLiteral("mouse/profileNo"), 3);
      QCOMPARE(view.getData(QStringLiteral("mouse/reportRate"), false).toInt(), 2);

      // Refused, and the current profile stays 3.
      view.setCurrentProfile(10);
      view.setCurrentProfile(-1);
      QCOMPARE(messages.count(), 2);
      QVERIFY(messages[0].startsWith(QStringLiteral("setCurrentProfile refused: 10")));
      QVERIFY(messages[1].startsWith(QStringLiteral("setCurrentProfile refused: -1")));
      QCOMPARE(view.currentProfileIndex(), 3);
      view.setData(QStringLiteral("mouse/scrollRate"), 3);
    }
    QCOMPARE(readFile(profileFile(4)),
             QByteArray("[mouse]\nlightValue=1, 2, 4\nreportRate=2\nscrollRate=3\n"));
    QCOMPARE(readFile(profileFile(1)), QByteArray("[mouse]\nreportRate=1\n"));
    QCOMPARE(readFile(global), QByteArray("[mouse]\nprofileNo=3\n"));
  }

  // Lists from the interface arrive as script arrays.
  void scriptArraysStoredAsLists() {
    WorkDir dir;
    {
      myQQuickView view(nullptr);
      QJSEngine engine;
      const QJSValue chosen = engine.evaluate(QStringLiteral("[0, 4, 2]"));
      view.setGlobalData(QStringLiteral("mouse/selectGun"), QVariant::fromValue(chosen));
      view.setData(QStringLiteral("mouse/lightValue"),
                   QVariant::fromValue(engine.evaluate(QStringLiteral("[1, 2, 4]"))));
    }
    QCOMPARE(readFile(global), QByteArray("[mouse]\nselectGun=0, 4, 2\n"));
    QCOMPARE(readFile(profileFile(1)), QByteArray("[mouse]\nlightValue=1, 2, 4\n"));
  }

  void resetApconfigGivesFactoryValues() {
    WorkDir dir;
    // Same size on purpose: Qt's cache must still see the new content.
    const QByteArray user = "[mouse]\nicType=560\nisGun=true\nkeyCount=17\n";
    const QByteArray factoryText = "[mouse]\nicType=553\nisGun=false\nkeyCount=8\n";
    QCOMPARE(user.size(), factoryText.size());
    writeFile(global, user);
    writeFile(factory, factoryText);
    {
      QFile f(global);
      QVERIFY(f.open(QIODevice::ReadWrite));
      QVERIFY(f.setFileTime(QFileInfo(factory).lastModified(), QFileDevice::FileModificationTime));
    }

    // The user's file carries a stamp from the future; its replacement must
    // still carry a different one.
    const QDateTime oldStamp = QFileInfo(global).lastModified();
    auto *view = new myQQuickView(nullptr);
    view->resetApconfig();
    QCOMPARE(view->getGlobalData(QStringLiteral("mouse/keyCount")).toInt(), 8);
    QCOMPARE(view->getGlobalData(QStringLiteral("mouse/icType")).toString(), QStringLiteral("553"));
    QCOMPARE(readFile(global), factoryText);
    QVERIFY(QFileInfo(global).lastModified() > oldStamp);

    // A write still pending at the replacement never reaches the new file.
    view->setGlobalData(QStringLiteral("mouse/pending"), 1);
    view->resetApconfig();
    QVERIFY(!view->getGlobalData(QStringLiteral("mouse/pending")).isValid());
    QCOMPARE(readFile(global), factoryText);
    // The flags are those read at start.
    QCOMPARE(view->icType, QStringLiteral("560"));
    QVERIFY(view->isGun);
    QVERIFY(messages.isEmpty());
    QCOMPARE(QDir(QStringLiteral("modules/setting")).entryList(QDir::Files),
             QStringList({QStringLiteral("apConfig.bin"), QStringLiteral("apConfigD.bin")}));

    // Later writes reach the new file.
    view->setGlobalData(QStringLiteral("mouse/profileNo"), 2);
    delete view;
    QCOMPARE(readFile(global), QByteArray("[mouse]\nicType=553\nisGun=false\nkeyCount=8\n"
                                          "profileNo=2\n"));
  }

  void failedReplacementKeepsFileAndHandle() {
    WorkDir dir;
    writeFile(global, "[mouse]\nkeyCount=7\n");
    myQQuickView view(nullptr);
    view.setGlobalData(QStringLiteral("mouse/profileNo"), 4);

    // No factory file.
    view.resetApconfig();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].startsWith(QStringLiteral("Cannot replace ")));
    QCOMPARE(readFile(global), QByteArray("[mouse]\nkeyCount=7\nprofileNo=4\n"));
    QCOMPARE(view.getGlobalData(QStringLiteral("mouse/keyCount")).toInt(), 7);
    view.setGlobalData(QStringLiteral("mouse/keyCount"), 6);
    QCOMPARE(view.getGlobalData(QStringLiteral("mouse/keyCount")).toInt(), 6);

    // The factory "file" is a folder.
    QDir().mkpath(factory);
    messages.clear();
    view.resetApconfig();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(readFile(global), QByteArray("[mouse]\nkeyCount=6\nprofileNo=4\n"));
    QDir().rmdir(factory);

    // The copy breaks off half way (file size limit, which binds root too).
    writeFile(factory, QByteArray("[mouse]\nkeyCount=8\n") + QByteArray(4096, ';') + "\n");
    messages.clear();
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    view.resetApconfig();
    setrlimit(RLIMIT_FSIZE, &old);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(readFile(global), QByteArray("[mouse]\nkeyCount=6\nprofileNo=4\n"));
    QCOMPARE(view.getGlobalData(QStringLiteral("mouse/keyCount")).toInt(), 6);
    QCOMPARE(QDir(QStringLiteral("modules/setting")).entryList(QDir::Files),
             QStringList({QStringLiteral("apConfig.bin"), QStringLiteral("apConfigD.bin")}));
  }

  void replacementInReadOnlyFolder() {
    if (geteuid() == 0)
      QSKIP("root may write into a read-only folder");
    WorkDir dir;
    writeFile(global, "[mouse]\nkeyCount=7\n");
    writeFile(factory, "[mouse]\nkeyCount=8\n");
    myQQuickView view(nullptr);
    const QString folder = QStringLiteral("modules/setting");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    view.resetApconfig();
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(readFile(global), QByteArray("[mouse]\nkeyCount=7\n"));
    QCOMPARE(view.getGlobalData(QStringLiteral("mouse/keyCount")).toInt(), 7);
  }

  void shippedData() {
    QVERIFY2(qEnvironmentVariableIsSet("NORVANE_SOURCE_DIR"), "run through ctest");
    const QString source = qEnvironmentVariable("NORVANE_SOURCE_DIR") + "/modules/setting/";
    QSettings global(source + "apConfig.bin", QSettings::IniFormat);
    for (const char *key :
         {"common/name", "common/url", "mouse/icType", "mouse/isColorful", "mouse/isGun",
          "mouse/is55328", "mouse/keyCount", "mouse/minDPI", "mouse/maxDPI", "mouse/sensorType",
          "mouse/dpiBase", "mouse/profileNo", "mouse/selectGun"})
      QVERIFY2(global.contains(QLatin1String(key)), key);
    // Until the user picks a language the window follows the desktop's.
    QVERIFY(!global.contains("common/language"));
    QCOMPARE(global.value("mouse/icType").toString(), QStringLiteral("553"));
    QCOMPARE(global.value("mouse/selectGun").toStringList().size(), 3);
    QCOMPARE(readFile(source + "apConfigD.bin"), readFile(source + "apConfig.bin"));

    const QByteArray factoryProfile = readFile(source + "pD.bin");
    QSettings profile(source + "pD.bin", QSettings::IniFormat);
    for (int k = 0; k < 16; ++k) {
      QCOMPARE(profile.value(QStringLiteral("mouseKeyMatrix/%1").arg(k)).toStringList().size(), 4);
      QCOMPARE(profile.value(QStringLiteral("mouseFwKeyMatrix/%1").arg(k)).toStringList().size(),
               4);
    }
    QCOMPARE(profile.value("mouse/dpiValueArray").toStringList().size(), 8);
    QCOMPARE(profile.value("mouse/lightValue").toStringList().size(), 3);
    QCOMPARE(profile.value("mouse/colorValue").toStringList().size(), 24);
    for (const char *key : {"mouse/dpiCount", "mouse/currentDpiCount", "mouse/reportRate",
                            "mouse/mouseRate", "mouse/doubleRate", "mouse/scrollRate"})
      QVERIFY2(profile.contains(QLatin1String(key)), key);
    for (int n = 1; n <= 10; ++n)
      QCOMPARE(readFile(source + QStringLiteral("p%1.bin").arg(n)), factoryProfile);

    QSettings names(source + "name.bin", QSettings::IniFormat);
    QCOMPARE(names.value("gun/gunName").toStringList().size(), 6);
    QCOMPARE(names.value("profile/profileName").toStringList(),
             QStringList({QStringLiteral("Standard0"), QStringLiteral("vornakelpish")}));
    QSettings guns(qEnvironmentVariable("NORVANE_SOURCE_DIR") + "/modules/gun/gunData.bin",
                   QSettings::IniFormat);
    for (int i = 0; i < 6; ++i)
      QCOMPARE(guns.value(QStringLiteral("gunData/%1").arg(i)).toStringList().size(), 6);
  }
};

QTEST_MAIN(tst_store)
#include "tst_store.moc"
