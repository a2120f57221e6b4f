#pragma once
// A document for the list edit commands without a window: the list fixture
// (tests/data/lists/dv-routes.txt) as current image, the initial image of
// destination 0, a copy buffer, a bus whose events are logged, the English
// texts and scripted message boxes. Event 45 rebuilds the bank table, as the
// main controller does.
#include <cstdint>
#include <string>
#include <vector>

#include "app/ListEditCommands.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"
#include "support/ManualClock.h"
#include "support/ScriptedMessageBoxes.h"

namespace kwtest {

class ListEditHarness {
 public:
  explicit ListEditHarness(const std::string& fixture = "dv-routes.txt");
  ~ListEditHarness();

  // Runs a command on a list sheet (record kind, rows listFirst..listLast)
  // with the cursor on `cursor` and, when selFirst >= 0, rows
  // selFirst..selLast selected (both -1: no selection). Answers the capsule
  // afterwards.
  cmcCellCapsule Run(int command, std::uint32_t kind, int cursor, int listFirst, int listLast,
                     int selFirst = -1, int selLast = -1, int group = 0);
  // The same on the sheet of bank `bank` (rows 0..99).
  cmcCellCapsule RunBank(int command, int bank, int cursor, int selFirst = -1, int selLast = -1);

  // Events since the last call, in delivery order ("send 45", "post 15",
  // "send 4 Copied.", "post 18 5"); posted ones after a drain.
  std::vector<std::string> Events();
  // Message boxes since the last call: "<flags hex> <text>".
  std::vector<std::string> Boxes();

  datCh Load(std::uint32_t kind, int index);
  // "name" of a channel, or "" when it is unused.
  std::string ChannelName(int n);
  void SetChannel(int n, const char* name, std::uint32_t freq, int bank = -1, int slot = 0);

  ScopedDestination destination{indDestination(0)};
  ManualClock clock;
  ScriptedMessageBoxes boxes;
  cmcEeprom image;
  cmcEeprom initial;
  datClipCh clip;
  cmcEvMan bus;
  cmcGTex texts;
  int modified = 0;
  DocumentContext doc;

 private:
  std::vector<std::string> events_;
  std::size_t boxesSeen_ = 0;
};

// The flags of a question and of an error box.
inline constexpr unsigned kQuestionFlags = 0x31;
inline constexpr unsigned kErrorFlags = 0x10;

}  // namespace kwtest
