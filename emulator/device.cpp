// What both families share: the handshake echo, collecting a command's data
// from its output reports, the reply block and the device's own input reports.
#include "device.h"

#include <algorithm>

namespace vmouse {
namespace {

// A matrix as the factory writes it: left, right, middle, forward, back, the
// DPI loop, and the wheel on the last two positions.
Matrix factoryMatrix() {
  Matrix m{};
  const uint8_t entries[][4] = {{1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {1, 0, 0xF2, 0},
                                {1, 0, 0xF4, 0}, {1, 0, 0xF3, 0}, {7, 0, 3, 0}};
  for (size_t i = 0; i < std::size(entries); ++i)
    std::copy_n(entries[i], 4, m.begin() + 4 * i);
  const uint8_t wheel[][4] = {{4, 0, 1, 0}, {4, 0, 2, 0}};
  std::copy_n(wheel[0], 4, m.begin() + 56);
  std::copy_n(wheel[1], 4, m.begin() + 60);
  return m;
}

// Eight stage colours: red, green, blue, yellow, cyan, magenta, white, orange.
constexpr std::array<uint8_t, 24> factoryColours = {255, 0,   0,   0,   255, 0,   0,   0,
                                                    255, 255, 255, 0,   0,   255, 255, 255,
                                                    0,   255, 255, 255, 255, 255, 128, 0};

// 800, 1600, 2400 and 3200 DPI as codes (value / 100 - 1).
constexpr std::array<uint8_t, 4> factoryDpiCodes = {7, 15, 23, 31};

ProfileBlock factoryProfile(int number) {
  ProfileBlock b{};
  if (number == 0) {
    b[2] = 7; // gun-mode level mask
    std::copy(factoryColours.begin(), factoryColours.end(), b.begin() + 24);
    return b;
  }
  const Matrix m = factoryMatrix();
  std::copy(m.begin(), m.end(), b.begin());
  b[71] = 1; // lighting: steady, full brightness
  b[72] = 255;
  b[73] = 0;
  for (int i = 0; i < 8; ++i) {
    const uint8_t code = factoryDpiCodes[std::min(i, 3)];
    b[84 + i] = code;
    b[92 + i] = code;
  }
  b[100] = 0x0f; // four stages in use
  if (number >= 2) {
    b[78] = 0xF0; // gun slot: marker, times, X, Y
    b[79] = 1;
  }
  if (number == 1)
    std::copy(factoryColours.begin(), factoryColours.end(), b.begin() + 104);
  return b;
}

} // namespace

DeviceState factoryState(const std::string &family) {
  DeviceState s;
  s.options = {0x01, 0x00, 0x00, 0x00};
  s.reportRate = 1; // 1000 Hz
  s.dpiStage = 1;
  s.dpiCount = 4;
  s.dpiTable = {7, 15, 23, 31, 0x80, 0x80, 0x80, 0x80};
  s.keyMatrices.fill(factoryMatrix());
  s.currentKeyMatrix = 0;
  s.ledEffect = 1;
  s.ledOption1 = 255;
  s.ledOption2 = 0;
  s.fixedColour = {255, 0, 0};
  s.stageColours = factoryColours;
  for (int n = 0; n < 5; ++n)
    s.profiles[n] = factoryProfile(n);
  s.currentProfile = 1;
  s.profileReportRate.fill(1);
  s.profileDpiStage.fill(1);
  (void)family; // both families leave the factory alike
  return s;
}

Device::Device(const std::string &family, int reportLength)
    : state(factoryState(family)), reportLength(std::max(1, reportLength)) {
  is560 = family == "560";
}

void Device::onCommand(const Block &block) {
  // A new command ends whatever the device was still collecting or sending.
  dataExpected = 0;
  dataReceived.clear();
  answers.clear();
  pending = sealed({block[0], 0, 0, 0, 0, 0, 0, 0});
  if (block[0] == 0x00) { // handshake: echo the challenge
    pending = sealed({0x00, block[1], block[2], block[3], block[4], 0, 0, 0});
    return;
  }
  if (!(is560 ? on560(block) : on553(block)))
    state.unknownCommands.push_back(block[0]);
}

void Device::expectData(const Block &block, size_t length) {
  dataCommand = block;
  dataExpected = std::min<size_t>(length, 128);
}

void Device::onData(const uint8_t *data, size_t size) {
  if (dataExpected == 0)
    return;
  const size_t take = std::min(size, dataExpected - dataReceived.size());
  dataReceived.insert(dataReceived.end(), data, data + take);
  if (dataReceived.size() < dataExpected)
    return;
  // Firmware applies a data command only once all of its data arrived.
  dataExpected = 0;
  if (is560)
    apply560(dataCommand[0], dataCommand, dataReceived);
  else
    apply553(dataCommand[0], dataCommand, dataReceived);
  dataReceived.clear();
}

void Device::answer(std::initializer_list<uint8_t> bytes) {
  Block b{pending[0]};
  std::copy(bytes.begin(), bytes.end(), b.begin() + 1);
  pending = sealed(b);
}

void Device::answerInput(const std::vector<uint8_t> &data) {
  for (size_t offset = 0; offset < data.size(); offset += size_t(reportLength)) {
    std::vector<uint8_t> report(size_t(reportLength), 0);
    const size_t n = std::min(data.size() - offset, size_t(reportLength));
    std::copy_n(data.begin() + long(offset), n, report.begin());
    answers.push_back(std::move(report));
  }
}

std::optional<std::vector<uint8_t>> Device::takeFrom(std::deque<std::vector<uint8_t>> &queue) {
  if (queue.empty())
    return std::nullopt;
  auto report = std::move(queue.front());
  queue.pop_front();
  return report;
}

} // namespace vmouse
