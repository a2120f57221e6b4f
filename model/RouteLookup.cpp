#include "model/RouteLookup.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/TextFields.h"
#include "model/CallSignPack.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/StepCode.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"

using namespace layout;

namespace {

using Call = std::array<char, 8>;
using Name = std::array<char, 16>;

// The first `length` bytes of the text as they are (a NUL is a byte like
// any other: stored fields are blank padded, not terminated), padded with
// blanks to N.
template <std::size_t N>
std::array<char, N> PaddedTo(const char* text, int length) {
  std::array<char, N> out;
  out.fill(' ');
  if (text == nullptr) return out;
  const int n = std::clamp(length, 0, static_cast<int>(N));
  std::copy_n(text, n, out.begin());
  return out;
}

Call Padded(const char* text, int length) { return PaddedTo<8>(text, length); }

bool IsBlank(const char* text, int n) {
  return core::IsBlankField(std::string_view(text, static_cast<std::size_t>(n)));
}

bool IsAOrBlank(char c) { return c == 'A' || c == ' '; }

bool ModuleMatches(char a, char b) { return a == b || (IsAOrBlank(a) && IsAOrBlank(b)); }

bool SameFirst7(const Call& a, const Call& b) { return std::memcmp(a.data(), b.data(), 7) == 0; }

// Type and packed call sign straight from the record, without a full decode.
struct RptHead {
  std::uint32_t type;
  Call call;
  std::uint8_t head[3];
  std::uint32_t duplex;
};

RptHead ReadHead(const cmcEeprom& image, int i) {
  std::array<std::uint8_t, rpt::kCall + kPackedCallSize> b{};
  image.GetBlock(RptAddress(i), b.data(), static_cast<std::int64_t>(b.size()));
  RptHead h{};
  h.type = b[rpt::kTypeDuplex] >> 6;
  h.duplex = (b[rpt::kTypeDuplex] >> 4) & 3;
  std::memcpy(h.head, &b[rpt::kFreq], 3);
  callsign::UnpackText7(&b[rpt::kCall], h.call.data());
  return h;
}

Call ReadGateway(const cmcEeprom& image, int i) {
  std::uint8_t packed[kPackedCallSize];
  image.GetBlock(kRptGatewayCalls + static_cast<std::int64_t>(kPackedCallSize) * i, packed,
                 kPackedCallSize);
  Call call;
  callsign::UnpackText7(packed, call.data());
  return call;
}

Name ReadRptName(const cmcEeprom& image, int i) {
  Name name;
  image.GetBlock(RptAddress(i) + rpt::kName, name.data(), static_cast<std::int64_t>(name.size()));
  return name;
}

void ClipSpan(const cmcEeprom& image, int* from, int* to) {
  const int total = GetRptTotalCount(image);
  *from = std::clamp(*from, 0, total);
  *to = std::clamp(*to, *from, total);
}

template <typename Match>
int SearchRpt(const cmcEeprom& image, int from, int to, Match match) {
  ClipSpan(image, &from, &to);
  for (int i = from; i < to; ++i)
    if (match(i, ReadHead(image, i))) return i;
  return kRptNotFound;
}

Call YourCall(const cmcEeprom& image, int i) {
  Call call;
  image.GetBlock(kUrCalls + 8 * static_cast<std::int64_t>(i), call.data(), 8);
  return call;
}

Name YourCallName(const cmcEeprom& image, int i) {
  Name name;
  image.GetBlock(kUrNames + 16 * static_cast<std::int64_t>(i), name.data(), 16);
  return name;
}

bool IsFmType(std::uint32_t type) { return type == rpt::kTypeFm || type == rpt::kTypeFmN; }

// The general range of a frequency, 0 Hz being a range of its own.
int RangeOf(std::uint64_t f) {
  return f == 0 ? 4 : indDestination::OffsetRangeIndex(static_cast<std::int64_t>(f));
}

}  // namespace

int FindRptByPlainCall(const cmcEeprom& image, const char* text8, int from, int to) {
  const Call text = Padded(text8, 8);
  return SearchRpt(image, from, to, [&](int, const RptHead& h) {
    return h.type == rpt::kTypeDv && !IsBlank(h.call.data(), 8) && SameFirst7(h.call, text) &&
           ModuleMatches(h.call[7], text[7]);
  });
}

int FindRptBySlashForm(const cmcEeprom& image, const char* text8, int from, int to) {
  const Call text = Padded(text8, 8);
  return SearchRpt(image, from, to, [&](int, const RptHead& h) {
    return h.type == rpt::kTypeDv && !IsBlank(h.call.data(), 8) &&
           std::memcmp(h.call.data(), text.data() + 1, 6) == 0 && ModuleMatches(h.call[7], text[7]);
  });
}

int FindRptBySlashCall(const cmcEeprom& image, const char* text, int length) {
  if (text == nullptr || length < 1 || text[0] != '/') return kRptNotFound;
  return FindRptBySlashForm(image, Padded(text, length).data(), 0, kRptCapacity);
}

int FindFmRptByCallFreq(const cmcEeprom& image, const char* call8, std::uint32_t freq, int from,
                        int to) {
  const Call call = Padded(call8, 8);
  return SearchRpt(image, from, to, [&](int, const RptHead& h) {
    return IsFmType(h.type) && h.duplex != 0 && h.call == call &&
           stepcode::DecodeFreq(h.head) == freq;
  });
}

