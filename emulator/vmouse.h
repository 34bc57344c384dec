// Control side of the virtual mouse. The library also exports the hidapi C
// functions, so a program linked against it instead of hidapi talks to this
// device. Everything here is thread-safe.
#pragma once

#include <cstdint>
#include <functional>
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

// Resets the whole device (state, faults, trace, event queue) to a freshly
// plugged mouse with this configuration.
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
void clearFaults();

// Reports the event interface delivers to hid_read_timeout, oldest first.
void queueEvent(const std::vector<uint8_t> &report);

// Input reports the command interface delivers to reads (data of read
// commands), oldest first; each is the data part without a report ID.
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

// Handles currently open (opened and not yet closed).
int openHandles();

// Test helpers mirroring the device-side transform.
void scramble(uint8_t block[8], const uint8_t code[8]);
void unscramble(uint8_t block[8], const uint8_t code[8]);

} // namespace vmouse
