#pragma once
// A sheet that measures and draws on a recording canvas on screen too (the
// printer's canvas when printing), so screen drawing has fixed metrics.
#include "sheet/cuiSheet.h"
#include "tests/sheet/RecordingCanvas.h"

namespace kwtest {

class RecordedSheet : public cuiSheet {
 public:
  using cuiSheet::cuiSheet;
  cuiCanvas& MeasureCanvas() override { return Printing() ? cuiSheet::MeasureCanvas() : canvas; }
  RecordingCanvas canvas;
};

}  // namespace kwtest
