#pragma once
// The enumeration tables of the CSV columns: each row a text and a value. A
// value may have two texts (the first is written); a text occurs once.
// Reading trims the text and compares it without regard to ASCII letter
// case; a text no row holds reads as 65535. Writing a value no row holds
// gives "NOT_FOUND".
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace csv {

inline constexpr std::uint32_t kNotFound = 65535;
inline constexpr const char* kNotFoundText = "NOT_FOUND";

struct FieldRow {
  const char* text;
  std::uint32_t value;
};
using FieldTable = std::span<const FieldRow>;

// Equal texts, ASCII letters compared without regard to case.
bool EqualNoCase(std::string_view a, std::string_view b);

std::uint32_t EnumParse(FieldTable table, std::string_view text);
std::string EnumFormat(FieldTable table, std::uint32_t value);

FieldTable DuplexTable();
FieldTable TuneStepTable();          // "," reads as "." (see ParseTuneStep)
FieldTable TuneStepWithNoneTable();  // scan edges: "-" = 255
FieldTable ModeTable();
FieldTable ModeWithNoneTable();      // scan edges: "-" = 255
FieldTable RptModeTable();
FieldTable SkipTable();
FieldTable ToneModeTable();
FieldTable ShortToneModeTable();     // repeaters
FieldTable CtcssTable();             // 50 tones, "67.0Hz" = 0 ...
FieldTable DtcsTable();              // 104 codes, "023" = 0 ...
FieldTable PolarityTable();
FieldTable DigitalSquelchTable();
FieldTable GpsGroupTable();          // "OFF" = 0, "A".."Z" = 1..26
FieldTable OffOnTable();
FieldTable NoYesTable();
FieldTable PositionTable();

// Tuning steps with "," read as ".".
std::uint32_t ParseTuneStep(FieldTable table, std::string_view text);
// DTCS codes of one or two characters read with a "0" in front.
std::uint32_t ParseDtcs(std::string_view text);
// A tone's text with "." written as the decimal character.
std::string FormatCtcss(std::uint32_t value, char decimal);

}  // namespace csv
