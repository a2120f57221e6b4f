// The engine's states: what one step does in each.
#include <algorithm>
#include <vector>

#include "clone/CloneWire.h"
#include "clone/cmcCloneDrv.h"
#include "core/HexFrame.h"

void cmcCloneDrv::DoState() {
  switch (state_) {
    case RunState::Started: break;
    case RunState::SendingText: StateText(); break;
    case RunState::AwaitingStartDelay: StateDelay(); break;
    case RunState::OpeningPort: StateOpen(); break;
    case RunState::SendingIdentify: SendCommand(clonewire::kIdentifyTemplate); break;
    case RunState::AwaitingIdentifyReply: StateIdentifyReply(); break;
    case RunState::SendingReadRequest: SendCommand(clonewire::kReadTemplate); break;
    case RunState::ReceivingData: StateRead(); break;
    case RunState::SendingWriteRequest: SendCommand(clonewire::kWriteTemplate); break;
    case RunState::SendingData: StateSendData(); break;
    case RunState::SendingEnd: StateSendEnd(); break;
    case RunState::AwaitingWriteAck: StateWriteAck(); break;
    case RunState::Draining: StateDrain(); break;
    default: nextState_ = RunState::Ending; break;
  }
}

// Reopen requests "(settings)" and hex frames, in the order written.
void cmcCloneDrv::StateText() {
  bool acted = false;
  if (!command_.empty() && command_.front() == '(') {
    const size_t close = command_.find(')');
    const std::string settings =
        command_.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    command_.erase(0, close == std::string::npos ? std::string::npos : close + 1);
    port_.Close();
    if (!port_.Open(portNumber_, settings)) {
      result_->code = kClonePortFailed;
      command_.clear();
      nextState_ = RunState::Draining;
      return;
    }
    FlushInput();
    acted = true;
  } else if (!command_.empty()) {
    const size_t open = command_.find('(');
    cmcBuff bytes;
    HexTextToBuff(std::string_view(command_).substr(0, open), bytes);
    command_.erase(0, open);
    SendBytes(bytes);
    acted = true;
  }
  if (!command_.empty() || port_.PendingOut() > 0) {
    nextState_ = RunState::SendingText;
    // Only waiting for the line to drain: that may time out.
    if (!acted) progress_ = false;
    return;
  }
  nextState_ = RunState::AwaitingStartDelay;
  delayTick_.Start(static_cast<std::uint32_t>(std::max(startDelayMs_, 0)));
  startDelayMs_ = 0;  // waited once per set-up
}

void cmcCloneDrv::StateDelay() {
  if (delayTick_.GetRemain() > 0) {
    nextState_ = RunState::AwaitingStartDelay;
    return;
  }
  echoQueue_.SetLength(0);
  rxQueue_.SetLength(0);
}

void cmcCloneDrv::StateOpen() {
  port_.Close();
  if (!port_.Open(portNumber_, settings_)) {
    result_->code = kClonePortFailed;
    nextState_ = RunState::Draining;
    return;
  }
  FlushInput();
  nextState_ = mode_ == kCloneModeIdentify ? RunState::SendingIdentify
               : mode_ == kCloneModeRead   ? RunState::SendingReadRequest
                                           : RunState::SendingWriteRequest;
}

void cmcCloneDrv::SendCommand(std::string_view tmpl) {
  cmcBuff bytes;
  bytes.AppendFill(clonewire::kPreamble, cmdPreamble_);
  cmcBuff frame;
  BuildFrame(frame, tmpl, {std::int64_t{word1_ & 0xFFFF}, std::int64_t{word2_ & 0xFFFF}});
  bytes.Append(frame);
  SendBytes(bytes);
  frame_.SetLength(0);
  inFrame_ = false;
}

// Receive framing: FE (re)starts a frame, bytes before a start are skipped,
// FD completes it (not kept). One completed frame per call; the bytes behind
// it stay queued.
cmcCloneDrv::FrameEvent cmcCloneDrv::NextFrame() {
  for (int b = rxQueue_.PopFront(); b >= 0; b = rxQueue_.PopFront()) {
    if (b == clonewire::kPreamble) {
      frame_.SetLength(0);
      frame_.PushByte(clonewire::kPreamble);
      inFrame_ = true;
      continue;
    }
    if (!inFrame_) continue;
    if (b == clonewire::kEnd) {
      inFrame_ = false;
      return FrameEvent::Complete;
    }
    if (frame_.Length() >= kMaxFrameBuffer) {
      inFrame_ = false;
      return FrameEvent::Overflow;
    }
    frame_.PushByte(static_cast<std::uint8_t>(b));
  }
  return FrameEvent::None;
}

