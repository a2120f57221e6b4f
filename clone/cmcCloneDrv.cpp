#include "clone/cmcCloneDrv.h"

#include <algorithm>

#include "model/cmcEeprom.h"
#include "platform/Clock.h"

const cmcCloneDrv::HuntSetting cmcCloneDrv::kHuntSettings[kSpeedIndexCount] = {
    {"19200,N,8,1", true}, {"9600,N,8,1", true},  {"4800,N,8,1", true},
    {"9600,N,8,1", false}, {"4800,N,8,1", false},
};

cmcCloneDrv::cmcCloneDrv() : cmcCloneDrv(std::make_unique<platform::TermiosSerialDevice>()) {}

cmcCloneDrv::cmcCloneDrv(std::unique_ptr<platform::SerialDevice> device)
    : port_(std::move(device)), task_(new cmcTask()) {
  task_->SetHandler([this](cmcTask&) { OnTick(); });
}

cmcCloneDrv::~cmcCloneDrv() {
  // Destroyed from inside its own done closure: the tick must not go on.
  if (destroyedFlag_ != nullptr) *destroyedFlag_ = true;
}

void cmcCloneDrv::SetPort(int port, std::string_view settings) {
  portNumber_ = port;
  settings_ = std::string(settings);
}

void cmcCloneDrv::SetModel(int word1, int word2) {
  word1_ = word1;
  word2_ = word2;
}

void cmcCloneDrv::SetImageSize(std::int32_t bytes) { imageSize_ = bytes; }
void cmcCloneDrv::SetCmdPreamble(int count) { cmdPreamble_ = std::max(count, 0); }
void cmcCloneDrv::SetDataPreamble(int count) { SetDataPreamble(count, count); }

void cmcCloneDrv::SetDataPreamble(int later, int first) {
  dataPreambleLater_ = std::max(later, 0);
  dataPreambleFirst_ = std::max(first, 0);
}

void cmcCloneDrv::SetCommand(std::string_view text) { command_ = std::string(text); }
void cmcCloneDrv::SetCountSuffix(bool on) { countSuffix_ = on; }
void cmcCloneDrv::SetEcho(bool on) { echo_ = on; }

void cmcCloneDrv::SetBlockSize(int bytes) {
  // A count above 255 would go out wrapped in the frame's one count byte.
  if (bytes > 0 && bytes <= kMaxBlockSize) blockSize_ = bytes;
}

void cmcCloneDrv::SetFinalTimeout(int ms) {
  if (ms > 0) finalTimeoutMs_ = ms;
}

void cmcCloneDrv::SetStartDelay(int ms) { startDelayMs_ = ms; }
void cmcCloneDrv::SetTransferTypeSetting(std::int32_t* setting) { transType_ = setting; }

bool cmcCloneDrv::BeginRun(CloneMode mode, DoneClosure done) {
  if (state_ != RunState::Idle) return false;
  done_ = std::move(done);
  frameCount_ = 0;
  dataBytes_ = 0;
  bytesMoved_ = 0;
  mode_ = mode;
  state_ = RunState::Started;
  hunting_ = false;
  result_ = std::make_unique<dst_CDrv_Result>();
  result_->mode = mode;
  result_->code = kClonePortFailed;
  result_->word1 = word1_;
  result_->word2 = word2_;
  result_->image.SetSize(imageSize_);
  ClearQueues();
  stepTick_.Clear();
  delayTick_.Clear();
  task_->SetInterval(tickMs_);
  return true;
}

int cmcCloneDrv::StartRead(const MemRangeList& ranges, DoneClosure done) {
  // Without ranges the end frame alone would end the read "successfully".
  MemRangeList used = UsedRanges(ranges);
  if (state_ != RunState::Idle || used.empty()) return 0;
  ranges_ = std::move(used);
  BeginRun(kCloneModeRead, std::move(done));
  return 1;
}

int cmcCloneDrv::StartWrite(const cmcEeprom& image, const MemRangeList& ranges, DoneClosure done) {
  MemRangeList used = UsedRanges(ranges);
  if (state_ != RunState::Idle || used.empty()) return 0;
  for (const MemRange& r : used)
    if (r.first < 0 || r.last >= image.GetSize()) return 0;  // nothing made up is ever sent
  ranges_ = std::move(used);
  BeginRun(kCloneModeWrite, std::move(done));
  result_->image = image;
  rangeIndex_ = 0;
  address_ = ranges_.front().first;
  return 1;
}

