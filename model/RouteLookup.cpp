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

using namespace layout;

namespace {

using Call = std::array<char, 8>;

Call Padded(const char* text, int length) {
  Call call;
  call.fill(' ');
  const int n = std::clamp(length, 0, 8);
  for (int i = 0; i < n && text[i] != '\0'; ++i) call[static_cast<std::size_t>(i)] = text[i];
  return call;
}

bool IsBlank(const char* text, int n) {
  return core::IsBlankField(std::string_view(text, static_cast<std::size_t>(n)));
}

bool IsAOrBlank(char c) { return c == 'A' || c == ' '; }

bool ModuleMatches(char a, char b) { return a == b || (IsAOrBlank(a) && IsAOrBlank(b)); }

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

void ClipSpan(const cmcEeprom& image, int* from, int* to) {
  const int total = GetRptTotalCount(image);
  *from = std::clamp(*from, 0, total);
  *to = std::clamp(*to, *from, total);
}

template <typename Match>
int SearchRpt(const cmcEeprom& image, int from, int to, Match match) {
  ClipSpan(image, &from, &to);
  for (int i = from; i < to; ++i)
    if (match(ReadHead(image, i))) return i;
  return kRptNotFound;
}

Call YourCall(const cmcEeprom& image, int i) {
  Call call;
  image.GetBlock(kUrCalls + 8 * static_cast<std::int64_t>(i), call.data(), 8);
  return call;
}

}  // namespace

int FindRptByPlainCall(const cmcEeprom& image, const char* text8, int from, int to) {
  const Call text = Padded(text8, 8);
  return SearchRpt(image, from, to, [&](const RptHead& h) {
    return h.type == rpt::kTypeDv && !IsBlank(h.call.data(), 8) &&
           std::memcmp(h.call.data(), text.data(), 7) == 0 && ModuleMatches(h.call[7], text[7]);
  });
}

int FindRptBySlashForm(const cmcEeprom& image, const char* text8, int from, int to) {
  const Call text = Padded(text8, 8);
  return SearchRpt(image, from, to, [&](const RptHead& h) {
    return h.type == rpt::kTypeDv && !IsBlank(h.call.data(), 8) &&
           std::memcmp(h.call.data(), text.data() + 1, 6) == 0 && ModuleMatches(h.call[7], text[7]);
  });
}

int FindRptBySlashCall(const cmcEeprom& image, const char* text, int length) {
  if (length < 1 || text[0] != '/') return kRptNotFound;
  return FindRptBySlashForm(image, Padded(text, length).data(), 0, kRptCapacity);
}

int FindFmRptByCallFreq(const cmcEeprom& image, const char* call8, std::uint32_t freq, int from,
                        int to) {
  const Call call = Padded(call8, 8);
  return SearchRpt(image, from, to, [&](const RptHead& h) {
    return (h.type == rpt::kTypeFm || h.type == rpt::kTypeFmN) && h.duplex != 0 && h.call == call &&
           stepcode::DecodeFreq(h.head) == freq;
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
    if (std::memcmp(call.data(), wanted.data(), 7) == 0 && (call[7] == wanted[7] || call[7] == ' '))
      return i;
  }
  return kUrNotFound;
}
