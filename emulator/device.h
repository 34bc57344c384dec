// Firmware side of the virtual mouse: what the device does with a command
// block once the transport has unscrambled and checked it. Not thread-safe;
// the transport calls it under its lock.
#pragma once

#include "vmouse.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace vmouse {

using Block = std::array<uint8_t, 8>;

// Bitwise complement of the 8-bit sum of bytes 0..6.
inline uint8_t checksum(const Block &block) {
  unsigned sum = 0;
  for (size_t i = 0; i < 7; ++i)
    sum += block[i];
  return static_cast<uint8_t>(~sum);
}

inline Block sealed(Block block) {
  block[7] = checksum(block);
  return block;
}

// The settings of a mouse fresh from the factory.
DeviceState factoryState(const std::string &family);

class Device {
public:
  Device() : Device("553", 32) {}
  Device(const std::string &family, int reportLength);

  // A command block whose checksum was right. Every command first answers
  // with its code and zeros; get commands then fill in their values.
  void onCommand(const Block &block);

  // The data part of one output report written after the last command.
  void onData(const uint8_t *data, size_t size);

  // The plain reply block a feature read returns now.
  const Block &reply() const { return pending; }

  // Breaks the echo of the reply pending now, keeping its checksum valid.
  void spoilEcho() {
    pending[1] ^= 0xff;
    pending = sealed(pending);
  }

  // Input injected by a test comes before anything the device answers.
  void queueInput(std::vector<uint8_t> report) { injected.push_back(std::move(report)); }
  std::optional<std::vector<uint8_t>> takeInjected() { return takeFrom(injected); }
  // The next data report the firmware answered its last command with.
  std::optional<std::vector<uint8_t>> takeAnswer() { return takeFrom(answers); }
  // Injected input first, then the answers.
  std::optional<std::vector<uint8_t>> takeInput() {
    auto report = takeInjected();
    return report ? report : takeAnswer();
  }

  // How long after a command's feature report the device sends the input
  // reports that answer it. The virtual mouse answers at once; the kernel
  // interface seam keeps to it.
  void setReplyDelayUs(long us) { replyDelay = us; }
  long replyDelayUs() const { return replyDelay; }

  const DeviceState &settings() const { return state; }
  void setSettings(const DeviceState &s) { state = s; }

private:
  // Per-family handlers; false when the family has no such command.
  bool on553(const Block &block);
  bool on560(const Block &block);
  void apply553(uint8_t code, const Block &block, const std::vector<uint8_t> &data);
  void apply560(uint8_t code, const Block &block, const std::vector<uint8_t> &data);

  // The command's data follows as output reports: collect `length` bytes.
  void expectData(const Block &block, size_t length);
  void answer(std::initializer_list<uint8_t> bytes);
  void answerInput(const std::vector<uint8_t> &data);
  static std::optional<std::vector<uint8_t>> takeFrom(std::deque<std::vector<uint8_t>> &queue);

  DeviceState state;
  bool is560 = false;
  int reportLength = 32;
  // A freshly plugged device has answered nothing yet.
  Block pending = sealed({});
  Block dataCommand{};
  size_t dataExpected = 0;
  std::vector<uint8_t> dataReceived;
  std::deque<std::vector<uint8_t>> injected;
  std::deque<std::vector<uint8_t>> answers;
  long replyDelay = 0;
};

} // namespace vmouse
