// The virtual mouse as the device link sees it through the hidapi calls.
#include "emulator/vmouse.h"

#include <hidapi.h>

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <thread>

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

namespace {

const uint8_t code482193[8] = {0, '4', '8', '2', '1', '9', '3', 0};

std::string hex(const Bytes &bytes) {
  std::string out;
  char digits[4];
  for (uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, out.empty() ? "%02x" : " %02x", b);
    out += digits;
  }
  return out;
}

Bytes withReportId(const Bytes &block) {
  Bytes report(block.size() + 1, 0);
  std::copy(block.begin(), block.end(), report.begin() + 1);
  return report;
}

Bytes scrambled(Bytes block) {
  vmouse::scramble(block.data(), code482193);
  return block;
}

hid_device *openInterface(int index) {
  return hid_open_path(("vmouse:" + std::to_string(index)).c_str());
}

int sendFeature(hid_device *dev, const Bytes &report) {
  return hid_send_feature_report(dev, report.data(), report.size());
}

Bytes getFeature(hid_device *dev) {
  Bytes reply(9, 0);
  const int n = hid_get_feature_report(dev, reply.data(), reply.size());
  reply.resize(n < 0 ? 0 : n);
  return reply;
}

int write(hid_device *dev, const Bytes &report) {
  return hid_write(dev, report.data(), report.size());
}

} // namespace

// Readable failure messages for byte vectors and trace lines.
namespace QTest {
template <> char *toString(const Bytes &bytes) { return qstrdup(hex(bytes).c_str()); }
template <> char *toString(const Lines &lines) {
  std::string out;
  for (const auto &line : lines)
    out += "\n  " + line;
  return qstrdup(out.c_str());
}
template <> char *toString(const std::string &text) { return qstrdup(text.c_str()); }
} // namespace QTest

class TestVmouse : public QObject {
  Q_OBJECT

private slots:
  void init() {
    vmouse::setChangeListener({});
    vmouse::configure({});
  }

  void enumeration() {
    vmouse::Config config;
    config.usagePage = 0xff01;
    config.usage = 0x0001;
    vmouse::configure(config);
    vmouse::addInterface({0x0001, 0x0002, vmouse::Role::Other});

    hid_device_info *list = hid_enumerate(0x3b1f, 0x0a01);
    std::vector<hid_device_info> found;
    for (hid_device_info *i = list; i; i = i->next)
      found.push_back(*i);
    QCOMPARE(found.size(), size_t(3));
    const uint16_t pages[] = {0xff01, 0xff01, 0x0001};
    const uint16_t usages[] = {0x0001, 0xff01, 0x0002};
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(std::string(found[i].path), "vmouse:" + std::to_string(i));
      QCOMPARE(found[i].vendor_id, 0x3b1f);
      QCOMPARE(found[i].product_id, 0x0a01);
      QCOMPARE(found[i].usage_page, pages[i]);
      QCOMPARE(found[i].usage, usages[i]);
      QCOMPARE(found[i].interface_number, i);
    }
    hid_free_enumeration(list);

