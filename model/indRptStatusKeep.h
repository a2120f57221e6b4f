#pragma once
// Carries the USE(FROM) flags of the repeater list across an import: before
// the import the keeper copies the image and the old index range; after it,
// every new entry that matches an old one takes that entry's flag.
#include "model/cmcEeprom.h"

class indRptStatusKeep {
 public:
  // Copies the whole image; last is at least first. Indexes are clipped to
  // the repeater list.
  void SetBefore(const cmcEeprom& image, int first, int last);
  // The imported image (not owned; must outlive Restore) and its new range.
  void SetAfter(cmcEeprom* image, int first, int last);
  // For each new entry: the first old entry with the same call sign and the
  // same kind (DV, or FM/FM-N) that also matches by frequency rules gives
  // its USE(FROM) flag; the entry is then stored and reloaded. Answers the
  // number of entries that took a flag.
  int Restore();

 private:
  cmcEeprom saved_;
  int oldFirst_ = 0;
  int oldLast_ = -1;
  cmcEeprom* current_ = nullptr;
  int newFirst_ = 0;
  int newLast_ = -1;
};
