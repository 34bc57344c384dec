// A 560-family mouse that answers its profile reads after the read timeout
// at connect, and promptly later: the failed read is reported, the start-up
// reads stop there, and no profile block reaches the mouse with another
// block's data or with bytes that were never read.
#include "scenario.h"

#include <QJsonArray>
#include <QSettings>

#include <algorithm>

namespace kernelbed {

using namespace std::chrono_literals;

namespace {

// Each block carries its number where no operation writes.
constexpr size_t markFrom = 48, markTo = 64;
uint8_t markOf(size_t block) { return uint8_t(0xA0 + block); }

int otherProfile(const QJsonObject &s) {
  for (const QJsonValue &row : s.value(QStringLiteral("profiles")).toArray()) {
    const int number = row.toObject().value(QStringLiteral("number")).toInt();
    if (number != s.value(QStringLiteral("profile")).toInt())
      return number;
  }
  throw Failure{QStringLiteral("only one profile to switch to")};
}

} // namespace

void lateReply(Harness &h, KernelMouse &mouse) {
  mouse.setReplyDelay(1200ms);
  mouse.plug();
  vmouse::DeviceState marked = mouse.settings();
  for (size_t b = 0; b < 5; ++b)
    std::fill(marked.profiles[b].begin() + markFrom, marked.profiles[b].begin() + markTo,
              markOf(b));
  mouse.setSettings(marked);
  // A second profile, for a switch that sends the blocks; without gun modes
  // it sends fewer of them, over fewer pauses.
  const QString settings = h.workDir() + QStringLiteral("/modules/setting/");
  QSettings(settings + QStringLiteral("name.bin"), QSettings::IniFormat)
      .setValue(QStringLiteral("profile/profileName"),
                QStringList{QStringLiteral("Standard0"), QStringLiteral("Second1")});
  QSettings(settings + QStringLiteral("apConfig.bin"), QSettings::IniFormat)
      .setValue(QStringLiteral("mouse/isGun"), false);
  h.start();
  check(Harness::waitFor([&] { return connected(h); }),
        QStringLiteral("the mouse never connected"));
  check(
      Harness::waitFor([&] { return h.logCount(QStringLiteral("Profile block 0 not read")) >= 1; }),
      QStringLiteral("the late profile read was not reported"));
  Harness::pause(800); // block 0's reports arrive meanwhile
  check(mouse.counts().commandSent == 4,
        QStringLiteral("the start-up read on after a failure: %1 data reports")
            .arg(mouse.counts().commandSent));

  mouse.setReplyDelay({});
  waitQuiet([&] { return qsizetype(mouse.trace().size()); });
  const size_t before = mouse.trace().size();
  const int profile = otherProfile(status(h));
  check(h.ctlWhenReady({QStringLiteral("profile"), QString::number(profile)}),
        QStringLiteral("the profile switch failed: ") + h.lastRefusal);
  int blocksSent = 0;
  for (const QString &line : traceOf(mouse).mid(qsizetype(before)))
    blocksSent += commandIn(line).value_or(vmouse::Block{})[0] == 0x0C;
  check(blocksSent > 0, QStringLiteral("the profile switch sent no profile block"));
  const vmouse::DeviceState held = mouse.settings();
  for (size_t b = 0; b < 5; ++b)
    check(std::all_of(held.profiles[b].begin() + markFrom, held.profiles[b].begin() + markTo,
                      [&](uint8_t v) { return v == markOf(b); }),
          QStringLiteral("block %1 was sent with bytes it never held").arg(b));
}

} // namespace kernelbed
