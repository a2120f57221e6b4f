#pragma once
// Positions, altitudes, speeds and courses of GPS memories, repeaters and
// the position-report settings, and the GPS field cells that edit dates,
// times and positions through the GPS field dialog.
//
// A position field is 4 bytes: degrees (255 = no position), thousandths of a
// minute (16 bits, high byte first) and the hemisphere letter. Position
// format 0 shows minutes with hundredths, any other format minutes and
// seconds. Converters return 1 when they replaced the value and write the
// handler's result word into status.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "sheet/cmcCellCapsule.h"

class datCh;
struct ConverterContext;

inline constexpr std::uint8_t kNoPositionDegrees = 255;
inline constexpr std::int32_t kNoAltitude = 0x7FFFFFFF;

// GPS field kinds of the dialog and of EditGpsField.
namespace gpsfield {
inline constexpr int kDateYmd = 0;
inline constexpr int kDateMdy = 1;
inline constexpr int kDateDmy = 2;
inline constexpr int kTime = 3;
inline constexpr int kTimeHm = 4;
inline constexpr int kLatitudeSeconds = 5;
inline constexpr int kLongitudeSeconds = 6;
inline constexpr int kLatitudeHundredths = 7;
inline constexpr int kLongitudeHundredths = 8;
inline bool IsDate(int kind) { return kind >= kDateYmd && kind <= kDateDmy; }
inline bool IsPosition(int kind) {
  return kind >= kLatitudeSeconds && kind <= kLongitudeHundredths;
}
inline bool IsLatitude(int kind) { return kind == kLatitudeSeconds || kind == kLatitudeHundredths; }
inline bool InSeconds(int kind) { return kind == kLatitudeSeconds || kind == kLongitudeSeconds; }
}  // namespace gpsfield

// Form 1 (the dialog's text): " dd\xB0mm.hh'N", "ddd\xB0mm'ss\"E". Form 0 (the
// cell's): without the latitude's leading blank, the degree sign 0xDF under
// a Japanese interface. No position shows dashes ("--\xB0--.--'-").
std::string FormatLatitude(std::span<const std::uint8_t, 4> position, int form, int positionFormat,
                           bool japaneseUi);
std::string FormatLongitude(std::span<const std::uint8_t, 4> position, int form, int positionFormat,
                            bool japaneseUi);

// The dialog's fixed text (form 1, blanks in the degrees allowed) into the
// field; false, field unchanged, when the text is not a valid position.
bool ParsePosition(std::span<std::uint8_t, 4> position, std::string_view text, int positionFormat);

// The GPS date (kinds 0-2, the kind being the date order), time (3),
// hour-minute (4) and position (5-8) cells. The field is the date and time
// bytes (6, DateTimeBcd), the hour-minute bytes (2) or the position (4).
// Keys (Space, Backspace, F2, Enter, digits) open the GPS field dialog; its
// answer (mode 2) is stored, dates and times converted to UTC. An answer
// equal to the dialog's text of the valid stored value changes nothing, so
// an unedited OK never rounds a position.
int EditGpsField(const ConverterContext& ctx, cmcCellCapsule& capsule,
                 std::span<std::uint8_t> field, int utcOffset, int fieldKind, int& status);
// The same on a GPS memory or repeater record (date and time, latitude or
// longitude).
int EditGpsField(const ConverterContext& ctx, cmcCellCapsule& capsule, datCh& record, int utcOffset,
                 int fieldKind, int& status);

// Tenths of a foot, 0x7FFFFFFF = none ("------"); shown in feet ("ft",
// -32808..32808) or metres ("m", -10000..10000). An entry without digits
// stores none.
int EditAltitude(const ConverterContext& ctx, cmcCellCapsule& capsule, std::int32_t& value,
                 bool metric, int& status);
// Tenths of a knot, shown in mph (unit 1), knots (2) or km/h (any other).
int EditSpeed(const ConverterContext& ctx, cmcCellCapsule& capsule, std::int32_t& value, int unit,
              int& status);
// Degrees 0..360 followed by the degree sign.
int EditCourse(const ConverterContext& ctx, cmcCellCapsule& capsule, std::int32_t& value,
               int& status);
// A minutes field (thousandths of a minute, 16 bits high byte first) in the
// context's position format: "mm.hh'" (0.08' to 59.99') or "mm'ss\"" (5" to
// 59'59").
int EditPosition(const ConverterContext& ctx, cmcCellCapsule& capsule,
                 std::span<std::uint8_t, 2> minutesField, int& status);
