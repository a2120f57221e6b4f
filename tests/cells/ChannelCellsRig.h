#pragma once
// The cell handler over destination 0's generated default image (filled out
// as the initial image is), with the channel, bank, scan-edge and link cases
// registered, the English text table, a copy of the image as the initial
// image new channels take their templates from, the bank table rebuilt
// whenever lists change (as the main controller does on that event) and
// scripted message boxes. Lists are edited through the item record.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CapsuleKit.h"
#include "cells/BankCases.h"
#include "cells/ChannelCases.h"
#include "cells/ChannelChoiceCases.h"
#include "cells/LabelCases.h"
#include "cells/LinkCases.h"
#include "cells/ScanEdgeCases.h"
#include "core/EventIds.h"
#include "model/BankTable.h"
#include "model/DefaultImage.h"
#include "model/DefaultInitialImage.h"
#include "model/ItemKinds.h"
#include "model/datCh.h"
#include "resources/text/TextTables.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/cells/CellFrameRig.h"

namespace kwtest {

class ChannelCellsRig {
 public:
  // With a table, its lines are the text table instead of the English one.
  explicit ChannelCellsRig(std::vector<std::string> table = {}) {
    if (table.empty())
      rig.texts.SetSource(kwres::kTextEnglish);
    else
      rig.texts.SetSource(std::move(table));
    RegisterLabelCases(rig.table);
    RegisterBankCases(rig.table);
    RegisterChannelCases(rig.table);
    RegisterChannelChoiceCases(rig.table);
    RegisterScanEdgeCases(rig.table);
    RegisterLinkCases(rig.table);
    rig.image = FullFromDefaultImage(BuildDefaultImage(0));
    initial = rig.image;
    rig.host.initialImage = &initial;
    rig.bus->AddListener(&initial, [this](const cmcEvent& event) {
      if (event.id == ev::DocumentEdited) RebuildBankTable(rig.image);
    });
  }
  ~ChannelCellsRig() { rig.bus->RemoveListener(&initial); }

  datCh Load(std::uint32_t kind, std::uint32_t index) {
    datCh record(&rig.image);
    record.Load(kind, index);
    return record;
  }
  // Memory channel n used at f Hz (FM, no bank) or unused.
  void SetChannel(int n, std::uint32_t hz, std::uint32_t bank = datCh::kBankNone,
                  std::uint32_t slot = 0) {
    datCh c = Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    if (hz == 0) {
      c.flags &= ~datCh::kUsed;
    } else {
      c.flags |= datCh::kUsed;
      c.freq = hz;
      c.mode = 0;
      c.bank = bank;
      c.bankSlot = slot;
    }
    ASSERT_TRUE(c.StoreSelf()) << "channel " << n;
    RebuildBankTable(rig.image);
  }
  void ClearChannels() {
    for (int n = 0; n < 1000; ++n) {
      datCh c = Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
      if (!c.IsUsed()) continue;
      c.flags &= ~datCh::kUsed;
      c.StoreSelf();
    }
    RebuildBankTable(rig.image);
  }

  // The capsule a main sheet builds: a list sheet has no template capsule
  // (only popup lists do), so there is no parent.
  static cmcCellCapsule Prepare(FixtureSheet& sheet, cmcCellObj& cell) {
    cmcCellCapsule capsule = sheet.Prepare(cell);
    capsule.parent = nullptr;
    return capsule;
  }
  // A key on a cell, as the grid sends it (owner set, notify 1).
  std::int32_t Key(FixtureSheet& sheet, cmcCellObj& cell, std::int32_t key,
                   cmcCellCapsule* out = nullptr) {
    cmcCellCapsule capsule = Prepare(sheet, cell);
    capsule.owner = capsule.owner2 = FakeOwner();
    capsule.operation = key;
    const std::int32_t result = rig.frame.Handle(capsule, 1);
    if (out) *out = capsule;
    return result;
  }
  // A committed edit of the in-place editor.
  std::int32_t Commit(FixtureSheet& sheet, cmcCellObj& cell, const std::string& text) {
    cmcCellCapsule capsule = Prepare(sheet, cell);
    capsule.owner = capsule.owner2 = FakeOwner();
    capsule.mode = cellmode::kCommit;
    capsule.inputText = text;
    return rig.frame.Handle(capsule, 1);
  }
  // The text the sheet draws (a query without owner).
  std::string Text(FixtureSheet& sheet, cmcCellObj& cell, cmcCellCapsule* out = nullptr) {
    cmcCellCapsule capsule = Prepare(sheet, cell);
    rig.frame.Handle(capsule, 0);
    if (out) *out = capsule;
    return capsule.outputText;
  }

  bool Saw(int id) const {
    for (const auto& e : rig.events)
      if (e.id == id) return true;
    return false;
  }

  CellFrameRig rig;
  cmcEeprom initial;
  ScriptedMessageBoxes boxes;
};

}  // namespace kwtest
