// Firmware side of the virtual mouse: what the device does with a command
// block once the transport has unscrambled and checked it. Not thread-safe;
// the transport calls it under its lock.
#pragma once

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

class Device {
public:
  // A command block whose checksum was right. Commands without their own
  // handler answer with their code and zeros.
  void onCommand(const Block &block) {
    const uint8_t code = block[0];
    pending = sealed({code, 0, 0, 0, 0, 0, 0, 0});
    if (code == 0x00) // handshake: echo the challenge
      pending = sealed({code, block[1], block[2], block[3], block[4], 0, 0, 0});
  }

  // The data part of one output report written after the last command.
  void onData(const uint8_t *data, size_t size) { (void)data, (void)size; }

  // The plain reply block a feature read returns now.
  const Block &reply() const { return pending; }

  // Breaks the echo of the reply pending now, keeping its checksum valid.
  void spoilEcho() {
    pending[1] ^= 0xff;
    pending = sealed(pending);
  }

  void queueInput(std::vector<uint8_t> report) {
    input.push_back(std::move(report));
  }

  std::optional<std::vector<uint8_t>> takeInput() {
    if (input.empty())
      return std::nullopt;
    auto report = std::move(input.front());
    input.pop_front();
    return report;
  }

private:
  // A freshly plugged device has answered nothing yet.
  Block pending = sealed({});
  std::deque<std::vector<uint8_t>> input;
};

} // namespace vmouse
