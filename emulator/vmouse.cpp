// The virtual mouse behind the hidapi C functions: enumeration, handles, the
// command interface's feature/output/input reports and the event interface.
// The firmware is in device.cpp and the firmware*.cpp files.
#include "vmouse.h"

#include "device.h"

#include <hidapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>

// A handle remembers which interface it opened and in which device life, so
// that handles from before an unplug or a reconfiguration stay dead.
struct hid_device_ {
  size_t iface = 0;
  unsigned generation = 0;
  unsigned session = 0;
  bool nonblocking = false;
  // Input reports sent to this open file and not yet read, as the kernel
  // keeps one queue per open file of a hidraw node.
  std::deque<std::vector<uint8_t>> queue;
};

namespace vmouse {
namespace {

std::string hex(const uint8_t *data, size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    out += i ? " " : "";
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
  }
  return out;
}

std::string hex(const std::string &text) {
  return hex(reinterpret_cast<const uint8_t *>(text.data()), text.size());
}

std::string pathOf(size_t iface) { return "vmouse:" + std::to_string(iface); }

struct State {
  std::mutex mutex;
  std::condition_variable eventArrived;
  Config config;
  std::vector<Interface> interfaces;
  uint8_t code[8] = {};
  bool isPlugged = true;
  unsigned generation = 0; // one per configure()
  unsigned session = 0;    // one per plugged period
  std::set<hid_device *> handles;
  std::map<Fault, int> faults;
  std::map<Fault, int> passesBefore; // calls of the kind a pending fault lets through
  int unplugCountdown = -1;          // device calls before a removal; -1: none
  std::vector<std::string> traceLines;
  std::FILE *traceFile = nullptr;
  std::vector<Command> log;
  // Button reports waiting in the device for a reader (queueEvent).
  std::deque<std::vector<uint8_t>> heldEvents;
  // Reports the device sends at a later call on the interface of `role`.
  struct Scheduled {
    Role role;
    int calls;
    std::vector<uint8_t> report;
  };
  std::vector<Scheduled> outbox;
  int replyDelay = 0;
  Device device;
  std::function<void()> listener;
  const wchar_t *lastError = L"Success";

  State() { reset(Config{}); }

  void reset(const Config &c) {
    config = c;
    interfaces = {{c.usagePage, c.usage, Role::Command}, {c.usagePage2, c.usage2, Role::Event}};
    std::fill(std::begin(code), std::end(code), 0);
    for (size_t i = 0; i < 6 && i < c.sCode.size(); ++i)
      code[i + 1] = static_cast<uint8_t>(c.sCode[i]);
    isPlugged = true;
    ++generation;
    ++session;
    faults.clear();
    passesBefore.clear();
    unplugCountdown = -1;
    traceLines.clear();
    log.clear();
    heldEvents.clear();
    outbox.clear();
    replyDelay = 0;
    device = Device(c.family, c.reportLength);
    lastError = L"Success";
    // Re-read on every reset so a test can point the trace at its own file.
    if (traceFile)
      std::fclose(traceFile);
    const char *file = std::getenv("VMOUSE_TRACE");
    traceFile = file && *file ? std::fopen(file, "a") : nullptr;
    eventArrived.notify_all();
  }

  void trace(const std::string &op, const std::string &bytes = {}, bool failed = false) {
    std::string line = op;
    if (!bytes.empty())
      line += " " + bytes;
    if (failed)
      line += " !fail";
    traceLines.push_back(line);
    if (traceFile) {
      std::fprintf(traceFile, "%s\n", line.c_str());
      std::fflush(traceFile);
    }
  }

  // Consumes one pending injected failure of this kind.
  bool take(Fault fault) {
    auto it = faults.find(fault);
    if (it == faults.end() || it->second == 0)
      return false;
    if (int &passes = passesBefore[fault]; passes > 0) {
      --passes;
      return false;
    }
    --it->second;
    return true;
  }

