#include "clone/cmcComm.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/PortTable.h"

namespace {

// Compaction of the transmit queue once this much has been handed over.
constexpr int kCompactAfter = 4096;

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    fields.push_back(text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A whole decimal field; false for anything else (empty, sign, letters).
bool ParseDecimal(std::string_view field, int& out) {
  field = TrimBlanks(field);
  if (field.empty()) return false;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), out);
  return ec == std::errc() && end == field.data() + field.size();
}

}  // namespace

cmcComm::ParsedSettings cmcComm::ParseSettings(std::string_view text) {
  ParsedSettings parsed;
  const std::vector<std::string_view> fields = SplitFields(text);
  int baud = 0;
  parsed.baudOk = ParseDecimal(fields[0], baud) && baud > 0;
  parsed.line.baud = parsed.baudOk ? baud : 0;
  if (fields.size() > 1) {
    const std::string_view parity = TrimBlanks(fields[1]);
    // Mark and odd switch the check on; the parity bit itself is never sent.
    parsed.line.parityCheck =
        !parity.empty() && std::string_view("MmOo").find(parity[0]) != std::string_view::npos;
  }
  if (fields.size() > 2) {
    int size = 0;
    if (!ParseDecimal(fields[2], size)) size = 0;  // unusable: 4 bits, which no line has
    parsed.line.byteSize = std::clamp(size, 4, 8);
  }
  if (fields.size() > 3) {
    const std::string_view stop = TrimBlanks(fields[3]);
    parsed.line.stopBits = stop == "1.5" ? platform::StopBits::OnePointFive
                           : stop == "2" ? platform::StopBits::Two
                                         : platform::StopBits::One;
  }
  return parsed;
}

cmcComm::cmcComm() : cmcComm(std::make_unique<platform::TermiosSerialDevice>()) {}

cmcComm::cmcComm(std::unique_ptr<platform::SerialDevice> device)
    : device_(std::move(device)),
      resolver_([](int port) { return platform::PortTable::DevicePath(port); }),
      pump_(new cmcTask()) {
  pump_->SetHandler([this](cmcTask&) { Pump(true); });
}

cmcComm::~cmcComm() { Close(); }

int cmcComm::Open(int port, std::string_view settings) {
  if (IsOpen()) return 0;
  port_ = port;
  writeError_ = false;
  openError_ = 0;
  openPath_.clear();
  const ParsedSettings parsed = ParseSettings(settings);
  line_ = parsed.line;
  // A rate of 0 or no number at all would divide the write budget by zero.
  if (!parsed.baudOk) return 0;
  const std::string path = resolver_ ? resolver_(port) : std::string();
  if (path.empty()) return 0;
  openPath_ = path;
  if (!device_->Open(path, line_)) {
    openError_ = device_->LastOpenError();
    return 0;
  }
  if (!device_->Purge()) {
    // Never keep a half-opened device: the next open would be refused.
    device_->Close();
    return 0;
  }
  return 1;
}

int cmcComm::Close() {
  StopPump();
  device_->Close();
  tx_.SetLength(0);
  txPos_ = 0;
  writeError_ = false;
  return 0;
}

bool cmcComm::IsOpen() const { return device_->IsOpen(); }

int cmcComm::Write(const void* bytes, int count) {
  if (!IsOpen() || writeError_ || bytes == nullptr || count <= 0) return 0;
  tx_.AppendBytes(bytes, count);
  Pump(false);
  return 0;
}

int cmcComm::Read(void* buffer, int max) {
  if (!IsOpen() || buffer == nullptr || max <= 0) return 0;
  return device_->Read(static_cast<std::uint8_t*>(buffer), max);
}

int cmcComm::InQueue() { return IsOpen() ? device_->InQueue() : 0; }

int cmcComm::OutQueue() { return IsOpen() ? device_->OutQueue() : 0; }

int cmcComm::PendingOut() { return OutQueue() + TransmitQueueLength(); }

int cmcComm::WriteTimeoutMs(int count) const {
  const int perByte = line_.baud > 0 ? kWriteTimeoutScale / line_.baud : 0;
  const std::int64_t ms = std::int64_t{count} * perByte + kWriteTimeoutConstantMs;
  return static_cast<int>(std::min<std::int64_t>(ms, 0x7FFFFFFF));
}

void cmcComm::SetPathResolver(PathResolver resolver) { resolver_ = std::move(resolver); }

void cmcComm::SetLineModel(bool on) {
  if (auto* termios = dynamic_cast<platform::TermiosSerialDevice*>(device_.get()))
    termios->SetLineModel(on);
}

void cmcComm::Pump(bool mayWait) {
  const int pending = TransmitQueueLength();
  if (!IsOpen() || writeError_ || pending == 0) {
    StopPump();
    return;
  }
  // Only the pump's own tick may wait, and only for a queue about to drain:
  // the wire then gets the next chunk without a gap, and the thread never
  // blocks for more than a couple of ticks' time in any one call.
  const bool empty = mayWait ? device_->AwaitOutputEmpty(kDrainWaitMs) : device_->OutQueue() == 0;
  if (!empty) {
    StartPump();
    return;
  }
  const int chunk = std::min(kOutputChunk, pending);
  const int accepted = device_->Write(tx_.Data() + txPos_, chunk, WriteTimeoutMs(chunk));
  if (accepted < chunk) {
    // The run ends on this flag (code 17); the rest is never pumped again.
    writeError_ = true;
    StopPump();
    return;
  }
  txPos_ += chunk;
  if (txPos_ == tx_.Length()) {
    tx_.SetLength(0);
    txPos_ = 0;
    StopPump();
    return;
  }
  if (txPos_ >= kCompactAfter) {
    const int left = tx_.Length() - txPos_;
    tx_.SetBytes(tx_.Data() + txPos_, left);
    txPos_ = 0;
  }
  StartPump();
}

void cmcComm::StartPump() {
  if (pump_->Interval() != kPumpIntervalMs) pump_->SetInterval(kPumpIntervalMs);
}

void cmcComm::StopPump() {
  if (pump_->Interval() >= 0) pump_->SetInterval(-1);
}
