#pragma once
// What the GPS field dialog edits, without widgets: the masked field of a
// field kind (0-2 dates in the orders yyyy/mm/dd, mm/dd/yyyy, dd/mm/yyyy, 3
// time, 4 hour and minute, 5/6 latitude/longitude in seconds, 7/8 in
// hundredths), its validation, and the text a commit sends.
//
// The dialog opens with the fixed form ("yyyy/mm/dd" for every date kind;
// an empty text opens it blank) and sends the fixed form back: blanks read
// as zeros, dates in "yyyy/mm/dd", times always with ":" (never the
// system's time separator, which no reader of ours accepts).
#include <optional>
#include <string>
#include <string_view>

#include "sheet/MaskedEditModel.h"

class GpsFieldModel {
 public:
  static constexpr int kKinds = 9;

  // The mask of a kind ('#' digit, '@' letter, other bytes literal).
  static std::string_view Pattern(int kind);
  // "yyyy/mm/dd" to the kind's date order and back; other kinds and texts
  // that are not ten bytes stay as they are.
  static std::string DateToKindOrder(std::string_view fixed, int kind);
  static std::string DateFromKindOrder(std::string_view text, int kind);
  // The fixed-form text is a value of the kind.
  static bool IsValid(int kind, std::string_view prepared);

  GpsFieldModel(int kind, std::string_view initialText);

  int Kind() const { return kind_; }
  MaskedEditModel& Field() { return field_; }
  const MaskedEditModel& Field() const { return field_; }

  // The field's text in the fixed form, blanks as zeros.
  std::string Prepared() const;
  bool IsValid() const { return IsValid(kind_, Prepared()); }

  // What OK sends: the prepared text when valid, else the opening text (none
  // when the field opened blank).
  std::optional<std::string> OkText() const;
  // What closing the popups sends: only a valid text that differs from the
  // field the dialog opened with (blank included); otherwise nothing.
  std::optional<std::string> CloseText() const;

 private:
  int kind_;
  MaskedEditModel field_;
  std::string initial_;          // as given (fixed form)
  std::string initialPrepared_;  // the opening field, prepared
};