  // Every device call comes here first, so a removal can fall between any
  // two of them.
  void deviceCall() {
    if (unplugCountdown < 0 || unplugCountdown-- > 0)
      return;
    isPlugged = false;
    ++session;
    eventArrived.notify_all();
  }

  bool matches(unsigned short vid, unsigned short pid) const {
    return (vid == 0 || vid == config.vid) && (pid == 0 || pid == config.pid);
  }

  // The interface's role when the handle may talk to the device now.
  std::optional<Role> live(hid_device *dev) const {
    if (!isPlugged || !handles.count(dev) || dev->generation != generation ||
        dev->session != session)
      return std::nullopt;
    return interfaces[dev->iface].role;
  }

  // hidraw's ring of 64 slots per open file keeps 63 reports; when it is
  // full the new report is dropped for that file.
  static constexpr size_t queueCapacity = 63;

  void enqueue(hid_device *dev, std::vector<uint8_t> report) {
    if (dev->queue.size() < queueCapacity)
      dev->queue.push_back(std::move(report));
  }

  // The device sends a report on the interface of `role`: every file open on
  // it at this moment gets a copy; with none open it is lost. True when at
  // least one file got it.
  bool deliver(Role role, const std::vector<uint8_t> &report) {
    bool taken = false;
    for (hid_device *dev : handles)
      if (live(dev) == role) {
        enqueue(dev, report);
        taken = true;
      }
    eventArrived.notify_all();
    return taken;
  }

  // A hidapi call on an interface of `role` begins: reports due now go out.
  void tick(Role role) {
    std::vector<std::vector<uint8_t>> due;
    for (auto it = outbox.begin(); it != outbox.end();) {
      if (it->role == role && --it->calls <= 0) {
        due.push_back(std::move(it->report));
        it = outbox.erase(it);
      } else {
        ++it;
      }
    }
    for (const auto &report : due)
      deliver(role, report);
  }

  bool sending(Role role) const {
    return std::any_of(outbox.begin(), outbox.end(),
                       [role](const Scheduled &s) { return s.role == role; });
  }

  void schedule(Role role, std::vector<uint8_t> report, int calls) {
    if (calls <= 0)
      deliver(role, report);
    else
      outbox.push_back({role, calls, std::move(report)});
  }

  // The data reports the firmware answered a command with go out after the
  // reply delay; whatever the device had not yet sent is dropped.
  void sendAnswers() {
    std::erase_if(outbox, [](const Scheduled &s) { return s.role == Role::Command; });
    while (auto report = device.takeAnswer())
      schedule(Role::Command, std::move(*report), replyDelay);
  }

  // The role of a handle that is still in the table, for call accounting.
  std::optional<Role> roleOf(hid_device *dev) const {
    if (!handles.count(dev) || dev->generation != generation)
      return std::nullopt;
    return interfaces[dev->iface].role;
  }
  void tickFor(hid_device *dev) {
    if (auto role = roleOf(dev))
      tick(*role);
  }

