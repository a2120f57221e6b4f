#include "clone/CloneWire.h"

#include "core/HexFrame.h"

namespace clonewire {

void AppendEscaped(cmcBuff& out, std::uint8_t b) {
  if (b >= kEscapeFrom) {
    out.PushByte(kEscape);
    out.PushByte(static_cast<std::uint8_t>(b & 0x0F));
  } else {
    out.PushByte(b);
  }
}

void AppendDataFrame(cmcBuff& out, std::uint32_t address, const std::uint8_t* data, int count) {
  cmcBuff head;
  BuildFrame(head, kDataTemplate);
  out.Append(head);
  const std::uint8_t fixed[5] = {
      static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
      static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
      static_cast<std::uint8_t>(count)};
  unsigned sum = 0;
  for (std::uint8_t b : fixed) {
    sum += b;
    AppendEscaped(out, b);
  }
  for (int i = 0; i < count; ++i) {
    const auto wire = static_cast<std::uint8_t>(data[i] + kDataOffset);
    sum += wire;
    AppendEscaped(out, wire);
  }
  AppendEscaped(out, static_cast<std::uint8_t>((256 - sum % 256) % 256));
  out.PushByte(kEnd);
}

std::string EndText(bool withCount, int frameCount) {
  std::string text(kMakerText);
  if (withCount) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const int c = frameCount & 0xFF;
    text += kDigits[c >> 4];
    text += kDigits[c & 0x0F];
  }
  return text;
}

bool Unescape(const std::uint8_t* payload, int length, std::vector<std::uint8_t>& out) {
  out.clear();
  out.reserve(static_cast<size_t>(length > 0 ? length : 0));
  for (int i = 0; i < length; ++i) {
    if (payload[i] != kEscape) {
      out.push_back(payload[i]);
      continue;
    }
    if (i + 1 >= length) return false;
    out.push_back(static_cast<std::uint8_t>(payload[++i] | 0xF0));
  }
  return true;
}

PayloadCheck DecodeDataPayload(const std::vector<std::uint8_t>& p, DataPayload& out) {
  constexpr size_t kOverhead = 6;  // four address bytes, the count, the checksum
  if (p.size() < kOverhead) return PayloadCheck::Malformed;
  const int count = p[4];
  if (static_cast<size_t>(count) != p.size() - kOverhead) return PayloadCheck::Malformed;
  unsigned sum = 0;
  for (std::uint8_t b : p) sum += b;
  if (sum % 256 != 0) return PayloadCheck::Malformed;
  out.address = (std::int64_t{p[0]} << 24) | (std::int64_t{p[1]} << 16) |
                (std::int64_t{p[2]} << 8) | std::int64_t{p[3]};
  out.count = count;
  out.data.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    out.data[static_cast<size_t>(i)] =
        static_cast<std::uint8_t>(p[5 + static_cast<size_t>(i)] - kDataOffset);
  return PayloadCheck::Ok;
}

}  // namespace clonewire
