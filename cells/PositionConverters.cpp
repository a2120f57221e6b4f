#include "cells/PositionConverters.h"

#include <algorithm>

#include "cells/ConverterContext.h"
#include "cells/DateTimeConverters.h"
#include "cells/EditorProtocol.h"
#include "cells/NumberConverters.h"
#include "core/GpsFieldText.h"
#include "core/LatLongText.h"
#include "core/TextFields.h"
#include "core/Units.h"
#include "model/datCh.h"
#include "platform/Fatal.h"
#include "sheet/FieldDialogOpener.h"

namespace {

using editor::IsDigit;
using editor::ZeroPadded;

constexpr char kJapaneseDegree = '\xDF';
constexpr int kDateTimeBytes = 6;
constexpr int kTimeHmBytes = 2;
constexpr int kPositionBytes = 4;

int DigitsValue(std::string_view digits) {
  int v = 0;
  for (char ch : digits) {
    if (IsDigit(ch)) v = v * 10 + (ch - '0');
  }
  return v;
}

char DegreeChar(bool japaneseUi) { return japaneseUi ? kJapaneseDegree : core::kDegreeByte; }

std::string FormatPosition(std::span<const std::uint8_t, 4> position, int form, int positionFormat,
                           bool japaneseUi, bool latitude) {
  const bool seconds = positionFormat != 0;
  const char sep1 = seconds ? '\'' : '.';
  const char sep2 = seconds ? '"' : '\'';
  std::string text;
  if (position[0] == kNoPositionDegrees) {
    if (latitude && form == dtform::kDialog) text += ' ';
    text += latitude ? "--" : "---";
    text += DegreeChar(japaneseUi);
    text += "--";
    text += sep1;
    text += "--";
    text += sep2;
    text += '-';
    return text;
  }
  const auto parts =
      seconds ? core::FormatLatLongText(position) : core::FormatLatLongPlain(position);
  if (latitude && form == dtform::kDialog) text += ' ';
  text += ZeroPadded(parts[0], latitude ? 2 : 3);
  text += form == dtform::kDialog ? core::kDegreeByte : DegreeChar(japaneseUi);
  text += ZeroPadded(parts[1], 2);
  text += sep1;
  text += ZeroPadded(parts[2], 2);
  text += sep2;
  text += static_cast<char>(parts[3]);
  return text;
}

std::uint16_t Get16(std::span<const std::uint8_t> b) {
  return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}

void Set16(std::span<std::uint8_t> b, int v) {
  b[0] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
  b[1] = static_cast<std::uint8_t>(v & 0xFF);
}

// The position of a checked dialog text into the field.
void StorePosition(std::span<std::uint8_t, 4> position, const core::PositionDigits& p,
                   bool seconds) {
  int thousandths = p.minutes * 1000;
  if (seconds) {
    thousandths += DigitsValue(core::SecondsToMilliMinutes(ZeroPadded(p.fraction, 2)));
  } else {
    thousandths += p.fraction * 10;
  }
  position[0] = static_cast<std::uint8_t>(p.degrees);
  Set16(position.subspan<1, 2>(), thousandths);
  position[3] = static_cast<std::uint8_t>(p.hemisphere);
}

// Blanks of the dialog's mask read as zeros.
std::string Zeroed(std::string_view text) {
  std::string t(text);
  std::replace(t.begin(), t.end(), ' ', '0');
  return t;
}

void CheckFieldSize(std::span<std::uint8_t> field, int kind) {
  const std::size_t need = gpsfield::IsPosition(kind)  ? kPositionBytes
                           : kind == gpsfield::kTimeHm ? kTimeHmBytes
                                                       : kDateTimeBytes;
  if (kind < gpsfield::kDateYmd || kind > gpsfield::kLongitudeHundredths || field.size() != need) {
    platform::Fatal("GPS field kind and field size do not match.");
  }
}

struct GpsTexts {
  std::string dialog;  // what the dialog opens with ("" opens it blank)
  std::string cell;
  bool valid = false;  // the stored value is a value (not dashes, not empty)
};

GpsTexts TextsOf(const ConverterContext& ctx, std::span<std::uint8_t> field, int utcOffset,
                 int kind) {
  GpsTexts t;
  if (gpsfield::IsDate(kind) || kind == gpsfield::kTime) {
    DateTimeBcd dt;
    std::copy(field.begin(), field.end(), dt.begin());
    ConverterContext order = ctx;
    if (gpsfield::IsDate(kind)) order.dateOrder = kind;
    std::chrono::year_month_day date;
    std::chrono::seconds timeOfDay{};
    const bool dateValid = GetRecordDate(dt, date);
    const bool timeValid = GetRecordTime(dt, timeOfDay);
    if (gpsfield::IsDate(kind)) {
      t.dialog = EditDate(order, dt, utcOffset, dtform::kDialog);
      t.cell = EditDate(order, dt, utcOffset, dtform::kCell);
      t.valid = dateValid && timeValid;
    } else {
      t.dialog = EditTime(order, dt, utcOffset, dtform::kDialog);
      t.cell = EditTime(order, dt, utcOffset, dtform::kCell);
      t.valid = timeValid;
    }
    return t;
  }
  if (kind == gpsfield::kTimeHm) {
    const std::span<const std::uint8_t, 2> hm(field.data(), 2);
    t.valid = IsValidTimeHm(hm);
    t.cell = EditTimeHm(hm);
    t.dialog = t.valid ? t.cell : std::string();
    return t;
  }
  const std::span<const std::uint8_t, 4> pos(field.data(), 4);
  const int format = gpsfield::InSeconds(kind) ? 1 : 0;
  const bool latitude = gpsfield::IsLatitude(kind);
  t.valid = pos[0] != kNoPositionDegrees;
  t.cell = FormatPosition(pos, dtform::kCell, format, ctx.japaneseUi, latitude);
  t.dialog = t.valid ? FormatPosition(pos, dtform::kDialog, format, ctx.japaneseUi, latitude)
                     : std::string();
  return t;
}

// The dialog's answer into the field; false when it changes nothing.
bool StoreGpsAnswer(const ConverterContext& ctx, std::span<std::uint8_t> field, int utcOffset,
                    int kind, std::string_view answer) {
  const std::string text = Zeroed(answer);
  if (gpsfield::IsDate(kind) || kind == gpsfield::kTime) {
    DateTimeBcd dt;
    std::copy(field.begin(), field.end(), dt.begin());
    // A date keeps the record's local time, a time its local date (today's
    // and now's for an invalid record).
    const auto date = gpsfield::IsDate(kind)
                          ? core::ReadFixedDate(text)
                          : core::ReadFixedDate(EditDate(ctx, dt, utcOffset, dtform::kDialog));
    const auto time = kind == gpsfield::kTime
                          ? core::ReadFixedTime(text)
                          : core::ReadFixedTime(EditTime(ctx, dt, utcOffset, dtform::kDialog));
    if (!date || !time) return false;
    if (!StoreLocalAsUtc(dt, *date, *time, utcOffset)) return false;
    std::copy(dt.begin(), dt.end(), field.begin());
    return true;
  }
  if (kind == gpsfield::kTimeHm) {
    return ParseTimeHmText(std::span<std::uint8_t, 2>(field.data(), 2), text);
  }
  const bool seconds = gpsfield::InSeconds(kind);
  const auto p = core::ReadFixedPosition(text, seconds);
  if (!p || !core::IsValidPosition(*p, gpsfield::IsLatitude(kind), seconds)) return false;
  StorePosition(std::span<std::uint8_t, 4>(field.data(), 4), *p, seconds);
  return true;
}

// Whole seconds of a thousandths-of-a-minute value as the seconds format
// shows it (the rounding carry adds a minute).
int ShownSeconds(int thousandths) {
  std::string secs;
  const int carry = core::DecimalMinutesToSeconds(ZeroPadded((thousandths % 1000) * 10, 4), secs);
  return (thousandths / 1000 + carry) * 60 + DigitsValue(secs);
}

std::string MinutesText(int thousandths, int positionFormat) {
  if (positionFormat == 0) {
    return ZeroPadded(thousandths / 1000, 2) + "." + ZeroPadded(thousandths % 1000 / 10, 2) + "'";
  }
  const int total = ShownSeconds(thousandths);
  return ZeroPadded(total / 60, 2) + "'" + ZeroPadded(total % 60, 2) + "\"";
}

int FromSeconds(int totalSeconds) {
  return totalSeconds / 60 * 1000 + totalSeconds % 60 * 1000 / 60;
}

// An entry "mm.hh" or "mm'ss" as thousandths; false when refused.
bool ReadMinutesEntry(std::string_view input, int positionFormat, int& out) {
  const std::string_view text = core::TrimBlanksView(input);
  const char sep = positionFormat == 0 ? '.' : '\'';
  if (text.empty() || text.size() > 5 || !editor::HasDigit(text)) return false;
  const std::size_t at = text.find(sep);
  if (at != std::string_view::npos && text.find(sep, at + 1) != std::string_view::npos)
    return false;
  for (char ch : text) {
    if (!IsDigit(ch) && ch != sep) return false;
  }
  const std::string_view whole = text.substr(0, at);
  const std::string_view part =
      at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
  int minutes = 0;
  for (char ch : whole) minutes = minutes * 10 + (ch - '0');
  int fraction = 0;
  for (char ch : part) fraction = fraction * 10 + (ch - '0');
  if (positionFormat == 0) {
    if (part.size() == 1) fraction *= 10;  // "12.5" is 12.50
    const int hundredths = minutes * 100 + fraction;
    if (fraction > 99 || hundredths < 8 || hundredths > 5999) return false;
    out = minutes * 1000 + fraction * 10;
    return true;
  }
  const int total = minutes * 60 + fraction;
  if (fraction >= 60 || total < 5 || total > 3599) return false;
  out = FromSeconds(total);
  return true;
}

}  // namespace