void cmcCloneDrv::StateIdentifyReply() {
  ReadIntoQueue();
  const FrameEvent event = NextFrame();
  if (event == FrameEvent::None) {
    nextState_ = RunState::AwaitingIdentifyReply;
    progress_ = false;
    return;
  }
  nextState_ = RunState::Draining;
  if (event == FrameEvent::Overflow) {
    result_->code = kCloneIllegalData;
    return;
  }
  const std::uint8_t* f = frame_.Data();
  const int length = frame_.Length();
  if (length < 8 || f[0] != clonewire::kPreamble) {
    result_->code = kCloneIllegalData;
    return;
  }
  if (!echo_ && f[1] == clonewire::kComputer && f[2] == clonewire::kRadio &&
      f[3] == clonewire::kCmdIdentify) {
    // Our own E0 back without echo handling: the cable echoes, the radio is
    // not the one answering.
    result_->code = kCloneNoAnswer;
    return;
  }
  if (f[1] != clonewire::kRadio || f[2] != clonewire::kComputer ||
      f[3] != clonewire::kCmdIdentifyReply) {
    result_->code = kCloneIllegalData;
    return;
  }
  for (int i = 4; i < 8; ++i) {
    if (!clonewire::IsBcdByte(f[i])) {
      result_->code = kCloneIllegalData;
      return;
    }
  }
  result_->word1 = (f[4] << 8) | f[5];
  result_->word2 = (f[6] << 8) | f[7];
  result_->tail.SetBytes(f + 8, length - 8);
  result_->code = kCloneOk;
  hunting_ = false;
  // The setting keeps the index that answered (also when it held a type
  // outside the table, which the hunt took as 0).
  if (transType_ != nullptr && *transType_ != speedNow_) *transType_ = speedNow_;
}

void cmcCloneDrv::StateRead() {
  ReadIntoQueue();
  nextState_ = RunState::ReceivingData;
  progress_ = false;
  for (;;) {
    const FrameEvent event = NextFrame();
    if (event == FrameEvent::None) return;
    const int outcome = event == FrameEvent::Overflow ? kCloneIllegalData : CheckReadFrame();
    if (outcome == -1) {  // a data frame taken
      ++frameCount_;
      progress_ = true;
      continue;
    }
    // The end frame (with its coverage) or a fault ends the read.
    result_->code = outcome;
    nextState_ = RunState::Draining;
    return;
  }
}

// -1: a data frame was taken; otherwise the run's code.
int cmcCloneDrv::CheckReadFrame() {
  const std::uint8_t* f = frame_.Data();
  const int length = frame_.Length();
  if (length < kMinDataFrame || length > kMaxDataFrame || f[0] != clonewire::kPreamble ||
      f[1] != clonewire::kRadio || f[2] != clonewire::kComputer)
    return kCloneIllegalData;
  if (f[3] == clonewire::kCmdData) return DecodeDataFrame();
  if (f[3] == clonewire::kCmdEnd) {
    const int code = CheckEndFrame();
    return code == kCloneOk ? CoverageCheck() : code;
  }
  return kCloneIllegalData;
}

int cmcCloneDrv::DecodeDataFrame() {
  std::vector<std::uint8_t> unescaped;
  if (!clonewire::Unescape(frame_.Data() + 4, frame_.Length() - 4, unescaped))
    return kCloneIllegalData;
  clonewire::DataPayload payload;
  if (clonewire::DecodeDataPayload(unescaped, payload) != clonewire::PayloadCheck::Ok)
    return kCloneIllegalData;
  // An empty frame stores and marks nothing, wherever it points.
  if (payload.count == 0) return -1;
  const std::int64_t first = payload.address;
  const std::int64_t last = first + payload.count - 1;  // 64-bit: no wrap past 4 GB
  cmcEeprom& image = result_->image;
  if (first < 0 || last >= imageSize_ || !image.IsValidAddress(first) ||
      !image.IsValidAddress(last))
    return kCloneDataOverflow;
  image.SetBlock(first, payload.data.data(), payload.count);
  cmcBuff& bits = result_->received;
  const int needed = static_cast<int>(last / 8 + 1);
  if (bits.Length() < needed) bits.SetLength(needed);  // new bytes read 0
  for (std::int64_t a = first; a <= last; ++a)
    bits.Data()[a / 8] = static_cast<std::uint8_t>(bits.Data()[a / 8] | (1u << (a % 8)));
  dataBytes_ += payload.count;
  return -1;
}

int cmcCloneDrv::CheckEndFrame() {
  const std::string expected = clonewire::EndText(countSuffix_, frameCount_);
  const std::string_view text(reinterpret_cast<const char*>(frame_.Data()) + 4,
                              static_cast<size_t>(frame_.Length() - 4));
  if (text.size() != expected.size()) return kCloneIllegalData;
  if (text.substr(0, clonewire::kMakerText.size()) != clonewire::kMakerText)
    return kCloneIllegalData;
  if (text != expected) return kCloneCountError;
  return kCloneOk;
}

