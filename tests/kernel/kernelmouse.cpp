#include "kernelmouse.h"

#include <cctype>
#include <cstdio>

namespace kernelbed {
namespace {

std::string hex(const Bytes &bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    out += i ? " " : "";
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

std::string hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xffff);
  return text;
}

// A vendor collection with `inputs` input bytes, and when `commands` is set
// output and 8-byte feature reports, each without a report ID.
Bytes descriptor(uint16_t page, uint16_t usage, int inputs, bool commands) {
  const auto lo = [](unsigned v) { return uint8_t(v & 0xff); };
  const auto hi = [](unsigned v) { return uint8_t(v >> 8); };
  Bytes d = {0x06, lo(page), hi(page), 0x0a, lo(usage), hi(usage), 0xa1, 0x01,
             0x15, 0x00,     0x26,     0xff, 0x00,      0x75,      0x08};
  const auto main = [&](int count, uint8_t item) {
    d.insert(d.end(), {0x95, uint8_t(count), 0x09, 0x01, item, 0x02});
  };
  main(inputs, 0x81);
  if (commands) {
    main(inputs, 0x91);
    main(8, 0xb1);
  }
  d.push_back(0xc0);
  return d;
}

} // namespace

KernelMouse::KernelMouse(UMockdevTestbed *bed, const vmouse::Config &c)
    : testbed(bed), config(c), firmware(c.family, c.reportLength) {
  for (size_t i = 0; i < 6 && i < c.sCode.size(); ++i)
    code[i + 1] = uint8_t(c.sCode[i]);
  scheduler = std::thread([this] { runScheduler(); });
}

KernelMouse::~KernelMouse() {
  {
    std::lock_guard lock(scheduleMutex);
    stopping = true;
  }
  scheduleChanged.notify_all();
  scheduler.join();
  commandNode.reset();
  eventNode.reset();
  retired.clear();
}

void KernelMouse::plug() {
  {
    std::lock_guard lock(mutex);
    ++generation;
    firmware = vmouse::Device(config.family, config.reportLength);
    firmware.setReplyDelayUs(replyDelay.count());
  }
  build();
}

void KernelMouse::build() {
  const std::string vid = hex4(config.vid), pid = hex4(config.pid);
  std::string lvid = vid, lpid = pid;
  for (auto *s : {&lvid, &lpid})
    for (char &ch : *s)
      ch = char(std::tolower(ch));
  gchar *usb = umockdev_testbed_add_device(
      testbed, "usb", "usb1/1-1", nullptr, "idVendor", lvid.c_str(), "idProduct", lpid.c_str(),
      "manufacturer", "Norvane", "product", "Norvane N1 Gaming Mouse", "bcdDevice", "0100", nullptr,
      "DEVTYPE", "usb_device", "PRODUCT", (lvid + "/" + lpid + "/100").c_str(), nullptr);
  devices = {usb};
  // Node numbers no host is likely to have: an emulated path that is gone
  // falls through to the host's /dev.
  const int base = 40 + 2 * (generation - 1);
  for (int i = 0; i < 2; ++i) {
    const bool command = i == 0;
    const std::string ifName = "1-1:1." + std::to_string(i);
    gchar *intf = umockdev_testbed_add_device(
        testbed, "usb", ifName.c_str(), usb, "bInterfaceNumber", i ? "01" : "00", "bInterfaceClass",
        "03", nullptr, "DEVTYPE", "usb_interface", nullptr);
    char hidName[32];
    std::snprintf(hidName, sizeof hidName, "0003:%s:%s.%04X", vid.c_str(), pid.c_str(),
                  unsigned(2 * generation + i - 1));
    const std::string hidId = "0003:0000" + vid + ":0000" + pid;
    gchar *hid = umockdev_testbed_add_device(
        testbed, "hid", hidName, intf, nullptr, "HID_ID", hidId.c_str(), "HID_NAME",
        "Norvane N1 Gaming Mouse", "HID_PHYS",
        ("usb-0000:00:14.0-1/input" + std::to_string(i)).c_str(), "HID_UNIQ", "", nullptr);
    const Bytes desc = command
                           ? descriptor(config.usagePage, config.usage, config.reportLength, true)
                           : descriptor(config.usagePage2, config.usage2, 4, false);
    umockdev_testbed_set_attribute_binary(testbed, hid, "report_descriptor",
                                          const_cast<uint8_t *>(desc.data()), int(desc.size()));
    const int minor = base + i;
    const std::string devnode = "/dev/hidraw" + std::to_string(minor);
    NodeDevice dev;
    if (command) {
      dev.setFeature = [this](const Bytes &r) { setFeature(r); };
      dev.getFeature = [this](size_t n) { return getFeature(n); };
      dev.output = [this](const Bytes &r) { output(r); };
    }
    auto node = std::make_unique<HidrawNode>(
        testbed, NodeInfo{devnode, desc, config.vid, config.pid}, std::move(dev));
    const std::string majmin = "241:" + std::to_string(minor);
    gchar *raw = umockdev_testbed_add_device(
        testbed, "hidraw", ("hidraw/hidraw" + std::to_string(minor)).c_str(), hid, "dev",
        majmin.c_str(), nullptr, "DEVNAME", devnode.c_str(), "MAJOR", "241", "MINOR",
        std::to_string(minor).c_str(), nullptr);
    umockdev_testbed_set_attribute_link(testbed, raw, "device", "../..");
    node->setAccessible(accessible);
    (command ? commandNode : eventNode) = std::move(node);
    devices.insert(devices.end(), {intf, hid, raw});
    g_free(intf);
    g_free(hid);
    g_free(raw);
  }
  g_free(usb);
  // The udev rules have run: tell the listeners.
  for (const std::string &path : devices)
    umockdev_testbed_uevent(testbed, path.c_str(), "add");
}

