// The demo program as a user starts it: from another working directory, as a
// second instance, and without a mouse.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_app : public QObject {
  Q_OBJECT

  QString demo() const { return qEnvironmentVariable("NORVANE_BIN_DIR") + "/norvane-demo"; }

  // The demo is one copy per user and runtime folder: a runtime folder of
  // the test's own keeps a copy the tester runs out of the way.
  QTemporaryDir runtime;

  void start(QProcess &p, const QStringList &args, const QString &cwd,
             const QString &runtimeDir = QString()) {
    QProcessEnvironment env = p.processEnvironment();
    if (env.isEmpty())
      env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
               runtimeDir.isEmpty() ? runtime.path() : runtimeDir);
    p.setProcessEnvironment(env);
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

  // Copies that cannot reach each other's instance socket still share the
  // session bus: the one that cannot own the control name exits with 1 and
  // never looks for the mouse.
  void copyWithoutTheSocketYieldsToTheBusOwner() {
    if (!qEnvironmentVariableIsSet("NORVANE_PRIVATE_BUS"))
      QSKIP("runs on a private session bus");
    QTemporaryDir elsewhere, firstRuntime, secondRuntime;
    QProcess first;
    start(first, {}, elsewhere.path(), firstRuntime.path());
    QByteArray seen;
    QVERIFY2(waitForLine(first, "Device Connect", seen), seen.constData());

    QProcess second;
    start(second, {}, elsewhere.path(), secondRuntime.path());
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 1);
    const QByteArray out = second.readAll();
    QVERIFY2(out.contains("owns the session bus name") && !out.contains("Device"), out.constData());

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
    QCOMPARE(p.state(), QProcess::Running); // the tray, or the window, keeps it alive
    p.terminate();
    if (!p.waitForFinished(10000))
      p.kill();
  }

  // An X server without a tray: the window stays, with the no-mouse screen,
  // and its close button ends the program with 0.
  void noTrayCloseButtonQuits() {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
      QSKIP("needs an X server (xvfb-run)");
    QTemporaryDir elsewhere;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Under ASan: the GL driver of a real X server is unloaded before exit,
    // so its leaks have no module to suppress by (memory checks stay on).
    if (env.contains(QStringLiteral("ASAN_OPTIONS")))
      env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0:halt_on_error=1"));
    p.setProcessEnvironment(env);
    start(p, {QStringLiteral("--unplugged")}, elsewhere.path());
    QByteArray seen;
    QVERIFY2(waitForLine(p, "Device DisConnect", seen), seen.constData());

    QProcess search;
    search.start(QStringLiteral("timeout"),
                 {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"),
                  QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--pid"), QString::number(p.processId())});
    QVERIFY(search.waitForFinished(30000));
    const QString window = QString::fromLatin1(search.readAllStandardOutput()).split('\n').first();
    QVERIFY2(!window.isEmpty(), "the window is not shown");
    QTest::qWait(500); // the no-mouse screen is drawn
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                               {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                                QStringLiteral("996"), QStringLiteral("24"),
                                QStringLiteral("click"), QStringLiteral("1")}),
             0);
    const bool ended = p.waitForFinished(10000);
    if (!ended)
      p.kill();
    QVERIFY(ended);
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
  }
};

QTEST_GUILESS_MAIN(tst_app)
#include "tst_app.moc"