  hid_device *open(const std::string &path) {
    deviceCall();
    size_t iface = interfaces.size();
    for (size_t i = 0; i < interfaces.size(); ++i)
      if (pathOf(i) == path)
        iface = i;
    if (iface < interfaces.size())
      tick(interfaces[iface].role);
    const wchar_t *why = nullptr;
    if (!isPlugged)
      why = L"vmouse: device unplugged";
    else if (iface == interfaces.size())
      why = L"vmouse: no such path";
    else if (take(Fault::Open))
      why = L"vmouse: injected open failure";
    if (why) {
      trace("open", hex(path), true);
      lastError = why;
      return nullptr;
    }
    auto *dev = new hid_device{iface, generation, session, false, {}};
    handles.insert(dev);
    if (interfaces[iface].role == Role::Event)
      while (!heldEvents.empty()) {
        enqueue(dev, std::move(heldEvents.front()));
        heldEvents.pop_front();
      }
    trace("open", hex(path));
    return dev;
  }
};

// Never destroyed: the watch thread may still wait on the event interface while
// the program exits.
State &state() {
  static State *s = new State;
  return *s;
}

size_t copyOut(const std::vector<uint8_t> &report, unsigned char *data, size_t length) {
  const size_t n = std::min(length, report.size());
  std::copy_n(report.begin(), n, data);
  return n;
}

int readCommand(State &s, hid_device *dev, unsigned char *data, size_t length, int ms) {
  if (s.take(Fault::Read)) {
    s.lastError = L"vmouse: injected read failure";
    s.trace("read", {}, true);
    return -1;
  }
  if (s.take(Fault::StallRead)) {
    s.trace("read");
    return 0;
  }
  std::optional<std::vector<uint8_t>> report = s.device.takeInjected();
  // A read waits while the device is still to send: its time moves on.
  while (!report && dev->queue.empty() && s.sending(Role::Command))
    s.tick(Role::Command);
  if (!report && !dev->queue.empty()) {
    report = std::move(dev->queue.front());
    dev->queue.pop_front();
  }
  if (report) {
    const size_t n = copyOut(*report, data, length);
    s.trace("read", hex(data, n));
    return static_cast<int>(n);
  }
  // Nothing will ever arrive without a command: time out at once, and fail a
  // blocking read rather than hang the caller.
  if (ms < 0) {
    s.lastError = L"vmouse: blocking read with no input report queued";
    s.trace("read", {}, true);
    return -1;
  }
  s.trace("read");
  return 0;
}

// Waits in real time, because the report watch polls this interface in a
// loop and must not spin. Timeouts are not traced: they would interleave
// with the command trace at random.
int readEvent(State &s, std::unique_lock<std::mutex> &lock, hid_device *dev, Role role,
              unsigned char *data, size_t length, int ms) {
  auto ready = [&] { return !s.live(dev) || !dev->queue.empty(); };
  if (ms < 0)
    s.eventArrived.wait(lock, ready);
  else
    s.eventArrived.wait_for(lock, std::chrono::milliseconds(ms), ready);
  if (!s.live(dev)) {
    s.lastError = L"vmouse: device unplugged";
    if (s.handles.count(dev))
      s.trace("read", {}, true);
    return -1;
  }
  (void)role;
  if (dev->queue.empty())
    return 0;
  const size_t n = copyOut(dev->queue.front(), data, length);
  dev->queue.pop_front();
  s.trace("read", hex(data, n));
  return static_cast<int>(n);
}

// hidapi's process-wide error text, deliberately unguarded like the
// original's: overlapping callers race on it.
wchar_t *globalError = nullptr;
std::atomic<int> globalCallers{0};
std::atomic<int> globalOverlaps{0};
std::atomic<int> globalDwellMs{0};

struct GlobalCall {
  GlobalCall() {
    if (globalCallers.fetch_add(1) > 0)
      globalOverlaps.fetch_add(1);
    std::free(globalError);
    globalError = wcsdup(L"Success");
    if (const int ms = globalDwellMs.load())
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  ~GlobalCall() { globalCallers.fetch_sub(1); }
};

std::function<void()> setPlugged(bool plugged) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.isPlugged = plugged;
  if (!plugged)
    ++s.session;
  s.eventArrived.notify_all();
  return s.listener;
}

} // namespace

void configure(const Config &config) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.reset(config);
}

Config config() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return s.config;
}

void addInterface(const Interface &iface) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.interfaces.push_back(iface);
}

void plug() {
  if (auto listener = setPlugged(true))
    listener();
}

void unplug() {
  if (auto listener = setPlugged(false))
    listener();
}

bool plugged() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return s.isPlugged;
}

void setChangeListener(std::function<void()> listener) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.listener = std::move(listener);
}

std::vector<std::string> trace() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return s.traceLines;
}

void clearTrace() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.traceLines.clear();
}

void failNext(Fault fault) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  ++s.faults[fault];
}

void failAfter(Fault fault, int passes) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  ++s.faults[fault];
  s.passesBefore[fault] = passes;
}

void unplugAfter(int passes) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.unplugCountdown = passes;
}

