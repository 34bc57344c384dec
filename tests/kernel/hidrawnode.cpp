#include "hidrawnode.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace kernelbed {
namespace {

constexpr size_t queueLimit = 64; // HIDRAW_BUFFER_SIZE
constexpr uint32_t busUsb = 3;
// Opening this for writing fails with EACCES even for root, who passes
// every mode check on an ordinary file.
constexpr const char *deniedTarget = "/proc/sys/kernel/osrelease";

void copyInto(UMockdevIoctlData *data, const Bytes &bytes) {
  const size_t n = std::min(bytes.size(), size_t(data->data_len));
  std::memcpy(data->data, bytes.data(), n);
}

} // namespace

struct HidrawNode::File {
  UMockdevIoctlClient *client;
  std::deque<Bytes> queue;
  bool waiting = false; // a blocking read waits for the next report
  bool failedOpen = false;
};

HidrawNode::HidrawNode(UMockdevTestbed *bed, NodeInfo info, NodeDevice dev)
    : nodeInfo(std::move(info)), device(std::move(dev)), testbed(bed) {
  char *root = umockdev_testbed_get_root_dir(testbed);
  nodePath = std::string(root) + nodeInfo.devnode;
  g_free(root);
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) < 0) {
    std::perror("openpty");
    std::abort();
  }
  ptyName = name;
  // The programs under test must not inherit the pty: a copy of its master
  // side would keep their files from hanging up on unplug.
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave, F_SETFD, FD_CLOEXEC);
  termios raw{};
  tcgetattr(master, &raw);
  cfmakeraw(&raw);
  tcsetattr(master, TCSANOW, &raw);

  handler = umockdev_ioctl_base_new();
  g_signal_connect(handler, "handle-ioctl", G_CALLBACK(onIoctl), this);
  g_signal_connect(handler, "handle-read", G_CALLBACK(onRead), this);
  g_signal_connect(handler, "handle-write", G_CALLBACK(onWrite), this);
  g_signal_connect(handler, "client-connected", G_CALLBACK(onConnected), this);
  GError *error = nullptr;
  if (!umockdev_testbed_attach_ioctl(testbed, nodeInfo.devnode.c_str(), handler, &error)) {
    std::fprintf(stderr, "attach_ioctl %s: %s\n", nodeInfo.devnode.c_str(), error->message);
    std::abort();
  }
}

HidrawNode::~HidrawNode() {
  hangUp();
  // The handler keeps serving files that are still open; it lives on with
  // the testbed, and its signals must no longer reach this node.
  g_signal_handlers_disconnect_by_data(handler, this);
  std::lock_guard lock(mutex);
  for (auto &[client, file] : files)
    g_object_unref(client);
}

void HidrawNode::pointNodeAt(const std::string &target) {
  // umockdev made the node a link to a pty of its own; ours replaces it.
  const std::string temp = nodePath + ".new";
  ::unlink(temp.c_str());
  if (::symlink(target.c_str(), temp.c_str()) != 0 || ::rename(temp.c_str(), nodePath.c_str()) != 0)
    std::perror("node link");
}

void HidrawNode::setAccessible(bool allowed) {
  std::lock_guard lock(mutex);
  accessible = allowed;
  if (!gone)
    pointNodeAt(allowed ? ptyName : deniedTarget);
}

void HidrawNode::onConnected(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self) {
  auto *node = static_cast<HidrawNode *>(self);
  {
    std::lock_guard lock(node->mutex);
    auto file = std::make_unique<File>();
    file->client = client;
    // umockdev also connects for an open that failed; such a file never
    // receives anything.
    file->failedOpen = !node->accessible || node->gone;
    node->files[client] = std::move(file);
  }
  g_object_ref(client);
}

void HidrawNode::forgetClosedFiles() const {
  // umockdev notices a closed file when its connection ends, and tells no
  // one: look. Closing a file drops what it had not read.
  for (auto it = files.begin(); it != files.end();) {
    if (umockdev_ioctl_client_get_connected(it->first)) {
      ++it;
      continue;
    }
    g_object_unref(it->first);
    it = files.erase(it);
  }
}

gboolean HidrawNode::onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self) {
  return static_cast<HidrawNode *>(self)->ioctl(client);
}
gboolean HidrawNode::onRead(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self) {
  return static_cast<HidrawNode *>(self)->read(client);
}
gboolean HidrawNode::onWrite(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer self) {
  return static_cast<HidrawNode *>(self)->write(client);
}

