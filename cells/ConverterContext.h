#pragma once
// What the value converters need to know besides the value and the request:
// the interface and system languages, the date order and position format in
// use, the "Auto Correct" and "Repeater Dialog" settings, the local clock and
// the opener of the field dialogs. The cell handler fills one per call from
// the settings object and the image; there is no global settings accessor.
//
// A default-built context is English on a non-Japanese system, date order 0,
// position format 0, both settings on, the program's local clock and the
// installed dialog opener (none in tests unless one is installed).
#include <cstdint>
#include <functional>

class FieldDialogOpener;
class indEnviron;

struct ConverterContext {
  ConverterContext();

  // Languages, date order and settings from the settings object; the clock
  // and the opener stay the defaults.
  static ConverterContext FromSettings(const indEnviron& env, int dateOrder, int positionFormat);

  bool japaneseUi = false;      // IsJapaneseUi(env): degree byte, code-page rule
  bool systemJapanese = false;  // IsSystemJapanese(): the input method's key counts as Enter
  int dateOrder = 0;            // 0 yyyy/mm/dd, 1 mm/dd/yyyy, 2 dd/mm/yyyy
  int positionFormat = 0;       // 0 hundredths of a minute, else seconds
  bool autoCorrect = true;      // "Auto Correct": move a call sign's last word right
  bool repeaterDialog = true;   // "Repeater Dialog": route cells offer the dialog
  // Local wall time now, milliseconds since 1970 as if local time were UTC.
  std::function<std::int64_t()> localNowMs;
  FieldDialogOpener* dialogs = nullptr;

  std::int64_t LocalNowMs() const;
};
