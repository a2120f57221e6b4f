#pragma once
// The texts the page classes build for their title lines and the small
// readers of a page reference's name text. Texts are CP932 bytes; the
// formats come from the text table ("(Remain %3d memories)").
//
// A format is read for its first "%s" or "%d" (an optional width between the
// '%' and the 'd' right-aligns the number in that many characters) and "%%";
// any other byte stands as it is, so a damaged format never reads outside its
// arguments.
#include <string>
#include <string_view>

class cmcGTex;
class indEnviron;
struct GpsAlarm;

namespace pagetitle {

// Blanks between the name part of a title and its remaining part.
inline constexpr std::string_view kGap = "      ";

// The format with its first "%s" replaced by the text.
std::string FillText(std::string_view format, std::string_view text);
// The format with its first "%d" (or "%<width>d") replaced by the number.
std::string FillNumber(std::string_view format, int value);

// Value 0 of the key filled with the remaining count (never below 0).
std::string RemainPart(cmcGTex& texts, std::string_view key, int remain);
// The name part, the gap and the remaining part.
std::string Join(std::string_view name, std::string_view remain);
// A list's label as the interface shows it: unless the interface is
// Japanese, double-byte characters become '=' and half-width katakana '_'
// (as the tree shows the same names).
std::string ForInterface(std::string label, const indEnviron& settings);

// The text after the name text's first comma (empty when there is none):
// "1,100" -> "100", "123,RptCH  0" -> "RptCH  0".
std::string_view LoadParameter(std::string_view name);
// The leading decimal number of a text after blanks, as atoi reads it; 0
// when there is none.
int LeadingNumber(std::string_view text);
// The number after a prefix ("RptCH 12" after "RptCH" -> 12); -1 when the
// text does not start with the prefix or no number follows it.
int NumberAfter(std::string_view text, std::string_view prefix);

// What the GPS alarm means for GPS group g (0: no group, 1..26: A..Z), as a
// value of "GI_GPS_Alarm_Select": 1 alarms on received positions; 2 alarms
// on every memory of the group (type 2 over all memories, group byte 0, or
// over this group, group byte g + 1); 3 alarms on one memory of the group
// (type 3 with group byte g); 0 otherwise.
int GpsAlarmSelect(const GpsAlarm& alarm, int g);

}  // namespace pagetitle