    auto count = [](unsigned short vid, unsigned short pid) {
      hid_device_info *list = hid_enumerate(vid, pid);
      int n = 0;
      for (hid_device_info *i = list; i; i = i->next)
        ++n;
      hid_free_enumeration(list);
      return n;
    };
    QCOMPARE(count(0, 0), 3);
    QCOMPARE(count(0x3b1f, 0), 3);
    QCOMPARE(count(0x3b1f, 0x0a02), 0);
    QCOMPARE(count(0x3b1e, 0x0a01), 0);
    vmouse::unplug();
    QCOMPARE(count(0, 0), 0);
    vmouse::plug();
    QCOMPARE(count(0, 0), 3);
    QVERIFY(vmouse::trace().empty());
  }

  void openAndClose() {
    hid_device *command = openInterface(0);
    hid_device *event = openInterface(1);
    QVERIFY(command && event);
    QCOMPARE(vmouse::openHandles(), 2);
    QVERIFY(!openInterface(2));
    QVERIFY(!hid_open_path(nullptr));
    hid_close(command);
    hid_close(event);
    hid_close(nullptr);
    QCOMPARE(vmouse::openHandles(), 0);

    hid_device *byId = hid_open(0x3b1f, 0x0a01, nullptr);
    QVERIFY(byId);
    QCOMPARE(sendFeature(byId, {0, 1, 2, 0, 0, 0, 0, 0, 0xfc}), 9);
    hid_close(byId);
    QCOMPARE(vmouse::trace(), (Lines{"open 76 6d 6f 75 73 65 3a 30", "open 76 6d 6f 75 73 65 3a 31",
                                     "open 76 6d 6f 75 73 65 3a 32 !fail", "open !fail", "close",
                                     "close", "open 76 6d 6f 75 73 65 3a 30",
                                     "send_feature 00 01 02 00 00 00 00 00 fc", "close"}));
  }

  void handshake_data() {
    QTest::addColumn<bool>("encode");
    QTest::newRow("plain") << false;
    QTest::newRow("scrambled") << true;
  }

  void handshake() {
    QFETCH(bool, encode);
    vmouse::Config config;
    config.isEncode = encode;
    vmouse::configure(config);
    hid_device *dev = openInterface(0);
    vmouse::clearTrace();

    const Bytes challenge{0x00, 0x11, 0x22, 0x33, 0x44, 0, 0, 0x55};
    const Bytes rate{0x01, 0x02, 0, 0, 0, 0, 0, 0xfc};
    const Bytes rateReply{0x01, 0, 0, 0, 0, 0, 0, 0xfe};
    auto wire = [&](const Bytes &b) { return encode ? scrambled(b) : b; };
    QCOMPARE(sendFeature(dev, withReportId(wire(challenge))), 9);
    QCOMPARE(getFeature(dev), withReportId(wire(challenge)));
    QCOMPARE(sendFeature(dev, withReportId(wire(rate))), 9);
    QCOMPARE(getFeature(dev), withReportId(wire(rateReply)));
    hid_close(dev);

    const Lines lines = vmouse::trace();
    QCOMPARE(lines, (Lines{"send_feature " + hex(withReportId(wire(challenge))),
                           "get_feature " + hex(withReportId(wire(challenge))),
                           "send_feature " + hex(withReportId(wire(rate))),
                           "get_feature " + hex(withReportId(wire(rateReply))), "close"}));
    if (!encode)
      QCOMPARE(lines[0], "send_feature 00 00 11 22 33 44 00 00 55");
    const auto log = vmouse::commands();
    QCOMPARE(log.size(), size_t(2));
    QCOMPARE(log[0].block, challenge);
    QCOMPARE(log[1].block, rate);
    QVERIFY(log[0].checksumOk && log[1].checksumOk);
  }

  void scrambleTransform() {
    // 00 01 02 03 04 05 06 07 with the code "482193" (34 38 32 31 39 33):
    // swap pairs           05 04 07 06 01 00 03 02
    // XOR bytes 1..6       05 30 3f 34 30 39 30 02
    // rotate left 3 bits   29 81 f9 a1 81 c9 80 10
    // + swapped "KvTapRen" (b4 67 45 16 07 25 56 e6)
    //                      dd e8 3e b7 88 ee d6 f6
    uint8_t block[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    vmouse::scramble(block, code482193);
    QCOMPARE(Bytes(block, block + 8), (Bytes{0xdd, 0xe8, 0x3e, 0xb7, 0x88, 0xee, 0xd6, 0xf6}));
    vmouse::unscramble(block, code482193);
    QCOMPARE(Bytes(block, block + 8), (Bytes{0, 1, 2, 3, 4, 5, 6, 7}));

    QRandomGenerator random(7);
    for (int round = 0; round < 500; ++round) {
      uint8_t plain[8], code[8], data[8];
      for (int i = 0; i < 8; ++i) {
        plain[i] = data[i] = random.bounded(256);
        code[i] = random.bounded(256);
      }
      vmouse::scramble(data, code);
      vmouse::unscramble(data, code);
      QCOMPARE(Bytes(data, data + 8), Bytes(plain, plain + 8));
    }
  }

  void badChecksumIsIgnored() {
    hid_device *dev = openInterface(0);
    sendFeature(dev, {0, 0x00, 1, 2, 3, 4, 0, 0, 0xf5});
    QCOMPARE(sendFeature(dev, {0, 0x01, 0x02, 0, 0, 0, 0, 0, 0xfd}), 9);
    QCOMPARE(getFeature(dev), (Bytes{0, 0x00, 1, 2, 3, 4, 0, 0, 0xf5}));
    hid_close(dev);

    // A plain block sent to a scrambling device fails the check too.
    vmouse::Config config;
    config.isEncode = true;
    vmouse::configure(config);
    dev = openInterface(0);
    QCOMPARE(sendFeature(dev, {0, 0x01, 0x02, 0, 0, 0, 0, 0, 0xfc}), 9);
    QCOMPARE(getFeature(dev), withReportId(scrambled({0, 0, 0, 0, 0, 0, 0, 0xff})));
    const auto log = vmouse::commands();
    QCOMPARE(log.size(), size_t(1));
    QVERIFY(!log[0].checksumOk);
    Bytes seen{0x01, 0x02, 0, 0, 0, 0, 0, 0xfc};
    vmouse::unscramble(seen.data(), code482193);
    QCOMPARE(log[0].block, seen);
    hid_close(dev);
  }

  void writesAppendToLastCommand() {
    hid_device *dev = openInterface(0);
    QCOMPARE(write(dev, {0, 9, 9}), 3); // no command yet: dropped
    sendFeature(dev, {0, 0x11, 1, 8, 0, 0, 0, 0, 0xe5});
    Bytes report(33, 0);
    for (int piece = 0; piece < 2; ++piece) {
      for (int i = 1; i < 33; ++i)
        report[i] = piece * 32 + i;
      QCOMPARE(write(dev, report), 33);
    }
    vmouse::failNext(vmouse::Fault::Write);
    QCOMPARE(write(dev, {0, 0xaa}), -1);
    QCOMPARE(write(dev, {0, 0xbb, 0xcc}), 3);

    const auto log = vmouse::commands();
    QCOMPARE(log.size(), size_t(1));
    Bytes expected;
    for (int i = 1; i <= 64; ++i)
      expected.push_back(i);
    expected.insert(expected.end(), {0xbb, 0xcc});
    QCOMPARE(log[0].data, expected);
    const Lines lines = vmouse::trace();
    QCOMPARE(lines[1], "write 00 09 09");
    QCOMPARE(lines[3],
             "write " + hex(withReportId(Bytes(expected.begin(), expected.begin() + 32))));
    QCOMPARE(lines[5], "write 00 aa !fail");
    QCOMPARE(lines[6], "write 00 bb cc");
    hid_close(dev);
  }

  void commandReads() {
    hid_device *dev = openInterface(0);
    vmouse::queueInput({1, 2, 3});
    vmouse::queueInput(Bytes(32, 0x5a));
    Bytes buffer(33, 0);
    QCOMPARE(hid_read_timeout(dev, buffer.data(), 33, 1000), 3);
    QCOMPARE(Bytes(buffer.begin(), buffer.begin() + 4), (Bytes{1, 2, 3, 0}));
    QCOMPARE(hid_read(dev, buffer.data(), 16), 16);
    // Nothing queued: a timed read times out at once, a blocking one fails.
    QCOMPARE(hid_read_timeout(dev, buffer.data(), 33, 60000), 0);
    QCOMPARE(hid_read(dev, buffer.data(), 33), -1);
    QCOMPARE(hid_set_nonblocking(dev, 1), 0);
    QCOMPARE(hid_read(dev, buffer.data(), 33), 0);
    QCOMPARE(vmouse::trace(),
             (Lines{"open 76 6d 6f 75 73 65 3a 30", "read 01 02 03", "read " + hex(Bytes(16, 0x5a)),
                    "read", "read !fail", "read"}));
    hid_close(dev);
  }

  void eventReads() {
    hid_device *event = openInterface(1);
    uint8_t buffer[64] = {};
    QCOMPARE(hid_read_timeout(event, buffer, 64, 20), 0);
    vmouse::queueEvent({5, 6});
    QCOMPARE(hid_read_timeout(event, buffer, 64, 20), 2);
    QCOMPARE(Bytes(buffer, buffer + 2), (Bytes{5, 6}));
    QCOMPARE(sendFeature(event, {0, 1, 2, 0, 0, 0, 0, 0, 0xfc}), -1);

    int got = 0;
    std::thread waiting([&] { got = hid_read_timeout(event, buffer, 64, 60000); });
    vmouse::queueEvent({7, 8, 9});
    waiting.join();
    QCOMPARE(got, 3);
    QCOMPARE(Bytes(buffer, buffer + 3), (Bytes{7, 8, 9}));

    std::thread blocked([&] { got = hid_read(event, buffer, 64); });
    vmouse::unplug();
    blocked.join();
    QCOMPARE(got, -1);
    hid_close(event);
    QCOMPARE(vmouse::trace(), (Lines{"open 76 6d 6f 75 73 65 3a 31", "read 05 06",
                                     "send_feature 00 01 02 00 00 00 00 00 fc !fail",
                                     "read 07 08 09", "read !fail", "close"}));
  }

  // Each open handle has its own queue; a report reaches the handles open
  // when it is sent, and closing a handle drops what it had not read.
  void perHandleQueues() {
    using vmouse::Role;
    uint8_t buffer[8] = {};
    vmouse::sendInputAfter(Role::Event, {1}, 0); // nobody listening: lost
    hid_device *a = openInterface(1);
    hid_device *b = openInterface(1);
    vmouse::sendInputAfter(Role::Event, {2}, 0);
    vmouse::sendInputAfter(Role::Event, {3}, 2); // at b's read below
    QCOMPARE(hid_read_timeout(a, buffer, 8, 0), 1);
    QCOMPARE(buffer[0], uint8_t(2));
    QCOMPARE(hid_read_timeout(b, buffer, 8, 0), 1);
    QCOMPARE(buffer[0], uint8_t(2));
    hid_close(a); // its copy of 3 goes with it
    QCOMPARE(hid_read_timeout(b, buffer, 8, 0), 1);
    QCOMPARE(buffer[0], uint8_t(3));
    // A full queue keeps the first 63 and drops the new ones.
    for (int i = 0; i < 70; ++i)
      vmouse::sendInputAfter(Role::Event, {uint8_t(i)}, 0);
    int got = 0;
    while (hid_read_timeout(b, buffer, 8, 0) == 1)
      QCOMPARE(buffer[0], uint8_t(got++));
    QCOMPARE(got, 63);
    hid_close(b);

    // A read command's data goes out with its feature report, or after a
    // delay counted in calls on the command node.
    vmouse::Config c;
    c.family = "560";
    vmouse::configure(c);
    hid_device *dev = openInterface(0);
    const Bytes read8C{0, 0x8c, 1, 0, 0, 0, 0, 0, 0x72};
    for (int delay : {0, 3}) {
      vmouse::setReplyDelay(delay);
      QCOMPARE(sendFeature(dev, read8C), 9);
      for (int i = 0; i < 4; ++i)
        QCOMPARE(hid_read_timeout(dev, buffer, 8, 0), 8);
    }
    // Unread data dies with its handle.
    vmouse::setReplyDelay(0);
    QCOMPARE(sendFeature(dev, read8C), 9);
    hid_close(dev);
    dev = openInterface(0);
    QCOMPARE(hid_read_timeout(dev, buffer, 8, 0), 0);
    hid_close(dev);
  }

  void faultsAreOneShot() {
    using vmouse::Fault;
    vmouse::failNext(Fault::Open);
    QVERIFY(!openInterface(0));
    hid_device *dev = openInterface(0);
    QVERIFY(dev);

    const Bytes hello{0, 0x00, 1, 2, 3, 4, 0, 0, 0xf5};
    vmouse::failNext(Fault::Feature);
    vmouse::failNext(Fault::Feature);
    QCOMPARE(sendFeature(dev, hello), -1);
    QCOMPARE(sendFeature(dev, hello), -1);
    QCOMPARE(vmouse::commands().size(), size_t(0));
    vmouse::failNext(Fault::WrongEcho);
    QCOMPARE(sendFeature(dev, hello), 9);
    vmouse::failNext(Fault::GetFeature);
    QVERIFY(getFeature(dev).empty());
    QCOMPARE(getFeature(dev), (Bytes{0, 0x00, 0xfe, 2, 3, 4, 0, 0, 0xf8}));
    QCOMPARE(sendFeature(dev, hello), 9);
    QCOMPARE(getFeature(dev), hello);

    uint8_t buffer[33];
    vmouse::queueInput({1});
    vmouse::failNext(Fault::Read);
    QCOMPARE(hid_read(dev, buffer, 33), -1);
    vmouse::failNext(Fault::StallRead);
    QCOMPARE(hid_read(dev, buffer, 33), 0);
    QCOMPARE(hid_read(dev, buffer, 33), 1);

    vmouse::failNext(Fault::Write);
    vmouse::clearFaults();
    QCOMPARE(write(dev, {0, 1}), 2);
    hid_close(dev);

    const Lines lines = vmouse::trace();
    QCOMPARE(lines[0], "open 76 6d 6f 75 73 65 3a 30 !fail");
    QCOMPARE(lines[2], "send_feature " + hex(hello) + " !fail");
    QCOMPARE(lines[5], "get_feature !fail");
    QCOMPARE(lines[9], "read !fail");
    QCOMPARE(lines[10], "read");
    QCOMPARE(lines[11], "read 01");
  }

  void unplugKillsHandles() {
    int calls = 0;
    std::vector<bool> states;
    vmouse::setChangeListener([&] {
      ++calls;
      states.push_back(vmouse::plugged()); // the lock is not held here
    });
    hid_device *before = openInterface(0);
    const Bytes rate{0, 1, 2, 0, 0, 0, 0, 0, 0xfc};
    vmouse::unplug();
    QVERIFY(!vmouse::plugged());
    QVERIFY(!openInterface(0));
    QCOMPARE(sendFeature(before, rate), -1);
    QCOMPARE(hid_set_nonblocking(before, 0), -1);
    vmouse::plug();
    QCOMPARE(sendFeature(before, rate), -1); // its device is gone for good
    hid_device *after = openInterface(0);
    QCOMPARE(sendFeature(after, rate), 9);
    QCOMPARE(vmouse::openHandles(), 2);
    QCOMPARE(calls, 2);
    QCOMPARE(states, (std::vector<bool>{false, true}));

    // A reconfigured device forgets old handles: they fail and do not count.
    vmouse::configure({});
    QCOMPARE(vmouse::openHandles(), 0);
    QCOMPARE(sendFeature(after, rate), -1);
    hid_close(before);
    hid_close(after);
    QCOMPARE(calls, 2);
  }

  void badInput() {
    hid_device *dev = openInterface(0);
    QCOMPARE(sendFeature(dev, {0, 1, 2, 0, 0, 0, 0, 0xfc}), -1); // too short
    QCOMPARE(hid_send_feature_report(dev, nullptr, 9), -1);
    QCOMPARE(hid_write(dev, nullptr, 33), -1);
    QCOMPARE(hid_read(dev, nullptr, 33), -1);
    QCOMPARE(vmouse::commands().size(), size_t(0));
    uint8_t small[3] = {0, 0xee, 0xee};
    QCOMPARE(hid_get_feature_report(dev, small, 3), 3);
    QCOMPARE(Bytes(small, small + 3), (Bytes{0, 0, 0}));
    QVERIFY(hid_error(nullptr) != nullptr);
    hid_close(dev);
    QCOMPARE(vmouse::trace()[1], "send_feature 00 01 02 00 00 00 00 fc !fail");
  }

  void traceFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("trace.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("earlier\n");
    file.close();
    qputenv("VMOUSE_TRACE", path.toLocal8Bit());
    vmouse::configure({});
    hid_close(openInterface(0));
    qunsetenv("VMOUSE_TRACE");
    vmouse::configure({});
    hid_close(openInterface(0));

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier\nopen 76 6d 6f 75 73 65 3a 30\nclose\n"));
  }
};

QTEST_GUILESS_MAIN(TestVmouse)
#include "tst_vmouse.moc"