void clearFaults() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.faults.clear();
  s.passesBefore.clear();
  s.unplugCountdown = -1;
}

void queueEvent(const std::vector<uint8_t> &report) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  if (!s.deliver(Role::Event, report))
    s.heldEvents.push_back(report);
}

void sendInputAfter(Role role, const std::vector<uint8_t> &report, int calls) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.schedule(role, report, calls);
}

void setReplyDelay(int calls) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.replyDelay = std::max(0, calls);
}

void queueInput(const std::vector<uint8_t> &report) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.device.queueInput(report);
}

DeviceState deviceState() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return s.device.settings();
}

void setDeviceState(const DeviceState &settings) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.device.setSettings(settings);
}

std::vector<Command> commands() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return s.log;
}

void clearCommands() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.log.clear();
}

int globalCallOverlaps() { return globalOverlaps.load(); }

void setGlobalCallDwell(int ms) { globalDwellMs.store(ms); }

int openHandles() {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return static_cast<int>(std::count_if(s.handles.begin(), s.handles.end(), [&](hid_device *dev) {
    return dev->generation == s.generation;
  }));
}

int openHandles(Role role) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return static_cast<int>(std::count_if(s.handles.begin(), s.handles.end(), [&](hid_device *dev) {
    return dev->generation == s.generation && s.interfaces[dev->iface].role == role;
  }));
}

} // namespace vmouse

using namespace vmouse;

extern "C" {

int hid_init(void) { return 0; }

int hid_exit(void) { return 0; }

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
  GlobalCall global;
  State &s = state();
  std::lock_guard lock(s.mutex);
  if (!s.isPlugged || !s.matches(vendor_id, product_id))
    return nullptr;
  hid_device_info *head = nullptr;
  hid_device_info **tail = &head;
  for (size_t i = 0; i < s.interfaces.size(); ++i) {
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    info->path = strdup(pathOf(i).c_str());
    info->vendor_id = s.config.vid;
    info->product_id = s.config.pid;
    // Real hidapi fills these, and callers may read them unchecked.
    info->serial_number = wcsdup(L"");
    info->manufacturer_string = wcsdup(L"Norvane");
    info->product_string = wcsdup(L"Norvane N1");
    info->release_number = 0x0100;
    info->usage_page = s.interfaces[i].usagePage;
    info->usage = s.interfaces[i].usage;
    info->interface_number = static_cast<int>(i);
    info->bus_type = HID_API_BUS_USB;
    *tail = info;
    tail = &info->next;
  }
  return head;
}

void hid_free_enumeration(struct hid_device_info *devs) {
  while (devs) {
    hid_device_info *next = devs->next;
    std::free(devs->path);
    std::free(devs->serial_number);
    std::free(devs->manufacturer_string);
    std::free(devs->product_string);
    std::free(devs);
    devs = next;
  }
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id,
                     const wchar_t *serial_number) {
  (void)serial_number;
  GlobalCall global;
  State &s = state();
  std::lock_guard lock(s.mutex);
  if (!s.isPlugged || !s.matches(vendor_id, product_id)) {
    s.trace("open", {}, true);
    s.lastError = L"vmouse: no matching device";
    return nullptr;
  }
  return s.open(pathOf(0));
}

hid_device *hid_open_path(const char *path) {
  GlobalCall global;
  State &s = state();
  std::lock_guard lock(s.mutex);
  return s.open(path ? path : "");
}

void hid_close(hid_device *dev) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  if (!s.handles.count(dev))
    return; // not ours: never free it
  s.tickFor(dev);
  // What the file had not read goes with it.
  s.handles.erase(dev);
  delete dev;
  s.trace("close");
  s.eventArrived.notify_all();
}

int hid_set_nonblocking(hid_device *dev, int nonblock) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  if (!s.live(dev))
    return -1;
  dev->nonblocking = nonblock != 0;
  return 0;
}

