// Single-instance behaviour across real processes: every child is the
// helper program, or a copy of it in another folder; all of them share one
// instance name, in a runtime folder of this test's own.
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

QByteArray frame(const QByteArray &payload, quint32 declaredLength) {
  QByteArray bytes(4, Qt::Uninitialized);
  qToBigEndian(declaredLength, bytes.data());
  return bytes + payload;
}

} // namespace

class TestSingleInstance : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanup();
  void secondStartHandsOverToFirst();
  void copyInAnotherFolderIsRefused();
  void killedPrimaryLeavesNoBlockingLock();
  void oldLockOfLivePrimaryHolds();
  void simultaneousStartsGiveOnePrimary_data();
  void simultaneousStartsGiveOnePrimary();
  void malformedFramesAreDropped();

private:
  QProcess *start(const QString &message = QString(),
                  const QString &program = QStringLiteral(SINGLEINSTANCE_CHILD)) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
    process->setProcessEnvironment(env);
    process->start(program, message.isNull() ? QStringList() : QStringList{message});
    children.push_back(std::move(process));
    return children.back().get();
  }

  // Reads without consuming, so repeated QTRY_ checks see all output.
  static QStringList lines(QProcess *process) {
    return QString::fromUtf8(process->peek(process->bytesAvailable()))
        .split(u'\n', Qt::SkipEmptyParts);
  }

  static QStringList messages(QProcess *process) {
    QStringList texts;
    for (const QString &line : lines(process))
      if (line.startsWith(u"message:"))
        texts << QString::fromUtf8(QByteArray::fromHex(line.mid(8).toLatin1()));
    return texts;
  }

  static bool isPrimary(QProcess *process) {
    const QStringList output = lines(process);
    return !output.isEmpty() && output.first().startsWith(u"primary ");
  }

  static bool hasRole(QProcess *process) {
    const QStringList output = lines(process);
    return !output.isEmpty() &&
           (output.first().startsWith(u"primary ") || output.first().startsWith(u"secondary "));
  }

  // waitForFinished is false for a process that has already ended.
  static bool finished(QProcess *process) {
    return process->state() == QProcess::NotRunning || process->waitForFinished(20000);
  }

  QProcess *startPrimary() {
    QProcess *process = start();
    [&] { QTRY_VERIFY_WITH_TIMEOUT(isPrimary(process), 20000); }();
    return process;
  }

  QTemporaryDir runtimeDir;
  std::vector<std::unique_ptr<QProcess>> children;
};

