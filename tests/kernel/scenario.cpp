#include "scenario.h"

#include <QFile>
#include <QJsonDocument>

namespace kernelbed {

void check(bool ok, const QString &what) {
  if (!ok)
    throw Failure{what};
}

QJsonObject status(const Harness &h) {
  QString out;
  h.ctl({QStringLiteral("status"), QStringLiteral("--json")}, &out);
  return QJsonDocument::fromJson(out.toUtf8()).object();
}

bool connected(const Harness &h) { return status(h).value(QStringLiteral("connected")).toBool(); }

void startConnected(Harness &h, KernelMouse &mouse, const QStringList &env) {
  mouse.plug();
  h.start(QStringLiteral("norvane"), env);
  check(Harness::waitFor([&] { return h.logCount(QStringLiteral("Device Connect")) >= 1; }),
        QStringLiteral("the mouse never connected"));
  check(Harness::waitFor([&] { return connected(h); }),
        QStringLiteral("the bus never said connected"));
}

void waitQuiet(const std::function<qsizetype()> &traced) {
  qsizetype last = traced();
  for (int i = 0; i < 40; ++i) {
    Harness::pause(300);
    const qsizetype now = traced();
    if (now == last)
      return;
    last = now;
  }
}

std::optional<vmouse::Block> commandIn(const QString &line) {
  if (!line.startsWith(QLatin1String("send_feature ")))
    return std::nullopt;
  const QByteArray bytes = QByteArray::fromHex(line.section(QLatin1Char(' '), 1).toLatin1());
  if (bytes.size() != 9)
    return std::nullopt;
  vmouse::Block block;
  uint8_t code[8] = {};
  std::copy_n(bytes.constData() + 1, 8, block.begin());
  const std::string sCode = vmouse::Config{}.sCode;
  for (size_t i = 0; i < 6; ++i)
    code[i + 1] = uint8_t(sCode[i]);
  vmouse::unscramble(block.data(), code);
  return block;
}

// Whether a traced feature report carries a query (codes 80H and up); the
// program also queries on its own, at moments that differ from run to run.
bool isQuery(const QString &line) {
  const std::optional<vmouse::Block> block = commandIn(line);
  return block && ((*block)[0] & 0x80);
}

std::vector<std::string> requestsIn(const QStringList &lines) {
  std::vector<std::string> out;
  for (const QString &line : lines)
    if ((line.startsWith(QLatin1String("send_feature ")) && !isQuery(line)) ||
        line.startsWith(QLatin1String("write ")))
      out.push_back(line.toStdString());
  return out;
}

QStringList traceOf(const KernelMouse &mouse) {
  QStringList lines;
  for (const std::string &l : mouse.trace())
    lines << QString::fromStdString(l);
  return lines;
}

QStringList traceOf(const QString &traceFile) {
  QFile f(traceFile);
  f.open(QIODevice::ReadOnly);
  return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace kernelbed
