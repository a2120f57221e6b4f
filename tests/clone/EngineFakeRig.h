#pragma once
// The clone engine on a fake line, stepped by hand on a manual clock (10 ms a
// tick), set up the way the clone manager sets it up for every run.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeSerialDevice.h"
#include "clone/CloneConfig.h"
#include "clone/cmcCloneDrv.h"
#include "support/ManualClock.h"

namespace kwtest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

inline Bytes Ascii(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A test name from a case's description: its letters and digits, '_' for
// the rest.
inline std::string TestName(const char* text) {
  std::string name;
  for (const char* p = text; *p; ++p)
    name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
}

// The clone manager's set-up of a run, applied to an engine.
using clonecfg::ApplyEngineConfig;

// What a done closure saw (the result itself is gone after the call).
struct Outcome {
  int calls = 0;
  std::int32_t mode = 0;
  std::int32_t code = -1;
  std::int32_t word1 = 0;
  std::int32_t word2 = 0;
  Bytes tail;
  cmcEeprom image;
  Bytes received;
  std::uint32_t endTick = 0;
};

// Copies out what the closure is shown.
inline void Record(Outcome& o, const dst_CDrv_Result& r, std::uint32_t tick) {
  ++o.calls;
  o.mode = r.mode;
  o.code = r.code;
  o.word1 = r.word1;
  o.word2 = r.word2;
  o.tail.assign(r.tail.Data(), r.tail.Data() + r.tail.Length());
  o.image = r.image;
  o.received.assign(r.received.Data(), r.received.Data() + r.received.Length());
  o.endTick = tick;
}

inline constexpr int kModelWord = 0x3484;
inline constexpr std::int32_t kImageSize = 0x40000;

class EngineFakeRig : public ::testing::Test {
 protected:
  EngineFakeRig()
      : line_(std::make_shared<FakeLine>()), engine_(std::make_unique<FakeSerialDevice>(line_)) {
    engine_.Port().SetPathResolver([](int port) { return "/dev/fake" + std::to_string(port); });
    engine_.SetTransferTypeSetting(&transType_);
    engine_.SetModel(kModelWord, 0);
    engine_.SetImageSize(kImageSize);
  }

  void Configure(clonecfg::Mode mode, bool high = true, int dataPreamble = 0) {
    ApplyEngineConfig(
        engine_, clonecfg::MakeEngineConfig(mode, 7, transType_, high, kModelWord, dataPreamble));
  }

  cmcCloneDrv::DoneClosure Catch() {
    return [this](dst_CDrv_Result& r) { Record(outcome_, r, clock_.TickCount()); };
  }

  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      clock_.Advance(cmcCloneDrv::kTickMs);
      engine_.RunOneTick();
    }
  }
  bool RunToEnd(int maxTicks = 200000) {
    while (engine_.IsBusy() && maxTicks-- > 0) Tick();
    return !engine_.IsBusy();
  }
  bool TickUntilState(cmcCloneDrv::RunState state, int maxTicks = 10000) {
    while (engine_.State() != state && engine_.IsBusy() && maxTicks-- > 0) Tick();
    return engine_.State() == state;
  }

  // What the Bad input rules promise after every run.
  void ExpectIdleAndClean() {
    EXPECT_FALSE(engine_.IsBusy());
    EXPECT_FALSE(engine_.Port().IsOpen());
    EXPECT_FALSE(line_->isOpen);
    EXPECT_EQ(engine_.Port().PendingOut(), 0);
    EXPECT_EQ(outcome_.calls, 1);
  }

  ManualClock clock_{5000};
  std::shared_ptr<FakeLine> line_;
  cmcCloneDrv engine_;
  std::int32_t transType_ = 0;
  Outcome outcome_;
};

// A scripted radio reply: after a write whose bytes end with `trigger`,
// the line receives `reply`.
inline void AnswerAfter(FakeLine& line, Bytes trigger, Bytes reply, int times = 1) {
  auto left = std::make_shared<int>(times);
  auto previous = line.onWrite;
  line.onWrite = [trigger, reply, left, previous](FakeLine& l, const Bytes& written) {
    if (previous) previous(l, written);
    if (*left != 0 && written.size() >= trigger.size() &&
        std::equal(trigger.begin(), trigger.end(),
                   written.end() - static_cast<std::ptrdiff_t>(trigger.size()))) {
      if (*left > 0) --*left;
      l.Push(reply);
    }
  };
}

// Frames of a byte stream written by the computer: each from its last FE
// before the FD, FE and FD left out; with the number of FE before it.
struct SentFrame {
  int preamble = 0;  // FE bytes before the address bytes
  Bytes body;        // addresses, command, payload
};

inline std::vector<SentFrame> SplitFrames(const Bytes& stream) {
  std::vector<SentFrame> frames;
  SentFrame cur;
  bool in = false;
  for (std::uint8_t b : stream) {
    if (b == 0xFE) {
      if (!in || !cur.body.empty()) cur = SentFrame{};
      ++cur.preamble;
      in = true;
    } else if (b == 0xFD) {
      if (in) frames.push_back(cur);
      in = false;
      cur = SentFrame{};
    } else if (in) {
      cur.body.push_back(b);
    }
  }
  return frames;
}

// Address and count of a data frame body (EE EF E4 payload), escapes undone.
struct DataFrameInfo {
  std::int64_t address = -1;
  int count = -1;
  Bytes data;  // image bytes
};

inline DataFrameInfo ReadDataFrame(const Bytes& body) {
  Bytes p;
  for (size_t i = 3; i < body.size(); ++i) {
    if (body[i] == 0xFF && i + 1 < body.size()) {
      p.push_back(static_cast<std::uint8_t>(body[++i] | 0xF0));
    } else {
      p.push_back(body[i]);
    }
  }
  DataFrameInfo info;
  if (p.size() < 6) return info;
  info.address = (std::int64_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
  info.count = p[4];
  for (size_t i = 5; i + 1 < p.size(); ++i)
    info.data.push_back(static_cast<std::uint8_t>(p[i] - 0x80));
  return info;
}

}  // namespace kwtest