void KernelMouse::unplug() {
  std::unique_ptr<HidrawNode> gone[2];
  {
    std::lock_guard lock(mutex);
    droppedBefore[0] += commandNode ? commandNode->dropped() : 0;
    droppedBefore[1] += eventNode ? eventNode->dropped() : 0;
    readBefore[0] += commandNode ? commandNode->reportsRead() : 0;
    readBefore[1] += eventNode ? eventNode->reportsRead() : 0;
    ++generation;
    gone[0] = std::move(commandNode);
    gone[1] = std::move(eventNode);
  }
  // Files opened before the removal still reach the nodes: they stay, hung up.
  for (auto &node : gone)
    if (node) {
      node->hangUp();
      retired.push_back(std::move(node));
    }
  // Children go before their parents.
  for (auto it = devices.rbegin(); it != devices.rend(); ++it) {
    umockdev_testbed_uevent(testbed, it->c_str(), "remove");
    umockdev_testbed_remove_device(testbed, it->c_str());
  }
  devices.clear();
}

void KernelMouse::setAccessible(bool allowed, bool announce) {
  accessible = allowed;
  for (auto *node : {commandNode.get(), eventNode.get()})
    if (node)
      node->setAccessible(allowed);
  if (announce)
    for (const std::string &path : devices)
      if (path.find("/hidraw/") != std::string::npos)
        umockdev_testbed_uevent(testbed, path.c_str(), "change");
}

void KernelMouse::setReplyDelay(std::chrono::microseconds delay) {
  std::lock_guard lock(mutex);
  replyDelay = delay;
  firmware.setReplyDelayUs(delay.count());
}

void KernelMouse::failNextFeature() {
  std::lock_guard lock(mutex);
  if (commandNode)
    commandNode->failNextFeature();
}

std::vector<std::string> KernelMouse::nodes() const {
  std::lock_guard lock(mutex);
  std::vector<std::string> out;
  for (auto *node : {commandNode.get(), eventNode.get()})
    if (node)
      out.push_back(node->info().devnode);
  return out;
}

