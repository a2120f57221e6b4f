#pragma once
// Bounded byte access for the image converters: a read outside the source
// gives 0xFF and a write outside the new image is dropped, so no table value
// can ever lead a converter outside an image.
#include <cstdint>
#include <cstring>

#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"

class MemMapConvertIo {
 public:
  MemMapConvertIo(cmcEeprom& out, int outRev, const cmcEeprom& in, int inRev)
      : out_(out), in_(in), outRev_(MemMapRevisionOf(outRev)), inRev_(MemMapRevisionOf(inRev)) {}

  // Region starts in the new image and in the source.
  std::int64_t OutR(int region) const { return outRev_.Region(region); }
  std::int64_t InR(int region) const { return inRev_.Region(region); }
  const MemMapCapacities& OutCaps() const { return outRev_.Capacities(); }
  const MemMapCapacities& InCaps() const { return inRev_.Capacities(); }

  std::uint8_t In(std::int64_t a) const {
    return (a >= 0 && a < in_.GetSize()) ? in_.Data()[a] : 0xFF;
  }
  unsigned In16(std::int64_t a) const { return static_cast<unsigned>(In(a)) << 8 | In(a + 1); }
  std::uint8_t Out(std::int64_t a) const {
    return (a >= 0 && a < out_.GetSize()) ? out_.Data()[a] : 0xFF;
  }
  void Set(std::int64_t a, std::uint8_t v) {
    if (a >= 0 && a < out_.GetSize()) out_.Data()[a] = v;
  }
  void Set16(std::int64_t a, unsigned v) {
    Set(a, static_cast<std::uint8_t>(v >> 8));
    Set(a + 1, static_cast<std::uint8_t>(v));
  }
  void Fill(std::int64_t a, std::uint8_t v, std::int64_t n) {
    for (std::int64_t i = 0; i < n; ++i) Set(a + i, v);
  }
  void Copy(std::int64_t outA, std::int64_t inA, std::int64_t n) {
    if (n > 0 && outA >= 0 && inA >= 0 && outA + n <= out_.GetSize() && inA + n <= in_.GetSize()) {
      std::memcpy(out_.Data() + outA, in_.Data() + inA, static_cast<size_t>(n));
      return;
    }
    for (std::int64_t i = 0; i < n; ++i) Set(outA + i, In(inA + i));
  }
  // Copy within the new image (regions that move).
  void Move(std::int64_t to, std::int64_t from, std::int64_t n) {
    std::uint8_t buf[64];
    for (std::int64_t done = 0; done < n; done += 64) {
      const std::int64_t k = (n - done < 64) ? n - done : 64;
      for (std::int64_t i = 0; i < k; ++i) buf[i] = Out(from + done + i);
      for (std::int64_t i = 0; i < k; ++i) Set(to + done + i, buf[i]);
    }
  }

 private:
  cmcEeprom& out_;
  const cmcEeprom& in_;
  const MemMapRevision& outRev_;
  const MemMapRevision& inRev_;
};

// A fresh converted image: 0x40000 bytes of 0xFF.
inline cmcEeprom MemMapBlankImage() {
  cmcEeprom image;
  image.SetSize(0x40000);
  image.Fill(0xFF);
  return image;
}

// The converted area of a revision: everything before the software area.
inline std::int64_t MemMapConvertedSize(int rev) { return MemMapRevisionOf(rev).Region(54); }