bool HidrawNode::ioctl(UMockdevIoctlClient *client) {
  {
    std::lock_guard lock(mutex);
    if (gone) {
      umockdev_ioctl_client_complete(client, -1, ENODEV);
      return true;
    }
  }
  const gulong request = umockdev_ioctl_client_get_request(client);
  UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
  const size_t size = _IOC_SIZE(request);
  GError *error = nullptr;
  UMockdevIoctlData *buffer = size ? umockdev_ioctl_data_resolve(arg, 0, size, &error) : nullptr;
  if (size && !buffer) {
    g_clear_error(&error);
    umockdev_ioctl_client_complete(client, -1, EFAULT);
    return true;
  }
  long result = -1;
  int err = 0;
  if (request == HIDIOCGRDESCSIZE) {
    const int descSize = int(nodeInfo.descriptor.size());
    std::memcpy(buffer->data, &descSize, sizeof descSize);
    result = 0;
  } else if (request == HIDIOCGRDESC) {
    hidraw_report_descriptor desc{};
    std::memcpy(&desc, buffer->data, sizeof desc.size);
    if (desc.size > HID_MAX_DESCRIPTOR_SIZE) {
      err = EINVAL;
    } else {
      const size_t n = std::min<size_t>(desc.size, nodeInfo.descriptor.size());
      std::memcpy(buffer->data + sizeof desc.size, nodeInfo.descriptor.data(), n);
      result = 0;
    }
  } else if (request == HIDIOCGRAWINFO) {
    hidraw_devinfo info{busUsb, int16_t(nodeInfo.vid), int16_t(nodeInfo.pid)};
    std::memcpy(buffer->data, &info, sizeof info);
    result = 0;
  } else if (_IOC_TYPE(request) == 'H' && _IOC_NR(request) == _IOC_NR(HIDIOCSFEATURE(0))) {
    if (takeFeatureFault()) {
      err = EPIPE;
    } else if (device.setFeature) {
      device.setFeature(Bytes(buffer->data, buffer->data + size));
      result = long(size);
    } else {
      err = EPIPE;
    }
  } else if (_IOC_TYPE(request) == 'H' && _IOC_NR(request) == _IOC_NR(HIDIOCGFEATURE(0))) {
    if (device.getFeature) {
      Bytes report = device.getFeature(size);
      report.resize(std::min(report.size(), size));
      copyInto(buffer, report);
      result = long(report.size());
    } else {
      err = EPIPE;
    }
  } else {
    err = ENOTTY;
  }
  umockdev_ioctl_client_complete(client, result, err);
  return true;
}

bool HidrawNode::write(UMockdevIoctlClient *client) {
  UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
  {
    std::lock_guard lock(mutex);
    if (gone) {
      umockdev_ioctl_client_complete(client, -1, ENODEV);
      return true;
    }
  }
  if (!device.output || arg->data_len < 1) {
    umockdev_ioctl_client_complete(client, -1, device.output ? EINVAL : EPIPE);
    return true;
  }
  device.output(Bytes(arg->data, arg->data + arg->data_len));
  umockdev_ioctl_client_complete(client, arg->data_len, 0);
  return true;
}

bool HidrawNode::read(UMockdevIoctlClient *client) {
  std::lock_guard lock(mutex);
  // Whether poll() saw the node ready before this read.
  const bool polledReady = marked;
  forgetClosedFiles();
  updateReadiness();
  auto it = files.find(client);
  if (gone || it == files.end()) {
    umockdev_ioctl_client_complete(client, -1, EIO);
    return true;
  }
  File &file = *it->second;
  if (file.queue.empty()) {
    // Readiness is one per node, not per file: a reader that polled ready
    // for another file's report, or for one a closed file took with it,
    // finds nothing, as a non-blocking read would. A blocking read that
    // did not poll waits for the next report, as hidraw's does.
    if (polledReady) {
      umockdev_ioctl_client_complete(client, -1, EAGAIN);
      return true;
    }
    file.waiting = true;
    return true;
  }
  UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
  const Bytes report = std::move(file.queue.front());
  file.queue.pop_front();
  ++readReports;
  copyInto(arg, report);
  umockdev_ioctl_client_complete(client, long(std::min(report.size(), size_t(arg->data_len))), 0);
  updateReadiness();
  return true;
}

void HidrawNode::deliver(const Bytes &report) {
  std::lock_guard lock(mutex);
  if (gone)
    return;
  forgetClosedFiles();
  bool reached = false;
  for (auto &[client, file] : files) {
    if (file->failedOpen)
      continue;
    if (file->waiting) {
      file->waiting = false;
      ++readReports;
      UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
      copyInto(arg, report);
      umockdev_ioctl_client_complete(client, long(std::min(report.size(), size_t(arg->data_len))),
                                     0);
      reached = true;
    } else if (file->queue.size() < queueLimit) {
      file->queue.push_back(report);
      reached = true;
    }
  }
  if (!reached)
    ++droppedReports;
  updateReadiness();
}

void HidrawNode::hangUp() {
  std::lock_guard lock(mutex);
  if (gone)
    return;
  // The node goes first, as the kernel refuses opens from the moment of the
  // removal; then every open file hangs up.
  ::unlink(nodePath.c_str());
  gone = true;
  for (auto &[client, file] : files) {
    if (file->waiting) {
      file->waiting = false;
      umockdev_ioctl_client_complete(client, -1, EIO);
    }
    file->queue.clear();
  }
  // Closing the pty's master side hangs up every open file (POLLHUP).
  ::close(slave);
  ::close(master);
  slave = master = -1;
  marked = false;
}

void HidrawNode::updateReadiness() {
  if (gone)
    return;
  const bool pending = std::any_of(files.begin(), files.end(),
                                   [](const auto &f) { return !f.second->queue.empty(); });
  if (pending && !marked) {
    const char byte = 'r';
    if (::write(master, &byte, 1) == 1)
      marked = true;
  } else if (!pending && marked) {
    tcflush(slave, TCIFLUSH);
    marked = false;
  }
}

int HidrawNode::openFiles() const {
  std::lock_guard lock(mutex);
  forgetClosedFiles();
  return int(std::count_if(files.begin(), files.end(),
                           [](const auto &f) { return !f.second->failedOpen; }));
}

int HidrawNode::dropped() const {
  std::lock_guard lock(mutex);
  return droppedReports;
}

} // namespace kernelbed

namespace kernelbed {

int HidrawNode::reportsRead() const {
  std::lock_guard lock(mutex);
  return readReports;
}

} // namespace kernelbed

namespace kernelbed {

void HidrawNode::failNextFeature() {
  std::lock_guard lock(mutex);
  failFeature = true;
}

bool HidrawNode::takeFeatureFault() {
  std::lock_guard lock(mutex);
  return std::exchange(failFeature, false);
}

} // namespace kernelbed
