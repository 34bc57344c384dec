// The mouse as the kernel shows it under umockdev: the USB device, its two
// interfaces, one hid device and one hidraw node each, with the virtual
// mouse's firmware model behind the nodes. The firmware answers a data read
// after its reply delay, as input reports on the command interface.
#pragma once

#include "hidrawnode.h"

#include "device.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

namespace kernelbed {

class KernelMouse {
public:
  KernelMouse(UMockdevTestbed *testbed, const vmouse::Config &config);
  ~KernelMouse();

  void plug();
  void unplug();
  // Access to both nodes; a change event follows when `announce` is set.
  void setAccessible(bool accessible, bool announce);

  // A DPI-button report on the event interface, `after` from now.
  void pressDpiButton(int stage, std::chrono::microseconds after = {});
  void setReplyDelay(std::chrono::microseconds delay);
  // The next command's feature report fails on the wire.
  void failNextFeature();
  // The nodes as the kernel names them now: command, then event.
  std::vector<std::string> nodes() const;

  // Every HID request that reached the mouse: "<op> <hex>" with the ops
  // send_feature and write, the bytes as sent (report ID first).
  std::vector<std::string> trace() const;
  // Input reports the mouse sent on each interface, how many of them
  // reached no open file, and how many the program read.
  struct Counts {
    int commandSent = 0, commandDropped = 0, commandRead = 0;
    int eventSent = 0, eventDropped = 0, eventRead = 0;
  };
  Counts counts() const;
  vmouse::DeviceState settings() const;
  // What the mouse holds, as if it had been set so earlier.
  void setSettings(const vmouse::DeviceState &state);
  int openFiles() const;

private:
  void build();
  void setFeature(const Bytes &report);
  Bytes getFeature(size_t length);
  void output(const Bytes &report);
  void schedule(std::chrono::microseconds after, std::function<void()> task);
  void runScheduler();

  UMockdevTestbed *testbed;
  vmouse::Config config;
  uint8_t code[8] = {};
  mutable std::mutex mutex; // firmware, trace, counts
  vmouse::Device firmware;
  std::vector<std::string> traceLines;
  Counts sent;
  int generation = 0; // one per plug: a late answer never reaches a new plug
  int droppedBefore[2] = {}, readBefore[2] = {};
  std::vector<std::string> devices; // sysfs paths, parents first
  std::unique_ptr<HidrawNode> commandNode, eventNode;
  std::vector<std::unique_ptr<HidrawNode>> retired;
  bool accessible = true;
  bool lastChecksumOk = false;
  std::chrono::microseconds replyDelay{0};

  std::mutex scheduleMutex;
  std::condition_variable scheduleChanged;
  std::multimap<std::chrono::steady_clock::time_point, std::function<void()>> tasks;
  bool stopping = false;
  std::thread scheduler;
};

} // namespace kernelbed
