// kw-test: label=locale
// The editor protocol, one table across every converter: a committed edit
// is parsed, the display text comes selected from the caret at 0, Enter and
// F2 open the editor (or the converter's dialog), an accepted character
// opens the editor with just that character, and without an owner control
// no key does anything.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "CapsuleKit.h"
#include "cells/BitSetConverters.h"
#include "cells/CallSignConverters.h"
#include "cells/CodeConverters.h"
#include "cells/ConverterContext.h"
#include "cells/NumberConverters.h"
#include "cells/PositionConverters.h"
#include "cells/TextConverters.h"
#include "support/RecordingDialogs.h"

namespace {

using kwtest::Commit;
using kwtest::Key;
using kwtest::Query;
using kwtest::Typed;

// One converter over its own stored value.
struct Subject {
  std::function<int(const ConverterContext&, cmcCellCapsule&, int&)> run;
  std::function<std::string()> value;  // the stored value, printed
};

template <class V, class Run, class Show>
std::function<Subject()> Make(V initial, Run run, Show show) {
  return [=] {
    auto v = std::make_shared<V>(initial);
    return Subject{[v, run](const ConverterContext& ctx, cmcCellCapsule& c, int& s) {
                     return run(ctx, c, *v, s);
                   },
                   [v, show] { return show(*v); }};
  };
}

std::string Num(std::int64_t v) { return std::to_string(v); }
template <std::size_t N>
std::string Chars(const std::array<char, N>& a) {
  return std::string(a.data(), N);
}
template <std::size_t N>
std::string Hex(const std::array<std::uint8_t, N>& a) {
  std::string t;
  for (auto b : a) t += Num(b) + " ";
  return t;
}

struct Row {
  const char* name;
  std::function<Subject()> make;
  const char* display;  // shown for the initial value
  const char* entry;    // a committed text (nullptr: the converter takes none)
  const char* stored;   // the value after it
  char accepted;        // a typed character that opens the editor (0: none)
  bool dialog;          // Enter opens a dialog: result word 1
};

std::vector<Row> Rows() {
  using A4 = std::array<std::uint8_t, 4>;
  using C8 = std::array<char, 8>;
  using C16 = std::array<char, 16>;
  return {
      {"EditFrequency",
       Make<std::uint32_t>(
           145000000,
           [](auto&, auto& c, auto& v, int& s) { return EditFrequency(c, v, 118, 550, false, s); },
           Num),
       "145.000000", "433.5", "433500000", '4', false},
      {"EditRepeaterFrequency",
       Make<std::uint32_t>(
           439500000,
           [](auto&, auto& c, auto& v, int& s) {
             return EditRepeaterFrequency(c, v, 0.03, 1399.995, s);
           },
           Num),
       " 439.500000", "1295.1", "1295100000", '1', false},
      {"EditDecimal",
       Make<std::int32_t>(
           600000,
           [](auto&, auto& c, auto& v, int& s) {
             return EditDecimal(c, v, 6, 6, 3, 0, 59.995, 1, false, false, false, s);
           },
           Num),
       "  0.600000", "5", "5000000", '5', false},
      {"EditInteger",
       Make<std::int32_t>(
           7,
           [](auto&, auto& c, auto& v, int& s) {
             return EditInteger(c, v, 0, 99, 1, 1, false, nullptr, false, s);
           },
           Num),
       "8", "20", "19", '3', false},
      {"EditBankChNo",
       Make<std::int32_t>(
           7,
           [](auto&, auto& c, auto& v, int& s) {
             return EditBankChNo(c, nullptr, v, 0, 99, 0, 1, nullptr, false, s);
           },
           Num),
       "7", "42", "42", '4', false},
      {"EditSelectChNo",
       Make<std::int32_t>(
           12,
           [](auto&, auto& c, auto& v, int& s) { return EditSelectChNo(c, v, 0, 999, false, s); },
           Num),
       "12", "345", "345", '3', false},
      {"EditHexBytes",
       Make<std::array<std::uint8_t, 1>>(
           {0x58}, [](auto&, auto& c, auto& v, int& s) { return EditHexBytes(c, v, 1, 0xDF, s); },
           Hex<1>),
       "58", "7e", "126 ", 'a', false},
      {"EditHexBits",
       Make<std::uint8_t>(
           0xA5,
           [](auto& ctx, auto& c, auto& v, int& s) {
             return EditHexBits(ctx, c, v, 0xA5, 0, 0, s);
           },
           Num),
       "A5", "3c", "60", 'c', true},
      {"EditDtmfCode",
       Make<std::array<std::uint8_t, 4>>(
           {1, 2, 0xFF, 0xFF},
           [](auto&, auto& c, auto& v, int& s) { return EditDtmfCode(c, v, 4, s); }, Hex<4>),
       "12", "9#", "9 15 255 255 ", '*', false},
      {"EditDigitalCode",
       Make<std::uint8_t>(
           5, [](auto&, auto& c, auto& v, int& s) { return EditDigitalCode(c, v, s); }, Num),
       "05", "42", "42", '9', false},
      {"EditUtcOffset",
       Make<std::int32_t>(
           540, [](auto&, auto& c, auto& v, int& s) { return EditUtcOffset(c, v, true, s); }, Num),
       "+9:00", "-5:30", "-330", ':', false},
      {"EditBankLinks",
       Make<std::uint32_t>(
           0x200,
           [](auto& ctx, auto& c, auto& v, int& s) {
             return EditBankLinks(ctx, c, v, 1, 10, bitheader::kLetters, s);
           },
           Num),
       "A_________", nullptr, nullptr, 0, true},
      {"EditNmeaSentences",
       Make<std::uint32_t>(
           0x10,
           [](auto& ctx, auto& c, auto& v, int& s) { return EditNmeaSentences(ctx, c, v, s); },
           Num),
       "RMC", nullptr, nullptr, 0, true},
      {"EditNmeaOutput",
       Make<std::uint32_t>(
           0x9, [](auto& ctx, auto& c, auto& v, int& s) { return EditNmeaOutput(ctx, c, v, s); },
           Num),
       "RMC, GSA", nullptr, nullptr, 0, true},
      {"EditNameText",
       Make<std::string>(
           "Home",
           [](auto& ctx, auto& c, auto& v, int& s) { return EditNameText(ctx, c, v, 16, s); },
           [](const std::string& v) { return v; }),
       "Home", "Club  ", "Club", 'x', false},
      {"EditFixedText",
       Make<C8>(
           {'N', 'O', 'T', 'E', ' ', ' ', ' ', ' '},
           [](auto& ctx, auto& c, auto& v, int& s) { return EditFixedText(ctx, c, v, s); },
           Chars<8>),
       "NOTE", "ab", "ab      ", '!', false},
      {"EditMessageText",
       Make<C16>(
           {'C', 'Q', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '},
           [](auto& ctx, auto& c, auto& v, int& s) { return EditMessageText(ctx, c, v, -1, s); },
           Chars<16>),
       "CQ", "Hello", "Hello           ", 'H', false},
      {"EditCallSignCode",
       Make<C8>(
           {'J', 'A', '1', 'Y', 'X', 'X', ' ', ' '},
           [](auto& ctx, auto& c, auto& v, int& s) {
             return EditCallSignCode(ctx, c, v, false, s);
           },
           Chars<8>),
       "JA1YXX", "k7abc", "K7ABC   ", '/', false},
      {"EditRouteCallSign",
       Make<C8>(
           {'C', 'Q', 'C', 'Q', 'C', 'Q', ' ', ' '},
           [](auto& ctx, auto& c, auto& v, int& s) {
             ConverterContext noDialog = ctx;
             noDialog.repeaterDialog = false;
             return EditRouteCallSign(noDialog, c, v, nullptr, 0, true, s);
           },
           Chars<8>),
       "CQCQCQ", "w1aw", "W1AW    ", 'W', false},
      {"EditGpsField",
       Make<A4>(
           {35, 0x98, 0xD3, 'N'},
           [](auto& ctx, auto& c, auto& v, int& s) {
             return EditGpsField(ctx, c, v, 0, gpsfield::kLatitudeHundredths, s);
           },
           Hex<4>),
       "35\xB0"
       "39.12'N",
       nullptr, nullptr, 0, true},
      {"EditAltitude",
       Make<std::int32_t>(
           1234,
           [](auto& ctx, auto& c, auto& v, int& s) { return EditAltitude(ctx, c, v, false, s); },
           Num),
       "123ft", "500", "5000", '-', false},
      {"EditSpeed",
       Make<std::int32_t>(
           655, [](auto& ctx, auto& c, auto& v, int& s) { return EditSpeed(ctx, c, v, 2, s); },
           Num),
       "66kt", "12", "120", '7', false},
      {"EditCourse",
       Make<std::int32_t>(
           90, [](auto& ctx, auto& c, auto& v, int& s) { return EditCourse(ctx, c, v, s); }, Num),
       "90\xB0", "270", "270", '1', false},
      {"EditPosition",
       Make<std::array<std::uint8_t, 2>>(
           {0x30, 0x39},
           [](auto& ctx, auto& c, auto& v, int& s) { return EditPosition(ctx, c, v, s); }, Hex<2>),
       "12.34'", "1.5", "5 220 ", '.', false},
  };
}

TEST(EditorProtocol, EveryConverterKeepsTheProtocol) {
  kwtest::RecordingDialogs dialogs;
  const ConverterContext ctx;
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    {  // display: everything selected from the caret at 0
      Subject s = row.make();
      cmcCellCapsule c = Query();
      int status = 0;
      EXPECT_EQ(s.run(ctx, c, status), 0);
      EXPECT_EQ(status, 0);
      EXPECT_EQ(c.outputText, row.display);
      EXPECT_EQ(c.caretPos, 0);
      EXPECT_EQ(c.selLength, static_cast<int>(c.outputText.size()));
    }
    for (int key : {int{cellop::kEnter}, int{cellop::kF2}}) {  // Enter and F2
      Subject s = row.make();
      const std::string before = s.value();
      const std::size_t opened = dialogs.Count();
      cmcCellCapsule c = Key(key);
      int status = 0;
      s.run(ctx, c, status);
      EXPECT_EQ(status, row.dialog ? kCellRedraw : kCellOpenEditor) << key;
      EXPECT_EQ(dialogs.Count(), opened + (row.dialog ? 1 : 0)) << key;
      EXPECT_EQ(s.value(), before) << key;
    }
    if (row.accepted) {  // the typed character alone
      Subject s = row.make();
      cmcCellCapsule c = Typed(row.accepted);
      int status = 0;
      EXPECT_EQ(s.run(ctx, c, status), 0);
      EXPECT_EQ(status, kCellOpenEditor);
      EXPECT_EQ(c.outputText, std::string(1, row.accepted));
      EXPECT_EQ(c.caretPos, 1);
      EXPECT_EQ(c.selLength, 0);
    }
    for (int key : {int{cellop::kEnter}, int{cellop::kSpace}, int{cellop::kBackspace}, int{'1'}}) {
      Subject s = row.make();  // no owner control: keys are ignored
      const std::string before = s.value();
      const std::size_t opened = dialogs.Count();
      cmcCellCapsule c = kwtest::PlainQuery(key);
      int status = 0;
      EXPECT_EQ(s.run(ctx, c, status), 0) << key;
      EXPECT_EQ(status, 0) << key;
      EXPECT_EQ(c.outputText, row.display) << key;
      EXPECT_EQ(dialogs.Count(), opened) << key;
      EXPECT_EQ(s.value(), before) << key;
    }
    if (row.entry) {  // a committed edit
      Subject s = row.make();
      cmcCellCapsule c = Commit(row.entry);
      int status = 0;
      EXPECT_EQ(s.run(ctx, c, status), 1);
      EXPECT_EQ(s.value(), row.stored);
      EXPECT_EQ(status, 0);
    }
  }
}

// Any byte string, committed or as a dialog's answer, is read, clamped or
// refused: never a crash, never a read outside the field.
TEST(EditorProtocol, ArbitraryBytesNeverCrashAConverter) {
  kwtest::RecordingDialogs dialogs;
  const ConverterContext ctx;
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<char>((seed >> 16) & 0xFF);
  };
  const std::string pieces[] = {".",
                                "-",
                                "+",
                                ":",
                                "/",
                                "*",
                                "#",
                                "\xB0",
                                "\x82",
                                "'",
                                "\"",
                                "2015/04/07",
                                " 35\xB0"
                                "39.12'N",
                                "99999999999"};
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    for (int i = 0; i < 200; ++i) {
      std::string text;
      const int length = static_cast<unsigned char>(next()) % 24;
      for (int k = 0; k < length; ++k) {
        const char b = next();
        text += (b & 3) == 0 ? pieces[static_cast<unsigned char>(b) % std::size(pieces)]
                             : std::string(1, b);
      }
      Subject s = row.make();
      cmcCellCapsule c = i % 2 ? Commit(text) : kwtest::Answer(text);
      int status = 0;
      const int changed = s.run(ctx, c, status);
      EXPECT_TRUE(changed == 0 || changed == 1);
      EXPECT_LE(c.outputText.size(), 64u);
    }
  }
}

}  // namespace
