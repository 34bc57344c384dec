// The report watch's handling of one event report: the first input byte is
// what the read returned (-1 to 4 and beyond), the rest the report.
#include "device/hid_thread.h"
#include "device/linkowner.h"
#include "fuzzsupport.h"

namespace {

class Owner : public LinkOwner {
public:
  bool linkArmReports(Hid_Thread &) override { return false; }
  bool linkIsGun() const override { return false; }
  void linkSetCurrentDPI(int stage) override { lastStage = stage; }
  void linkShowBalloon(const QString &text) override { balloon = text; }
  void linkDisableView() override {}
  int lastStage = -1;
  QString balloon;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::setUp();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1)
    return 0;
  static Hid_Thread *link = new Hid_Thread;
  static Owner owner;
  link->setOwner(&owner);
  uchar report[4] = {};
  std::copy_n(data + 1, std::min<size_t>(size - 1, 4), report);
  const int length = int(int8_t(data[0]));
  owner.lastStage = -1;
  link->handleEventReport(report, length);
  QCoreApplication::sendPostedEvents();
  const bool isStage = length == 4 && report[0] == 0x06 && report[1] == 0x07;
  FUZZ_CHECK(owner.lastStage == (isStage ? report[3] : -1));
  if (isStage)
    FUZZ_CHECK(owner.balloon.endsWith(QLatin1Char(' ')));
  return 0;
}