std::string FormatLatitude(std::span<const std::uint8_t, 4> position, int form, int positionFormat,
                           bool japaneseUi) {
  return FormatPosition(position, form, positionFormat, japaneseUi, true);
}

std::string FormatLongitude(std::span<const std::uint8_t, 4> position, int form, int positionFormat,
                            bool japaneseUi) {
  return FormatPosition(position, form, positionFormat, japaneseUi, false);
}

bool ParsePosition(std::span<std::uint8_t, 4> position, std::string_view text, int positionFormat) {
  const bool seconds = positionFormat != 0;
  const auto p = core::ReadFixedPosition(text, seconds);
  if (!p) return false;
  const bool latitude = p->hemisphere == 'N' || p->hemisphere == 'S';
  if (!core::IsValidPosition(*p, latitude, seconds)) return false;
  StorePosition(position, *p, seconds);
  return true;
}

int EditGpsField(const ConverterContext& ctx, cmcCellCapsule& capsule,
                 std::span<std::uint8_t> field, int utcOffset, int fieldKind, int& status) {
  CheckFieldSize(field, fieldKind);
  int changed = 0;
  GpsTexts texts = TextsOf(ctx, field, utcOffset, fieldKind);
  if (capsule.mode == cellmode::kChoice) {
    // The dialog shows hundredths or whole seconds: storing its unedited
    // text back would round the stored thousandths.
    const bool unedited = texts.valid && Zeroed(capsule.inputText) == Zeroed(texts.dialog);
    if (!unedited && StoreGpsAnswer(ctx, field, utcOffset, fieldKind, capsule.inputText)) {
      changed = 1;
      texts = TextsOf(ctx, field, utcOffset, fieldKind);
    }
  }
  editor::SetDisplay(capsule, texts.cell);
  const std::int32_t key = editor::Key(capsule);
  if (key == 0) return changed;
  const bool opens = key == cellop::kEnter || key == cellop::kSpace || key == cellop::kBackspace ||
                     IsDigit(editor::TypedChar(key));
  if (opens && ctx.dialogs) {
    ctx.dialogs->OpenGpsField(capsule, texts.dialog, fieldKind);
    status = kCellRedraw;
  }
  return changed;
}