void TestSingleInstance::initTestCase() {
  QVERIFY(runtimeDir.isValid());
  // The runtime folder must be private, as the real one is.
  QVERIFY(QFile::setPermissions(
      runtimeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

void TestSingleInstance::cleanup() {
  for (auto &process : children) {
    process->kill();
    process->waitForFinished(20000);
  }
  children.clear();
}

void TestSingleInstance::secondStartHandsOverToFirst() {
  QProcess *first = startPrimary();
  QVERIFY(isPrimary(first));
  QTRY_VERIFY(lines(first).contains(u"primary-send=0"));

  // The program's own second start sends the empty string.
  QProcess *second = start();
  QVERIFY(finished(second));
  QCOMPARE(second->exitCode(), 1);
  QCOMPARE(lines(second), QStringList{u"secondary sent=1"_qs});
  QTRY_COMPARE_WITH_TIMEOUT(messages(first), QStringList{QString()}, 20000);

  const QString text = u"Grüße\n你好"_qs;
  QProcess *third = start(text);
  QVERIFY(finished(third));
  QCOMPARE(lines(third), QStringList{u"secondary sent=1"_qs});
  QTRY_COMPARE_WITH_TIMEOUT(messages(first), (QStringList{QString(), text}), 20000);
  QCOMPARE(first->state(), QProcess::Running);
}

void TestSingleInstance::copyInAnotherFolderIsRefused() {
  // An installed program and a copy in a download folder are one program.
  QTemporaryDir folder;
  const QString copy = folder.filePath(QStringLiteral("norvane"));
  QVERIFY(QFile::copy(QStringLiteral(SINGLEINSTANCE_CHILD), copy));

  QProcess *first = startPrimary();
  QProcess *second = start(QString(), copy);
  QVERIFY(finished(second));
  QCOMPARE(second->exitCode(), 1);
  QCOMPARE(lines(second), QStringList{u"secondary sent=1"_qs});
  QTRY_COMPARE_WITH_TIMEOUT(messages(first), QStringList{QString()}, 20000);

  // And the other way round: the copy runs first, the original yields.
  first->kill();
  QVERIFY(finished(first));
  QProcess *copyFirst = start(QString(), copy);
  QTRY_VERIFY_WITH_TIMEOUT(isPrimary(copyFirst), 20000);
  QProcess *original = start();
  QVERIFY(finished(original));
  QCOMPARE(original->exitCode(), 1);
  QTRY_COMPARE_WITH_TIMEOUT(messages(copyFirst), QStringList{QString()}, 20000);
}

void TestSingleInstance::killedPrimaryLeavesNoBlockingLock() {
  QProcess *first = startPrimary();
  QVERIFY(isPrimary(first));
  first->kill(); // SIGKILL: lock file and socket stay behind
  QVERIFY(finished(first));

  QProcess *next = startPrimary();
  QVERIFY(isPrimary(next));

  QProcess *sender = start(u"after restart"_qs);
  QVERIFY(finished(sender));
  QCOMPARE(lines(sender), QStringList{u"secondary sent=1"_qs});
  QTRY_COMPARE_WITH_TIMEOUT(messages(next), QStringList{u"after restart"_qs}, 20000);
}

void TestSingleInstance::oldLockOfLivePrimaryHolds() {
  // A lock file an hour old whose holder is alive still keeps later
  // starts out.
  QProcess *primary = startPrimary();
  QFile lock(lines(primary).first().mid(8) + QStringLiteral(".lock"));
  QVERIFY(lock.exists());
  QVERIFY(lock.open(QIODevice::ReadWrite));
  QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                           QFileDevice::FileModificationTime));
  lock.close();

  QProcess *later = start();
  QVERIFY(finished(later));
  QCOMPARE(lines(later), QStringList{u"secondary sent=1"_qs});
  QTRY_COMPARE_WITH_TIMEOUT(messages(primary), QStringList{QString()}, 20000);
}

void TestSingleInstance::simultaneousStartsGiveOnePrimary_data() {
  QTest::addColumn<int>("count");
  QTest::newRow("5") << 5;
  QTest::newRow("10") << 10;
}

void TestSingleInstance::simultaneousStartsGiveOnePrimary() {
  QFETCH(int, count);
  QList<QProcess *> started;
  for (int i = 0; i < count; ++i)
    started << start();
  for (QProcess *process : std::as_const(started))
    QTRY_VERIFY_WITH_TIMEOUT(hasRole(process), 20000);

  QProcess *primary = nullptr;
  for (QProcess *process : std::as_const(started)) {
    if (isPrimary(process)) {
      QVERIFY2(!primary, "two primaries");
      primary = process;
      continue;
    }
    QVERIFY(finished(process));
    QCOMPARE(process->exitCode(), 1);
    QCOMPARE(lines(process), QStringList{u"secondary sent=1"_qs});
  }
  QVERIFY(primary);
  QTRY_COMPARE_WITH_TIMEOUT(messages(primary).size(), count - 1, 20000);
  QCOMPARE(primary->state(), QProcess::Running);
}

void TestSingleInstance::malformedFramesAreDropped() {
  QProcess *primary = startPrimary();
  const QString serverName = lines(primary).first().mid(8);
  QVERIFY(!serverName.isEmpty());

  // A length far beyond any real message: the primary hangs up.
  QLocalSocket oversized;
  oversized.connectToServer(serverName);
  QVERIFY(oversized.waitForConnected(20000));
  oversized.write(frame("x", 0xffffffffu));
  QTRY_COMPARE_WITH_TIMEOUT(oversized.state(), QLocalSocket::UnconnectedState, 20000);

  // A peer that leaves in the middle of a frame delivers nothing.
  QLocalSocket truncated;
  truncated.connectToServer(serverName);
  QVERIFY(truncated.waitForConnected(20000));
  truncated.write(frame("abc", 10));
  QVERIFY(truncated.waitForBytesWritten(20000));
  truncated.disconnectFromServer();

  // Two frames in one write are two messages, each acknowledged.
  QLocalSocket batch;
  batch.connectToServer(serverName);
  QVERIFY(batch.waitForConnected(20000));
  batch.write(frame("one", 3) + frame("two", 3));
  QTRY_COMPARE_WITH_TIMEOUT(batch.bytesAvailable(), qint64(2), 20000);
  QTRY_COMPARE_WITH_TIMEOUT(messages(primary), (QStringList{u"one"_qs, u"two"_qs}), 20000);

  QProcess *sender = start(u"still listening"_qs);
  QVERIFY(finished(sender));
  QTRY_COMPARE_WITH_TIMEOUT(messages(primary),
                            (QStringList{u"one"_qs, u"two"_qs, u"still listening"_qs}), 20000);
  QCOMPARE(primary->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
