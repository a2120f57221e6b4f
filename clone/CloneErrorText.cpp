#include "clone/CloneErrorText.h"

#include <charconv>

#include "core/cmcGTex.h"

namespace {

constexpr unsigned Lines(std::initializer_list<int> lines) {
  unsigned mask = 0;
  for (int n : lines) mask |= 1u << n;
  return mask;
}

constexpr unsigned kBasic = Lines({0, 1, 2, 3});

constexpr unsigned kCheckLines[kCloneErrorCodeCount] = {
    0,                          // 0 OK (no box)
    kBasic,                     // 1 Cannot Clone.
    kBasic,                     // 2 Cannot access COM %d.
    kBasic,                     // 3 COM buffer overflow.
    kBasic,                     // 4 Cannot access COM port.
    kBasic,                     // 5 No answer from transceiver.
    kBasic,                     // 6 Illegal data.
    kBasic,                     // 7 Data counter error.
    kBasic,                     // 8 There is not enough data.
    kBasic,                     // 9 Data overflow.
    Lines({0, 2, 3}),           // 10 Cannot write cloning data.
    Lines({0, 1, 2, 3, 4, 5}),  // 11 Illegal information.
    Lines({0, 1, 2, 3, 4, 5}),  // 12 Illegal information.
    Lines({6}),                 // 13 Transceiver version does not match.
    Lines({0, 4, 5}),           // 14 Not a compatible model.
    kBasic,                     // 15 Illegal data.
    0,                          // 16 Please update to the latest version.
    kBasic,                     // 17 Cannot Clone.
};

constexpr int kCheckLineCount = 7;
// "Cannot access COM %d." and "Cannot access COM port.".
constexpr int kPortHead = 2;
constexpr int kPortAnyHead = 4;
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 256;

}  // namespace

int CloneErrorHeadIndex(int code) { return code >= 0 && code < kCloneErrorCodeCount ? code : 1; }

std::string FillDecimalPlaceholder(std::string_view templ, long long value) {
  std::string out(templ);
  const auto at = out.find("%d");
  if (at == std::string::npos) return out;
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;
  out.replace(at, 2, digits, static_cast<std::size_t>(end - digits));
  return out;
}

int CountPlaceholders(std::string_view text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;  // "%%" is a literal percent sign
      continue;
    }
    ++count;
  }
  return count;
}

std::string CloneErrorText(cmcGTex& texts, int code, int port, std::string_view accessGroup) {
  if (code == 0) return {};
  const int head = CloneErrorHeadIndex(code);
  if (head == 2 && (port < kLowestPort || port > kHighestPort))
    return GetGTexLines(texts, "GI_Mess_ComSettingErr_Head");

  std::string text = texts.GetText("GI_Mess_CloneErr_Head", head);
  if (head == 2) text = FillDecimalPlaceholder(text, port);
  text += "\n\n";
  const unsigned lines = kCheckLines[head];
  bool first = true;
  for (int n = 0; n < kCheckLineCount; ++n) {
    if (!(lines & (1u << n))) continue;
    if (!first) text += '\n';
    text += texts.GetText("GI_Mess_CloneErr_Check", n);
    first = false;
  }
  if (!accessGroup.empty() && (head == kPortHead || head == kPortAnyHead)) {
    std::string line = texts.GetFirst("GI_Mess_CloneErr_Access");
    if (const std::size_t at = line.find("%s"); at != std::string::npos)
      line.replace(at, 2, accessGroup);
    text += "\n\n" + line;
  }
  return text;
}