int EditGpsField(const ConverterContext& ctx, cmcCellCapsule& capsule, datCh& record, int utcOffset,
                 int fieldKind, int& status) {
  if (gpsfield::IsPosition(fieldKind)) {
    auto& pos = gpsfield::IsLatitude(fieldKind) ? record.latitude : record.longitude;
    return EditGpsField(ctx, capsule, std::span<std::uint8_t>(pos), utcOffset, fieldKind, status);
  }
  if (fieldKind == gpsfield::kTimeHm)
    platform::Fatal("GPS field kind and field size do not match.");
  DateTimeBcd dt = GpsDateTimeOf(record);
  const int changed =
      EditGpsField(ctx, capsule, std::span<std::uint8_t>(dt), utcOffset, fieldKind, status);
  if (changed) SetGpsDateTime(record, dt);
  return changed;
}

int EditAltitude(const ConverterContext& ctx, cmcCellCapsule& capsule, std::int32_t& value,
                 bool metric, int& status) {
  const std::int32_t limit = metric ? 10000 : 32808;
  const char* suffix = metric ? "m" : "ft";
  if (capsule.mode == cellmode::kCommit && !editor::HasDigit(capsule.inputText)) {
    value = kNoAltitude;
    editor::SetDisplay(capsule, "------");
    return 1;
  }
  if (value == kNoAltitude && capsule.mode != cellmode::kCommit) {
    editor::SetDisplay(capsule, "------");
    const std::int32_t key = editor::Key(capsule);
    const char typed = editor::TypedChar(key);
    if (key == cellop::kEnter) {
      editor::OpenEditorWith(capsule, std::string(), status);
    } else if (IsDigit(typed) || typed == '-') {
      editor::OpenWithChar(capsule, typed, status);
    }
    return 0;
  }
  const std::int64_t tenths =
      value == kNoAltitude ? 0 : (metric ? core::FeetToMetersSigned(value) : value);
  std::int32_t shown = static_cast<std::int32_t>((tenths + (tenths < 0 ? -5 : 5)) / 10);
  const int changed =
      EditInteger(capsule, shown, -limit, limit, 0, 1, false, nullptr, false, status);
  if (changed) value = metric ? core::MetersToFeetSigned(shown * 10) : shown * 10;
  return SetEditOutput(changed, capsule, suffix, status);
}

