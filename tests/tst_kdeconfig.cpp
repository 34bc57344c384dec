// The KDE configuration-file writer: one entry changes, every other byte of
// the file stays, immutable entries are refused, and the file is replaced
// whole with its permissions.
#include "platform/kdeconfigfile.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using platform::setKdeConfigEntry;

namespace {

// Comments, a header-less entry, locale variants, flags, a nested group, a
// second section of the same group, CRLF and odd spacing.
const QByteArray sample = "# written by hand\n"
                          "TopLevel=1\n"
                          "[General]\n"
                          "WheelScrollLines=7\n"
                          "\n"
                          "[KDE]\n"
                          "DoubleClickInterval[de]=123\n"
                          "  DoubleClickInterval = 400\r\n"
                          "Other[$e]=$HOME/x\n"
                          "\n"
                          "[KDE][Sub]\n"
                          "WheelScrollLines=9\n"
                          "\n"
                          "[KDE]\n"
                          "SingleClick=false\n"
                          "# end of KDE\n"
                          "\n"
                          "[Icons]\n"
                          "Theme=breeze";

QByteArray replaced(QByteArray text, const QByteArray &from, const QByteArray &to) {
  const qsizetype at = text.indexOf(from);
  return at < 0 ? QByteArray("<not found>") : text.replace(at, from.size(), to);
}

} // namespace

class tst_kdeconfig : public QObject {
  Q_OBJECT

private slots:
  void entries_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("replaces the line KDE reads")
        << sample << QByteArray("KDE") << QByteArray("DoubleClickInterval") << "200"
        << replaced(sample, "  DoubleClickInterval = 400\r", "DoubleClickInterval=200\r");
    QTest::newRow("expanded entry becomes plain")
        << sample << QByteArray("KDE") << QByteArray("Other") << "a b\\"
        << replaced(sample, "Other[$e]=$HOME/x", "Other=a b\\\\");
    QTest::newRow("added after the group's last entry")
        << sample << QByteArray("KDE") << QByteArray("WheelScrollLines") << "1000"
        << replaced(sample, "SingleClick=false\n", "SingleClick=false\nWheelScrollLines=1000\n");
    QTest::newRow("new group at the end") << sample << QByteArray("Mouse") << QByteArray("X")
                                          << " 1 " << sample + "\n\n[Mouse]\nX=\\s1\\s\n";
    QTest::newRow("empty file") << QByteArray() << QByteArray("KDE") << QByteArray("A") << "1"
                                << QByteArray("[KDE]\nA=1\n");
    QTest::newRow("group without entries") << QByteArray("[KDE]") << QByteArray("KDE")
                                           << QByteArray("A") << "1" << QByteArray("[KDE]\nA=1\n");
    QTest::newRow("spacing around = goes") << QByteArray("[KDE]\nA = 1\n") << QByteArray("KDE")
                                           << QByteArray("A") << "1" << QByteArray("[KDE]\nA=1\n");
  }

  void entries() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, group);
    QFETCH(QByteArray, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QByteArray text = before;
    QVERIFY(setKdeConfigEntry(text, group, key, value));
    QCOMPARE(text, after);
  }

  // KDE ignores writes to immutable entries: they are refused untouched.
  void immutable_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("entry") << QByteArray("[KDE]\nA[$i]=1\n");
    QTest::newRow("entry with more flags") << QByteArray("[KDE]\nA[$ei]=1\n");
    QTest::newRow("group") << QByteArray("[KDE][$i]\nB=1\n");
    QTest::newRow("file") << QByteArray("[$i]\n[Other]\nB=1\n");
  }

  void immutable() {
    QFETCH(QByteArray, before);
    QByteArray text = before;
    QVERIFY(!setKdeConfigEntry(text, "KDE", "A", "2"));
    QCOMPARE(text, before);
  }

  void file() {
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/kdeglobals");
    QVERIFY(platform::writeKdeConfigEntry(path, "KDE", "A", "1"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[KDE]\nA=1\n"));
    f.close();

    // Replaced through a new file, with the old one's permissions.
    QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    struct stat old {};
    QCOMPARE(stat(QFile::encodeName(path).constData(), &old), 0);
    QVERIFY(platform::writeKdeConfigEntry(path, "KDE", "A", "2"));
    struct stat now {};
    QCOMPARE(stat(QFile::encodeName(path).constData(), &now), 0);
    QVERIFY(now.st_ino != old.st_ino);
    QCOMPARE(now.st_mode & 07777, mode_t(0600));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[KDE]\nA=2\n"));
    f.close();

    // A linked file (dotfile managers) stays a link; its target changes.
    QVERIFY(QFile::link(path, dir.filePath("link")));
    QVERIFY(platform::writeKdeConfigEntry(dir.filePath("link"), "KDE", "A", "3"));
    QVERIFY(QFileInfo(dir.filePath("link")).isSymLink());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[KDE]\nA=3\n"));
    f.close();

    // A path that is a folder cannot be written; nothing appears.
    QVERIFY(!platform::writeKdeConfigEntry(dir.path(), "KDE", "A", "1"));
    QVERIFY(QFileInfo(dir.path()).isDir());
  }

  // While a KDE program holds the file's lock nothing is read or written;
  // the lock is KConfig's: the resolved file's name plus ".lock".
  void heldLock() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kcminputrc");
    const QString link = dir.filePath("link");
    QVERIFY(platform::writeKdeConfigEntry(path, "Mouse", "A", "1"));
    QVERIFY(QFile::link(path, link));
    const QString lockPath = QFileInfo(path).canonicalFilePath() + ".lock";
    QCOMPARE(platform::kdeConfigLockPath(link), lockPath);

    QLockFile kde(lockPath);
    QVERIFY(kde.tryLock());
    QVERIFY(!platform::writeKdeConfigEntry(link, "Mouse", "A", "2"));
    QVERIFY(!platform::writeKdeConfigEntry(path, "Mouse", "B", "2"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Mouse]\nA=1\n"));
    f.close();

    kde.unlock();
    QVERIFY(platform::writeKdeConfigEntry(link, "Mouse", "A", "2"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[Mouse]\nA=2\n"));
    QVERIFY(!QFile::exists(lockPath));
  }
};

QTEST_GUILESS_MAIN(tst_kdeconfig)
#include "tst_kdeconfig.moc"
