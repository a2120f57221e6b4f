// The radio's side of the frames: what it makes of each byte taken, and
// what it answers.
#include <algorithm>
#include <string>

#include "RadioEmulator.h"

namespace radioemu {
namespace {

constexpr std::uint8_t kPreamble = 0xFE;
constexpr std::uint8_t kEnd = 0xFD;
constexpr std::uint8_t kEscape = 0xFF;
constexpr std::uint8_t kComputer = 0xEE;
constexpr std::uint8_t kRadio = 0xEF;
constexpr std::uint8_t kCmdIdentify = 0xE0;
constexpr std::uint8_t kCmdIdentifyReply = 0xE1;
constexpr std::uint8_t kCmdRead = 0xE2;
constexpr std::uint8_t kCmdWrite = 0xE3;
constexpr std::uint8_t kCmdData = 0xE4;
constexpr std::uint8_t kCmdEnd = 0xE5;
constexpr std::uint8_t kCmdWriteAck = 0xE6;
constexpr std::uint8_t kCmdSpeed = 0xE8;
constexpr std::string_view kMaker = "Quor Inc.";
// What the radio puts on the line for the garbage faults: no FE, so nothing
// of it can start a frame.
constexpr std::uint8_t kGarbage[] = {0x00, 0x11, 0x13, 0xFD, 0x80, 0x7F};
constexpr std::uint8_t kStrayByte = 0x55;
constexpr int kOversizeDataBytes = 600;
constexpr std::uint16_t kOtherModelWord = 0x1234;
constexpr std::uint16_t kNonBcdModelWord = 0x3A84;
constexpr size_t kWireLogLimit = 4 * 1024 * 1024;

void PutEscaped(std::vector<std::uint8_t>& out, std::uint8_t b) {
  if (b >= 0xFA) {
    out.push_back(kEscape);
    out.push_back(static_cast<std::uint8_t>(b & 0x0F));
  } else {
    out.push_back(b);
  }
}

std::string Hex2(int value) {
  static const char digits[] = "0123456789ABCDEF";
  return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

}  // namespace

void RadioEmulator::Send(const std::vector<std::uint8_t>& bytes) {
  out_.insert(out_.end(), bytes.begin(), bytes.end());
}

void RadioEmulator::TakeByte(std::uint8_t b, int lineSpeed, Clock::time_point now) {
  if (cutPending_) return;  // beyond the cut
  ++taken_;
  lastByte_ = now;
  if (wireBytes_ < static_cast<std::int64_t>(kWireLogLimit)) {
    if (wire_.empty() || wire_.back().speed != lineSpeed) wire_.push_back({lineSpeed, {}});
    wire_.back().bytes.push_back(b);
    ++wireBytes_;
  }
  if (cableEcho_) {
    std::uint8_t echo = b;
    if (fault_ == Fault::EchoAltered && taken_ - 1 == faultBytes_) echo ^= 0x01;
    out_.push_back(echo);
  }
  MaybeDisconnect();
  if (disconnected_) return;

  if (lineSpeed != speed_) {
    if (!inNoise_)
      Problem("noise: bytes at " + std::to_string(lineSpeed) + " baud while listening at " +
              std::to_string(speed_));
    inNoise_ = true;
    inFrame_ = false;
    frame_.clear();
    return;
  }
  inNoise_ = false;
  if (b == kPreamble) {
    frame_.assign(1, kPreamble);
    inFrame_ = true;
    return;
  }
  if (!inFrame_) return;
  if (b == kEnd) {
    inFrame_ = false;
    HandleFrame();
    frame_.clear();
    return;
  }
  frame_.push_back(b);
  if (frame_.size() > static_cast<size_t>(kMaxFrameBytes)) {
    Problem("frame longer than " + std::to_string(kMaxFrameBytes) + " bytes dropped");
    if (writing_) writeOk_ = false;
    inFrame_ = false;
    frame_.clear();
  }
}

void RadioEmulator::HandleFrame() {
  const std::vector<std::uint8_t>& f = frame_;
  if (f.size() < 4 || f[1] != kComputer || f[2] != kRadio) {
    Problem("frame without the computer's addresses ignored");
    return;
  }
  const std::uint8_t cmd = f[3];
  if (cmd == kCmdIdentify || cmd == kCmdRead || cmd == kCmdWrite || cmd == kCmdSpeed) {
    if (f.size() < 6 || ((f[4] << 8) | f[5]) != kModelWord) {
      Problem("command frame for another model ignored");
      return;
    }
  }
  switch (cmd) {
    case kCmdIdentify:
      if (fault_ != Fault::Silence) AnswerIdentify();
      break;
    case kCmdSpeed:
      if (f.size() != 12) Problem("speed change of unexpected length");
      if (f.back() == 0x01) {
        speed_ = kHighSpeed;
      } else if (f.back() == 0x00) {
        speed_ = kNormalSpeed;
      } else {
        Problem("speed change to an unknown speed ignored");
      }
      break;
    case kCmdRead:
      if (fault_ != Fault::Silence) AnswerRead();
      break;
    case kCmdWrite:
      writing_ = true;
      writeOk_ = true;
      writeFrames_ = 0;
      break;
    case kCmdData:
      if (writing_) {
        CheckWriteFrame();
      } else {
        Problem("data frame outside a write ignored");
      }
      break;
    case kCmdEnd:
      if (writing_) {
        CheckWriteEnd();
      } else {
        Problem("end frame outside a write ignored");
      }
      break;
    default: Problem("unknown command ignored"); break;
  }
}

void RadioEmulator::AnswerIdentify() {
  std::uint16_t w1 = word1_;
  if (fault_ == Fault::OtherModelWord) w1 = kOtherModelWord;
  if (fault_ == Fault::NonBcdWords) w1 = kNonBcdModelWord;
  std::vector<std::uint8_t> f = {kPreamble,
                                 kPreamble,
                                 kRadio,
                                 kComputer,
                                 kCmdIdentifyReply,
                                 static_cast<std::uint8_t>(w1 >> 8),
                                 static_cast<std::uint8_t>(w1),
                                 static_cast<std::uint8_t>(word2_ >> 8),
                                 static_cast<std::uint8_t>(word2_)};
  f.insert(f.end(), info_.begin(), info_.end());
  f.push_back(kEnd);
  Send(f);
}

void RadioEmulator::AnswerRead() {
  int count = 0;
  auto dataFrame = [&](std::int64_t address, int length, int index) {
    std::vector<std::uint8_t> payload = {
        static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
        static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
        static_cast<std::uint8_t>(length)};
    for (int i = 0; i < length; ++i) {
      const std::int64_t a = address + i;
      const std::uint8_t b = a < kMemorySize ? memory_[static_cast<size_t>(a)] : 0;
      payload.push_back(static_cast<std::uint8_t>(b + 0x80));
    }
    int sum = 0;
    for (std::uint8_t b : payload) sum += b;
    std::uint8_t check = static_cast<std::uint8_t>(256 - sum % 256);
    const bool hit = index == faultFrame_;
    if (hit && fault_ == Fault::BadChecksum) ++check;
    payload.push_back(check);
    if (hit && fault_ == Fault::DropPayloadByte && length > 0) payload.erase(payload.begin() + 5);
    std::vector<std::uint8_t> f = {kPreamble, kPreamble, kRadio, kComputer, kCmdData};
    if (hit && fault_ == Fault::GarbageInsideFrame) f.push_back(kStrayByte);
    for (std::uint8_t b : payload) PutEscaped(f, b);
    f.push_back(kEnd);
    return f;
  };

  const std::int64_t size = readFrameSize_;
  for (std::int64_t a = readFirst_; a <= readLast_;) {
    const int length = static_cast<int>(std::min(size - a % size, readLast_ - a + 1));
    const int index = count++;
    if (fault_ == Fault::CutAfterFrames && index >= faultFrame_) {
      cutWhenSent_ = true;
      return;
    }
    if (index == faultFrame_ && fault_ == Fault::OversizeFrame) {
      // The length byte cannot say it; the frame is simply too long.
      Send(dataFrame(a, kOversizeDataBytes, -1));
    } else if (!(index == faultFrame_ && fault_ == Fault::DropFrame)) {
      Send(dataFrame(a, length, index));
    }
    if (fault_ == Fault::GarbageBetweenFrames) Send({std::begin(kGarbage), std::end(kGarbage)});
    a += length;
  }
  if (fault_ == Fault::FrameOutsideRange) {
    const std::int64_t a =
        std::min<std::int64_t>((readLast_ + 0x100) & ~std::int64_t{0xFF}, kMemorySize - 16);
    Send(dataFrame(a, 16, -1));
    ++count;
  }
  if (fault_ == Fault::FrameOutsideImage) {
    Send(dataFrame(kMemorySize, 16, -1));
    ++count;
  }
  if (fault_ == Fault::WrongEndCount) ++count;
  std::vector<std::uint8_t> end = {kPreamble, kPreamble, kRadio, kComputer, kCmdEnd};
  std::string text = std::string(kMaker) + Hex2(count & 0xFF);
  if (fault_ == Fault::WrongEndText) text[0] = 'X';
  end.insert(end.end(), text.begin(), text.end());
  end.push_back(kEnd);
  Send(end);
  revertAfterSend_ = true;
}

void RadioEmulator::CheckWriteFrame() {
  const std::vector<std::uint8_t>& f = frame_;
  ++writeFrames_;
  std::vector<std::uint8_t> p;
  bool ok = true;
  for (size_t i = 4; i < f.size(); ++i) {
    const std::uint8_t b = f[i];
    if (b == kEscape) {
      if (i + 1 >= f.size()) {
        Problem("data frame " + std::to_string(writeFrames_) + ": escape without its nibble");
        ok = false;
        break;
      }
      const std::uint8_t x = f[++i];
      if (x > 0x0F) {
        Problem("data frame " + std::to_string(writeFrames_) + ": escape of a byte above 0x0F");
        ok = false;
      }
      p.push_back(static_cast<std::uint8_t>(x | 0xF0));
    } else {
      if (b >= 0xFA) {
        Problem("data frame " + std::to_string(writeFrames_) + ": unescaped byte");
        ok = false;
      }
      p.push_back(b);
    }
  }
  if (ok && p.size() < 6) {
    Problem("data frame " + std::to_string(writeFrames_) + ": too short");
    ok = false;
  }
  if (ok) {
    const size_t length = p[4];
    int sum = 0;
    for (std::uint8_t b : p) sum += b;
    const std::int64_t address = (std::int64_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    if (length != p.size() - 6) {
      Problem("data frame " + std::to_string(writeFrames_) + ": length byte does not match");
      ok = false;
    } else if (sum % 256 != 0) {
      Problem("data frame " + std::to_string(writeFrames_) + ": bad checksum");
      ok = false;
    } else if (address + static_cast<std::int64_t>(length) - 1 > layout_.lastCloneAddress) {
      Problem("data frame " + std::to_string(writeFrames_) + ": outside the clone range");
      ok = false;
    } else {
      for (size_t i = 0; i < length; ++i)
        memory_[static_cast<size_t>(address) + i] = static_cast<std::uint8_t>(p[5 + i] - 0x80);
      ++framesStored_;
    }
  }
  if (!ok) writeOk_ = false;
}

void RadioEmulator::CheckWriteEnd() {
  const std::string text(frame_.begin() + 4, frame_.end());
  const std::string expected = std::string(kMaker) + Hex2(writeFrames_ & 0xFF);
  if (text != expected) {
    Problem("end frame \"" + text + "\" where \"" + expected + "\" was due");
    writeOk_ = false;
  }
  writing_ = false;
  if (fault_ == Fault::Silence || fault_ == Fault::NoWriteAck) {
    speed_ = identifySpeed_;
    return;
  }
  SendWriteAck(fault_ == Fault::WriteNak || !writeOk_ ? kWriteAckBad : kWriteAckGood);
}

void RadioEmulator::SendWriteAck(std::uint8_t code) {
  Send({kPreamble, kPreamble, kRadio, kComputer, kCmdWriteAck, code, kEnd});
  ++acks_;
  revertAfterSend_ = true;
}

}  // namespace radioemu