int cmcCloneDrv::StartIdentify(DoneClosure done) {
  if (state_ != RunState::Idle) return 0;
  ranges_.clear();
  BeginRun(kCloneModeIdentify, std::move(done));
  int type = transType_ != nullptr ? *transType_ : 0;
  // A type outside the table would never bring the hunt back to its start.
  if (type < 0 || type >= kSpeedIndexCount) type = 0;
  hunting_ = true;
  speedNow_ = speedStart_ = type;
  return 1;
}

void cmcCloneDrv::FlushInput() {
  if (!port_.IsOpen()) return;
  platform::CurrentClock().SleepMs(kSettleMs);
  int dropped = 0;
  while (dropped < kFlushLimit) {
    const int n = port_.Read(readBuf_, std::min(kReadChunk, kFlushLimit - dropped));
    if (n <= 0) break;
    dropped += n;
  }
}

void cmcCloneDrv::OnTick() {
  if (state_ != RunState::Idle) {
    Step();
    if (port_.WriteError()) {
      result_->code = kCloneWriteFailed;
      state_ = RunState::Ending;
    }
  }
  if (state_ == RunState::Ending && !Finish()) return;
  // The done closure may have started the next run.
  if (state_ == RunState::Idle) task_->SetInterval(-1);
}

bool cmcCloneDrv::Finish() {
  port_.Close();
  state_ = RunState::Idle;
  hunting_ = false;
  // A text command not sent belongs to this run only.
  command_.clear();
  ClearQueues();
  std::unique_ptr<dst_CDrv_Result> result = std::move(result_);
  DoneClosure done = std::move(done_);
  done_ = nullptr;
  if (!done) return true;
  bool destroyed = false;
  destroyedFlag_ = &destroyed;
  done(*result);
  if (destroyed) return false;
  destroyedFlag_ = nullptr;
  return true;
}

void cmcCloneDrv::ClearQueues() {
  rxQueue_.SetLength(0);
  frame_.SetLength(0);
  inFrame_ = false;
  outFrames_.SetLength(0);
  echoQueue_.SetLength(0);
}

void cmcCloneDrv::Step() {
  nextState_ = static_cast<RunState>(static_cast<int>(state_) + 1);
  progress_ = true;
  const bool timedOut = stepTick_.GetRemain() == 0;

  bool mismatch = false;
  CheckEcho(mismatch);
  if (mismatch) {
    nextState_ = RunState::Draining;
  } else {
    const int slack = state_ == RunState::SendingData ? kEchoSlackWriting : 0;
    if (echo_ && state_ != RunState::Draining && echoQueue_.Length() > slack) {
      nextState_ = state_;  // the echo of what was sent comes first
    } else {
      DoState();
    }
  }

  if (nextState_ != state_) progress_ = true;
  if (progress_) {
    if (nextState_ == RunState::AwaitingWriteAck) {
      stepTick_.Start(static_cast<std::uint32_t>(finalTimeoutMs_));
    } else if (nextState_ == RunState::SendingText && !command_.empty()) {
      stepTick_.Start(static_cast<std::uint32_t>(textTimeoutMs_));
    } else {
      stepTick_.Start(static_cast<std::uint32_t>(stepTimeoutMs_));
    }
  } else if (timedOut) {
    if (state_ == RunState::Draining) {
      // A line that will not drain: the run ends with the code it has.
      nextState_ = RunState::Ending;
    } else {
      result_->code = echo_ && echoQueue_.Length() > 0 ? kCloneEchoMismatch : kCloneNoAnswer;
      nextState_ = RunState::Draining;
    }
  }
  state_ = nextState_;
}

void cmcCloneDrv::CheckEcho(bool& mismatch) {
  if (!echo_) {
    echoQueue_.SetLength(0);
    return;
  }
  if (state_ == RunState::Draining || echoQueue_.Length() == 0) return;
  ReadIntoQueue();
  progress_ = false;
  while (echoQueue_.Length() > 0 && rxQueue_.Length() > 0) {
    if (*rxQueue_.Data() != *echoQueue_.Data()) {
      result_->code = kCloneEchoMismatch;
      mismatch = true;
      return;
    }
    rxQueue_.PopFront();
    echoQueue_.PopFront();
    progress_ = true;
  }
}

void cmcCloneDrv::ReadIntoQueue() {
  const int n = port_.Read(readBuf_, kReadChunk);
  if (n <= 0) return;
  rxQueue_.AppendBytes(readBuf_, n);
  bytesMoved_ += n;
}

void cmcCloneDrv::SendBytes(const cmcBuff& bytes) {
  port_.Write(bytes.Data(), bytes.Length());
  echoQueue_.Append(bytes);
  bytesMoved_ += bytes.Length();
}
