#pragma once
// The outcome of one clone run, handed to the run's done closure. The engine
// owns it while the run goes and frees it after the closure returns, so a
// closure that wants to keep anything copies it out (a read's image is
// adopted only on code 0).
#include <cstdint>

#include "core/cmcBuff.h"
#include "model/cmcEeprom.h"

// Result codes the engine sets; the clone manager sets more of its own.
enum CloneResultCode : std::int32_t {
  kCloneOk = 0,
  kClonePortFailed = 2,      // the port would not open
  kCloneEchoMismatch = 4,    // echo differed, or was still due at a time-out
  kCloneNoAnswer = 5,        // nothing within the time-out (or our own E0 seen)
  kCloneIllegalData = 6,     // malformed frame, checksum, length, end text
  kCloneCountError = 7,      // the end frame's count differs
  kCloneDataMissing = 8,     // requested addresses not received
  kCloneDataOverflow = 9,    // data outside the image or the requested ranges
  kCloneWriteRejected = 10,  // wrong or missing write acknowledgement
  kCloneWriteFailed = 17,    // the port accepted fewer bytes than written
};

enum CloneMode : std::int32_t {
  kCloneModeIdentify = 1,
  kCloneModeRead = 2,
  kCloneModeWrite = 3,
};

struct dst_CDrv_Result {
  std::int32_t mode = 0;
  std::int32_t code = kClonePortFailed;
  std::int32_t word1 = 0;  // the model words; an identification puts the radio's here
  std::int32_t word2 = 0;
  cmcBuff tail;      // the E1 reply after its two words: the radio information
  cmcEeprom image;   // read: what came in; write: the copy being sent
  cmcBuff received;  // bit a % 8 of byte a / 8 for every address received

  // Whether the address came in (false beyond the bitmap).
  bool IsReceived(std::int64_t address) const;
  // Addresses received.
  std::int64_t ReceivedCount() const;
};