void KernelMouse::setFeature(const Bytes &report) {
  std::lock_guard lock(mutex);
  traceLines.push_back("send_feature " + hex(report));
  if (report.size() < 9)
    return;
  vmouse::Block block;
  std::copy_n(report.begin() + 1, 8, block.begin());
  if (config.isEncode)
    vmouse::unscramble(block.data(), code);
  lastChecksumOk = block[7] == vmouse::checksum(block);
  if (!lastChecksumOk)
    return; // the firmware ignores a damaged block
  firmware.onCommand(block);
  // What the command answers with input reports, the mouse sends after its
  // reply delay, whether or not anyone has the node open then.
  const auto delay = std::chrono::microseconds(firmware.replyDelayUs());
  const int sentIn = generation;
  while (auto input = firmware.takeInput()) {
    ++sent.commandSent;
    schedule(delay, [this, sentIn, r = std::move(*input)] {
      std::lock_guard lock(mutex);
      if (sentIn == generation && commandNode)
        commandNode->deliver(r);
    });
  }
}

Bytes KernelMouse::getFeature(size_t length) {
  std::lock_guard lock(mutex);
  vmouse::Block reply = firmware.reply();
  if (config.isEncode)
    vmouse::scramble(reply.data(), code);
  Bytes out(reply.size() + 1, 0); // report ID 0, then the block
  std::copy(reply.begin(), reply.end(), out.begin() + 1);
  out.resize(std::min(out.size(), length));
  return out;
}

void KernelMouse::output(const Bytes &report) {
  std::lock_guard lock(mutex);
  traceLines.push_back("write " + hex(report));
  if (lastChecksumOk && report.size() > 1)
    firmware.onData(report.data() + 1, report.size() - 1);
}

void KernelMouse::pressDpiButton(int stage, std::chrono::microseconds after) {
  {
    std::lock_guard lock(mutex);
    ++sent.eventSent;
  }
  const Bytes report = {0x06, 0x07, 0x00, uint8_t(stage)};
  schedule(after, [this, report] {
    std::lock_guard lock(mutex);
    if (eventNode)
      eventNode->deliver(report);
  });
}

std::vector<std::string> KernelMouse::trace() const {
  std::lock_guard lock(mutex);
  return traceLines;
}

KernelMouse::Counts KernelMouse::counts() const {
  std::lock_guard lock(mutex);
  Counts c = sent;
  c.commandDropped = droppedBefore[0] + (commandNode ? commandNode->dropped() : 0);
  c.eventDropped = droppedBefore[1] + (eventNode ? eventNode->dropped() : 0);
  c.commandRead = readBefore[0] + (commandNode ? commandNode->reportsRead() : 0);
  c.eventRead = readBefore[1] + (eventNode ? eventNode->reportsRead() : 0);
  return c;
}

vmouse::DeviceState KernelMouse::settings() const {
  std::lock_guard lock(mutex);
  return firmware.settings();
}

void KernelMouse::setSettings(const vmouse::DeviceState &state) {
  std::lock_guard lock(mutex);
  firmware.setSettings(state);
}

int KernelMouse::openFiles() const {
  std::lock_guard lock(mutex);
  return (commandNode ? commandNode->openFiles() : 0) + (eventNode ? eventNode->openFiles() : 0);
}

void KernelMouse::schedule(std::chrono::microseconds after, std::function<void()> task) {
  {
    std::lock_guard lock(scheduleMutex);
    tasks.emplace(std::chrono::steady_clock::now() + after, std::move(task));
  }
  scheduleChanged.notify_all();
}

void KernelMouse::runScheduler() {
  std::unique_lock lock(scheduleMutex);
  while (!stopping) {
    if (tasks.empty()) {
      scheduleChanged.wait(lock);
      continue;
    }
    const auto due = tasks.begin()->first;
    if (scheduleChanged.wait_until(lock, due) == std::cv_status::no_timeout &&
        std::chrono::steady_clock::now() < due)
      continue;
    auto task = std::move(tasks.begin()->second);
    tasks.erase(tasks.begin());
    lock.unlock();
    task();
    lock.lock();
  }
}

} // namespace kernelbed
