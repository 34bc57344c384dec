// One emulated /dev/hidrawN with the semantics of the kernel's hidraw
// driver: every open file has its own queue of input reports (64 at most),
// a report reaches only the files open when it arrives, a report nobody has
// open is dropped, and an unplugged node hangs up. umockdev forwards the
// file's ioctls, reads and writes here; poll() it does not forward, so the
// node is a pty whose readiness the node keeps in step with its queues.
#pragma once

#include <umockdev.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kernelbed {

using Bytes = std::vector<uint8_t>;

struct NodeInfo {
  std::string devnode; // "/dev/hidraw0"
  Bytes descriptor;    // report descriptor
  uint16_t vid = 0;
  uint16_t pid = 0;
};

// What the device does with the requests that reach it. Empty means the
// interface has no such report: the request stalls (EPIPE).
struct NodeDevice {
  std::function<void(const Bytes &)> setFeature;  // report ID first
  std::function<Bytes(size_t length)> getFeature; // report ID first
  std::function<void(const Bytes &)> output;      // report ID first
};

class HidrawNode {
public:
  HidrawNode(UMockdevTestbed *testbed, NodeInfo info, NodeDevice device);
  ~HidrawNode();
  HidrawNode(const HidrawNode &) = delete;
  HidrawNode &operator=(const HidrawNode &) = delete;

  // An input report from the device.
  void deliver(const Bytes &report);
  // The device is gone: open files get ENODEV and POLLHUP, new opens fail.
  void hangUp();
  // Opens fail with EACCES while denied, as with a missing access rule.
  void setAccessible(bool accessible);

  // The next feature report fails as a stalled request does (EPIPE).
  void failNextFeature();

  int openFiles() const;
  // Reports that reached no open file, or a full queue.
  int dropped() const;
  // Reports that open files read.
  int reportsRead() const;

  const NodeInfo &info() const { return nodeInfo; }

private:
  struct File;
  static gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self);
  static gboolean onRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self);
  static gboolean onWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self);
  static void onConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self);

  bool ioctl(UMockdevIoctlClient *client);
  bool read(UMockdevIoctlClient *client);
  bool write(UMockdevIoctlClient *client);
  void pointNodeAt(const std::string &target);
  bool takeFeatureFault();
  void forgetClosedFiles() const;
  // Keeps the pty readable exactly while some open file has a report.
  void updateReadiness();

  NodeInfo nodeInfo;
  NodeDevice device;
  UMockdevTestbed *testbed;
  UMockdevIoctlBase *handler = nullptr;
  std::string nodePath; // the node inside the testbed
  std::string ptyName;
  int master = -1;
  int slave = -1; // held to flush the readiness byte
  mutable std::mutex mutex;
  mutable std::map<UMockdevIoctlClient *, std::unique_ptr<File>> files;
  bool gone = false;
  bool accessible = true;
  bool marked = false;
  bool failFeature = false;
  int droppedReports = 0;
  int readReports = 0;
};

} // namespace kernelbed
