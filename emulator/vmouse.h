// Control side of the virtual mouse. The library also exports the hidapi C
// functions, so a program linked against it instead of hidapi talks to this
// device. Everything here is thread-safe; the hidapi functions are as
// thread-safe as hidapi's own (see globalCallOverlaps).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vmouse {

enum class Role { Command, Event, Other };

struct Interface {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  Role role = Role::Other;
};

struct Config {
  uint16_t vid = 0x3b1f;
  uint16_t pid = 0x0a01;
  uint16_t usagePage = 0xff00; // command interface
  uint16_t usage = 0xff00;
  uint16_t usagePage2 = 0xff01; // event interface
  uint16_t usage2 = 0xff01;
  int reportLength = 32;
  bool isEncode = false;
  std::string sCode = "482193";
  std::string family = "553"; // "553" or "560"
};

using Matrix = std::array<uint8_t, 64>;
using ProfileBlock = std::array<uint8_t, 128>;

// What the mouse keeps, as its commands set it. Fields of the other family
// stay at their factory values.
struct DeviceState {
  std::array<uint8_t, 4> options{}; // keyboard option bytes; the 560 family uses two
  // 553 family
  uint8_t reportRate = 0;
  uint8_t dpiStage = 0;                // current stage, 1-based
  uint8_t dpiCount = 0;                // stages in use (11H b1)
  std::array<uint8_t, 8> dpiTable{};   // stage codes
  std::array<Matrix, 4> keyMatrices{}; // matrices 1..4; the 560 family keeps them too
  uint8_t currentKeyMatrix = 0;
  std::map<uint8_t, std::vector<uint8_t>> macros; // by id, 128 bytes each (both families)
  uint8_t ledEffect = 0, ledOption1 = 0, ledOption2 = 0;
  std::array<uint8_t, 3> fixedColour{};
  uint8_t stageColourType = 0;
  std::array<uint8_t, 24> stageColours{};
  std::array<uint8_t, 4> gunData{};
  // 560 family, indexed by profile number 0..4
  std::array<ProfileBlock, 5> profiles{};
  uint8_t currentProfile = 0;
  std::array<uint8_t, 5> profileReportRate{};
  std::array<uint8_t, 5> profileDpiStage{};
  // Codes of well-formed commands the family does not know, in arrival order.
  std::vector<uint8_t> unknownCommands;
};

// The device's settings now, and a way to prepare them for get commands.
DeviceState deviceState();
void setDeviceState(const DeviceState &state);

// Resets the whole device (settings, faults, trace, event queue) to a freshly
// plugged factory-fresh mouse with this configuration; family picks the
// command set it understands.
void configure(const Config &config);
Config config();

// Appends an interface after the command and event interfaces; it is
// enumerated with the device's VID/PID. An interface with role Command or
// Event behaves like that interface.
void addInterface(const Interface &iface);

void plug();
void unplug();
bool plugged();

// Called (on the thread that plugs or unplugs) after every plug and unplug.
void setChangeListener(std::function<void()> listener);

// Trace of every hidapi call that crossed the boundary: "<op> <hex>".
std::vector<std::string> trace();
void clearTrace();

enum class Fault {
  Open,       // next hid_open_path fails
  Feature,    // next hid_send_feature_report fails
  GetFeature, // next hid_get_feature_report fails
  Write,      // next hid_write fails
  Read,       // next hid_read / hid_read_timeout on the command interface fails
  StallRead,  // next read on the command interface times out (returns 0)
  WrongEcho,  // next handshake reply does not echo the challenge
};
void failNext(Fault fault);
// The same fault, hitting the call of its kind that follows `passes` calls
// of that kind that succeed.
void failAfter(Fault fault, int passes);
// The device goes away just before the device call (open, feature report,
// output report, read) that follows `passes` such calls; unlike unplug(),
// the change listener is not called.
void unplugAfter(int passes);
void clearFaults();

// Input reports follow the kernel's hidraw rules: every open handle has its
// own queue (63 reports; a full queue drops the new one), a report the device
// sends goes to the handles open on that interface at that moment and is lost
// when none is, and closing a handle drops what it had not read. An unplug
// hangs up open handles: their reads fail.

// A DPI-button press: the device sends the report to the open event handles,
// or, with none open, keeps it until the next one opens.
void queueEvent(const std::vector<uint8_t> &report);

// The device sends `report` on the interface of `role` just before the
// `calls`-th hidapi call on that interface from now (open, close, feature,
// write or read); 0 sends it at once. Lost when no handle is open then.
void sendInputAfter(Role role, const std::vector<uint8_t> &report, int calls);

// The data reports a read command answers with are sent this many calls on
// the command interface after its feature report; 0 (the default, also after
// configure()) sends them with the feature report itself.
void setReplyDelay(int calls);

// Input the command interface delivers to the next reads, oldest first,
// ahead of any the device sends itself; each is the data part without a
// report ID.
void queueInput(const std::vector<uint8_t> &report);

// A command block as the device received it: unscrambled, with the data
// written after it (the data parts of the output reports, concatenated).
struct Command {
  std::vector<uint8_t> block; // 8 bytes
  bool checksumOk = false;
  std::vector<uint8_t> data;
};
std::vector<Command> commands();
void clearCommands();

// hid_open_path and hid_enumerate replace one process-wide error text without
// a lock, as hidapi 0.13 does; callers must never run two of them at once.
// Counts the calls that began while another was still inside. A dwell keeps
// each such call inside for that long, so that overlaps show in tests.
int globalCallOverlaps();
void setGlobalCallDwell(int ms);

// Handles currently open (opened and not yet closed).
int openHandles();
// The same, counting only handles on interfaces of this role.
int openHandles(Role role);

// Test helpers mirroring the device-side transform.
void scramble(uint8_t block[8], const uint8_t code[8]);
void unscramble(uint8_t block[8], const uint8_t code[8]);

} // namespace vmouse