int hid_send_feature_report(hid_device *dev, const unsigned char *data, size_t length) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.deviceCall();
  s.tickFor(dev);
  const std::string bytes = data ? hex(data, length) : std::string();
  // A feature report is the report ID and one whole command block.
  if (s.live(dev) != Role::Command || !data || length < 9 || s.take(Fault::Feature)) {
    s.lastError = L"vmouse: feature report failed";
    s.trace("send_feature", bytes, true);
    return -1;
  }
  Block block;
  std::copy_n(data + 1, 8, block.begin());
  if (s.config.isEncode)
    unscramble(block.data(), s.code);
  const bool ok = block[7] == checksum(block);
  s.log.push_back({{block.begin(), block.end()}, ok, {}});
  // Firmware drops a block with a bad checksum without answering.
  if (ok) {
    s.device.onCommand(block);
    if (block[0] == 0x00 && s.take(Fault::WrongEcho))
      s.device.spoilEcho();
    s.sendAnswers();
  }
  s.trace("send_feature", bytes);
  return static_cast<int>(length);
}

int hid_get_feature_report(hid_device *dev, unsigned char *data, size_t length) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.deviceCall();
  s.tickFor(dev);
  if (s.live(dev) != Role::Command || !data || length < 1 || s.take(Fault::GetFeature)) {
    s.lastError = L"vmouse: get feature report failed";
    s.trace("get_feature", {}, true);
    return -1;
  }
  Block reply = s.device.reply();
  if (s.config.isEncode)
    scramble(reply.data(), s.code);
  const size_t n = std::min<size_t>(length - 1, 8);
  std::copy_n(reply.begin(), n, data + 1);
  s.trace("get_feature", hex(data, n + 1));
  return static_cast<int>(n + 1);
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  s.deviceCall();
  s.tickFor(dev);
  const std::string bytes = data ? hex(data, length) : std::string();
  if (s.live(dev) != Role::Command || !data || length < 1 || s.take(Fault::Write)) {
    s.lastError = L"vmouse: write failed";
    s.trace("write", bytes, true);
    return -1;
  }
  if (!s.log.empty()) {
    Command &last = s.log.back();
    last.data.insert(last.data.end(), data + 1, data + length);
    if (last.checksumOk)
      s.device.onData(data + 1, length - 1);
  }
  s.trace("write", bytes);
  return static_cast<int>(length);
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds) {
  State &s = state();
  std::unique_lock lock(s.mutex);
  s.deviceCall();
  s.tickFor(dev);
  const auto role = s.live(dev);
  if (!role || !data) {
    s.lastError = L"vmouse: read failed";
    if (s.handles.count(dev))
      s.trace("read", {}, true);
    return -1;
  }
  if (*role == Role::Command)
    return readCommand(s, dev, data, length, milliseconds);
  return readEvent(s, lock, dev, *role, data, length, milliseconds);
}

int hid_read(hid_device *dev, unsigned char *data, size_t length) {
  bool nonblocking = false;
  {
    State &s = state();
    std::lock_guard lock(s.mutex);
    nonblocking = s.handles.count(dev) && dev->nonblocking;
  }
  return hid_read_timeout(dev, data, length, nonblocking ? 0 : -1);
}

int hid_get_input_report(hid_device *, unsigned char *, size_t) { return -1; }

int hid_get_manufacturer_string(hid_device *, wchar_t *, size_t) { return -1; }

int hid_get_product_string(hid_device *, wchar_t *, size_t) { return -1; }

int hid_get_serial_number_string(hid_device *, wchar_t *, size_t) { return -1; }

int hid_get_indexed_string(hid_device *, int, wchar_t *, size_t) { return -1; }

struct hid_device_info *hid_get_device_info(hid_device *) {
  return nullptr;
}

const wchar_t *hid_error(hid_device *) {
  State &s = state();
  std::lock_guard lock(s.mutex);
  return s.lastError;
}

const struct hid_api_version *hid_version(void) {
  static const hid_api_version version = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                          HID_API_VERSION_PATCH};
  return &version;
}

const char *hid_version_str(void) { return HID_API_VERSION_STR; }

} // extern "C"
