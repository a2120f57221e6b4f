#pragma once
// How the received-call formatters write their texts: for a cell or for a
// CSV field, in which interface language, with which decimal character and
// date form.
//
// In a cell an empty value shows dashes, units carry their suffix and "."
// is the decimal point. With `csv` an empty value gives the empty text, no
// suffix is added, `decimal` is the decimal character and texts are cleaned
// for the field (core/CsvFieldText.h).
struct RxFormatOptions {
  bool csv = false;
  char decimal = '.';     // CSV only; cells always write "."
  bool japanese = false;  // interface language: degree byte 0xDF (else 0xB0), Japanese names
  int dateOrder = 0;      // 0 yyyy/mm/dd, 1 mm/dd/yyyy, 2 dd/mm/yyyy
  char dateSeparator = '/';

  // The decimal character in use.
  char Decimal() const { return csv ? decimal : '.'; }
  char DegreeByte() const { return japanese ? '\xDF' : '\xB0'; }
};
