// The demo program as a user starts it: from another working directory, as a
// second instance, and without a mouse.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_app : public QObject {
  Q_OBJECT

  QString demo() const { return qEnvironmentVariable("NORVANE_BIN_DIR") + "/norvane-demo"; }

  void start(QProcess &p, const QStringList &args, const QString &cwd) {
    p.setWorkingDirectory(cwd);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(demo(), args);
    QVERIFY2(p.waitForStarted(), qPrintable(p.errorString()));
  }

  static bool waitForLine(QProcess &p, const QByteArray &line, QByteArray &seen) {
    for (int i = 0; i < 200 && !seen.contains(line); ++i) {
      p.waitForReadyRead(100);
      seen += p.readAll();
      if (p.state() == QProcess::NotRunning)
        break;
    }
    return seen.contains(line);
  }

private slots:
  void startsFromAnotherDirectory() {
    QTemporaryDir elsewhere;
    const QString shot = elsewhere.filePath(QStringLiteral("window.png"));
    QProcess p;
    start(p, {QStringLiteral("--screenshot"), shot}, elsewhere.path());
    QVERIFY(p.waitForFinished(60000));
    const QByteArray out = p.readAll();
    QCOMPARE(p.exitCode(), 0);
    QVERIFY2(out.contains("Device Connect"), out.constData());
    QVERIFY(QFile::exists(shot));
  }

  void secondInstanceExitsWithOne() {
    QTemporaryDir elsewhere;
    QProcess first;
    start(first, {}, elsewhere.path());
    QByteArray seen;
    QVERIFY2(waitForLine(first, "Device Connect", seen), seen.constData());

    QProcess second;
    start(second, {}, elsewhere.path());
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(!second.readAll().contains("Device"));

    QCOMPARE(first.state(), QProcess::Running);
    first.terminate();
    if (!first.waitForFinished(10000))
      first.kill();
  }

  void runsOnWithoutMouse() {
    QTemporaryDir elsewhere;
    QProcess p;
    start(p, {QStringLiteral("--unplugged")}, elsewhere.path());
    QByteArray seen;
    QVERIFY2(waitForLine(p, "Device DisConnect", seen), seen.constData());
    QTest::qWait(300);
    QCOMPARE(p.state(), QProcess::Running); // the tray keeps it alive
    p.terminate();
    if (!p.waitForFinished(10000))
      p.kill();
  }
};

QTEST_GUILESS_MAIN(tst_app)
#include "tst_app.moc"