int cmcCloneDrv::CoverageCheck() const {
  const std::int64_t size = std::max<std::int64_t>(imageSize_, 0);
  const std::int64_t bytes = (size + 7) / 8;
  const cmcBuff& received = result_->received;
  if (received.Length() > bytes) return kCloneDataOverflow;
  std::vector<std::uint8_t> requested(static_cast<size_t>(bytes), 0);
  for (const MemRange& r : ranges_) {
    const std::int64_t first = std::max<std::int64_t>(r.first, 0);
    const std::int64_t last = std::min<std::int64_t>(r.last, size - 1);
    for (std::int64_t a = first; a <= last; ++a)
      requested[static_cast<size_t>(a / 8)] |= static_cast<std::uint8_t>(1u << (a % 8));
  }
  bool missing = false;
  for (std::int64_t i = 0; i < bytes; ++i) {
    const std::uint8_t got = i < received.Length() ? received.Data()[i] : 0;
    const std::uint8_t want = requested[static_cast<size_t>(i)];
    if (got & ~want) return kCloneDataOverflow;
    if (want & ~got) missing = true;
  }
  return missing ? kCloneDataMissing : kCloneOk;
}

void cmcCloneDrv::StateSendData() {
  nextState_ = RunState::SendingData;
  progress_ = false;
  for (int pass = 0; pass < kFramesPerTick; ++pass) {
    // A frame still waiting goes before another is built. Appending to it
    // while the line is behind would hand over ever larger lumps against an
    // ever larger allowance (four times their length), and the output would
    // grow with every hand-over until the radio gave up. Waiting at the end
    // of the list matters too: the frame would never go.
    if (outFrames_.Length() > 0 && !HandOverFrames()) return;
    if (rangeIndex_ >= ranges_.size()) {
      if (port_.PendingOut() == 0) nextState_ = RunState::SendingEnd;
      return;
    }
    const MemRange& range = ranges_[rangeIndex_];
    if (address_ > range.last) {
      ++rangeIndex_;
      if (rangeIndex_ < ranges_.size()) address_ = ranges_[rangeIndex_].first;
    } else {
      const std::int64_t n =
          std::min<std::int64_t>(blockSize_ - address_ % blockSize_, range.last - address_ + 1);
      outFrames_.AppendFill(clonewire::kPreamble,
                            frameCount_ == 0 ? dataPreambleFirst_ : dataPreambleLater_);
      clonewire::AppendDataFrame(outFrames_, static_cast<std::uint32_t>(address_),
                                 result_->image.Data() + address_, static_cast<int>(n));
      ++frameCount_;
      address_ += n;
      dataBytes_ += n;
    }
    if (outFrames_.Length() == 0) return;  // only moved to the next range
    if (!HandOverFrames()) return;
  }
}

bool cmcCloneDrv::HandOverFrames() {
  if (port_.PendingOut() > kPendingFactor * outFrames_.Length()) return false;
  SendBytes(outFrames_);
  outFrames_.SetLength(0);
  progress_ = true;
  return true;
}

void cmcCloneDrv::StateSendEnd() {
  cmcBuff end;
  BuildFrame(end, clonewire::kEndTemplate);
  const std::string text = clonewire::EndText(countSuffix_, frameCount_);
  end.AppendBytes(text.data() + clonewire::kMakerText.size(),
                  static_cast<int>(text.size() - clonewire::kMakerText.size()));
  end.PushByte(clonewire::kEnd);
  SendBytes(end);
}

void cmcCloneDrv::StateWriteAck() {
  ReadIntoQueue();
  const FrameEvent event = NextFrame();
  if (event == FrameEvent::None) {
    nextState_ = RunState::AwaitingWriteAck;
    progress_ = false;
    return;
  }
  static constexpr std::uint8_t kAck[] = {clonewire::kPreamble, clonewire::kRadio,
                                          clonewire::kComputer, clonewire::kCmdWriteAck, 0x00};
  const bool good = event == FrameEvent::Complete && frame_.Length() == 5 &&
                    std::equal(kAck, kAck + 5, frame_.Data());
  result_->code = good ? kCloneOk : kCloneWriteRejected;
  nextState_ = RunState::Draining;
}

void cmcCloneDrv::StateDrain() {
  if (port_.PendingOut() > 0) {
    nextState_ = RunState::Draining;
    progress_ = false;
    return;
  }
  nextState_ = RunState::Ending;
  if (!hunting_) return;
  speedNow_ = (speedNow_ + 1) % kSpeedIndexCount;
  if (speedNow_ == speedStart_) return;  // every index tried once
  settings_ = kHuntSettings[speedNow_].settings;
  echo_ = kHuntSettings[speedNow_].echo;
  rxQueue_.SetLength(0);
  echoQueue_.SetLength(0);
  frame_.SetLength(0);
  inFrame_ = false;
  nextState_ = RunState::OpeningPort;
}