int FindFmRptByCallRange(const cmcEeprom& image, const char* call8, std::uint32_t freq, int from,
                         int to) {
  const Call call = Padded(call8, 8);
  if (IsBlank(call.data(), 8)) return kRptNotFound;
  const int range = RangeOf(freq);
  return SearchRpt(image, from, to, [&](int, const RptHead& h) {
    return IsFmType(h.type) && h.call == call && RangeOf(stepcode::DecodeFreq(h.head)) == range;
  });
}

int FindRptByGatewayCall(const cmcEeprom& image, const char* text8, const char* pairCall8, int from,
                         int to) {
  const Call text = Padded(text8, 8);
  if (text[7] != 'G') return kRptNotFound;
  const bool paired = pairCall8 != nullptr;
  const Call pair = Padded(pairCall8, 8);
  int sameBase = kRptNotFound;  // first candidate with the text's 7 characters
  const int found = SearchRpt(image, from, to, [&](int i, const RptHead& h) {
    if (h.type != rpt::kTypeDv || IsBlank(h.call.data(), 8)) return false;
    const Call gateway = ReadGateway(image, i);
    if (IsBlank(gateway.data(), 8) || gateway != text) return false;
    if (paired) return SameFirst7(h.call, pair);
    if (!SameFirst7(h.call, text)) return false;
    if (IsAOrBlank(h.call[7])) return true;
    if (sameBase == kRptNotFound) sameBase = i;
    return false;
  });
  return found != kRptNotFound ? found : sameBase;
}

int FindCallSignIndex(const cmcEeprom& image, const char* text, const char* pairCall, int length,
                      int mode) {
  if (text == nullptr || length < 8 || length > 16) return kRptNotFound;
  const Name padded = PaddedTo<16>(text, length);
  if (!IsBlank(padded.data() + 8, 8)) return kRptNotFound;
  switch (mode) {
    case kCallModePlain: return FindRptByPlainCall(image, padded.data(), 0, kRptCapacity);
    case kCallModeSlash: return FindRptBySlashForm(image, padded.data(), 0, kRptCapacity);
    case kCallModeGateway:
      return FindRptByGatewayCall(image, padded.data(), pairCall, 0, kRptCapacity);
    default: return kRptNotFound;
  }
}

int FindRptByCall(const cmcEeprom& image, const char* text, int length) {
  const Call call = Padded(text, length);
  if (call[7] == 'G') return FindRptByGatewayCall(image, call.data(), nullptr, 0, kRptCapacity);
  if (IsBlank(call.data(), 8)) return kRptNotFound;
  return FindRptByPlainCall(image, call.data(), 0, kRptCapacity);
}

int FindRptByCallPair(const cmcEeprom& image, const char* call1, const char* call2, int length,
                      int pairFlag) {
  const Call first = Padded(call1, length);
  const Call second = Padded(call2, length);
  if (second[7] == 'G') {
    const bool paired = pairFlag == 1 && !IsBlank(first.data(), 8);
    return FindRptByGatewayCall(image, second.data(), paired ? first.data() : nullptr, 0,
                                kRptCapacity);
  }
  if (IsBlank(second.data(), 8)) return kRptNotFound;
  return FindRptByPlainCall(image, second.data(), 0, kRptCapacity);
}

int FindDvRptByName(const cmcEeprom& image, const char* name16) {
  const Name name = PaddedTo<16>(name16, 16);
  return SearchRpt(image, 0, kRptCapacity, [&](int i, const RptHead& h) {
    return h.type == rpt::kTypeDv && ReadRptName(image, i) == name;
  });
}

int FindYourCallSignAny(const cmcEeprom& image, const char* text, int length) {
  const Call wanted = Padded(text, length);
  if (IsBlank(wanted.data(), 8)) return kUrNotFound;
  const int count = GetYourCallCount(image);
  for (int i = 0; i < count; ++i)
    if (YourCall(image, i) == wanted) return i;
  return kUrNotFound;
}

int FindYourCallSignNoSlash(const cmcEeprom& image, const char* text, int length) {
  const Call wanted = Padded(text, length);
  if (wanted[0] == '/' || IsBlank(wanted.data(), 8)) return kUrNotFound;
  const int count = GetYourCallCount(image);
  for (int i = 0; i < count; ++i) {
    const Call call = YourCall(image, i);
    if (SameFirst7(call, wanted) && (call[7] == wanted[7] || call[7] == ' ')) return i;
  }
  return kUrNotFound;
}

int FindYourCallSign(const cmcEeprom& image, const char* name16) {
  const Name name = PaddedTo<16>(name16, 16);
  const int count = GetYourCallCount(image);
  for (int i = 0; i < count; ++i)
    if (YourCallName(image, i) == name) return i;
  return kUrNotFound;
}

int LookupCallSignText(const cmcEeprom& image, const char* text, int length) {
  if (text == nullptr || length < 1 || length > 16) return kRptNotFound;
  const Name padded = PaddedTo<16>(text, length);
  int found = FindYourCallSign(image, padded.data());
  if (found == kUrNotFound) found = FindYourCallSignNoSlash(image, padded.data(), 8);
  return found == kUrNotFound ? kRptNotFound : found;
}