int EditSpeed(const ConverterContext& ctx, cmcCellCapsule& capsule, std::int32_t& value, int unit,
              int& status) {
  std::int32_t converted = value;
  std::int32_t limit = 1850;
  const char* suffix = "km/h";
  if (unit == 1) {
    converted = core::DistanceNmToMile(value);
    limit = 1150;
    suffix = "mph";
  } else if (unit == 2) {
    limit = 999;
    suffix = "kt";
  } else {
    converted = core::DistanceNmToKm(value);
  }
  std::int32_t shown = static_cast<std::int32_t>((static_cast<std::int64_t>(converted) + 5) / 10);
  const int changed = EditInteger(capsule, shown, 0, limit, 0, 1, false, nullptr, false, status);
  if (changed) {
    const std::int32_t tenths = shown * 10;
    value = unit == 1 ? core::DistanceMileToNm(tenths)
                      : (unit == 2 ? tenths : core::DistanceKmToNm(tenths));
  }
  return SetEditOutput(changed, capsule, suffix, status);
}

int EditCourse(const ConverterContext& ctx, cmcCellCapsule& capsule, std::int32_t& value,
               int& status) {
  const int changed = EditInteger(capsule, value, 0, 360, 0, 1, false, nullptr, false, status);
  const char degree[] = {DegreeChar(ctx.japaneseUi), '\0'};
  return SetEditOutput(changed, capsule, degree, status);
}

int EditPosition(const ConverterContext& ctx, cmcCellCapsule& capsule,
                 std::span<std::uint8_t, 2> minutesField, int& status) {
  const int format = ctx.positionFormat;
  int value = Get16(minutesField);
  int changed = 0;
  if (capsule.mode == cellmode::kCommit) {
    int v = 0;
    if (ReadMinutesEntry(capsule.inputText, format, v)) {
      value = v;
      changed = 1;
    }
  }
  editor::SetDisplay(capsule, MinutesText(value, format));
  const std::int32_t key = editor::Key(capsule);
  if (key == cellop::kSpace || key == cellop::kBackspace) {
    const bool up = key == cellop::kSpace;
    if (format == 0) {
      int v = value / 10 * 10 + (up ? 10 : -10);
      if (v > 59990) v = 80;
      if (v < 80) v = 59990;
      value = v;
    } else {
      int s = ShownSeconds(value) + (up ? 1 : -1);
      if (s > 3599) s = 5;
      if (s < 5) s = 3599;
      value = FromSeconds(s);
    }
    changed = 1;
    editor::SetDisplay(capsule, MinutesText(value, format));
  } else if (key == cellop::kEnter) {
    editor::OpenEditor(capsule, status);
  } else if (key != 0) {
    const char typed = editor::TypedChar(key);
    if (IsDigit(typed) || (typed == '.' && format == 0) || (typed == '\'' && format != 0)) {
      editor::OpenWithChar(capsule, typed, status);
    }
  }
  if (changed) Set16(minutesField, value);
  return changed;
}
