#include "ListEditHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "model/BankTable.h"
#include "model/ItemKinds.h"
#include "resources/text/TextTables.h"
#include "sheet/cmcCellObj.h"
#include "support/model/ListFixture.h"

namespace kwtest {

ListEditHarness::ListEditHarness(const std::string& fixture)
    : image(LoadListFixture(fixture)),
      initial(InitialImageDest0()),
      doc{image, initial, clip, bus, texts, [this] { ++modified; }} {
  texts.SetSource(kwres::kTextEnglish);
  bus.AddListener(this, [this](const cmcEvent& e) {
    std::string line = e.mode == cmcEvent::Posted ? "post " : "send ";
    line += std::to_string(e.id);
    if (e.id == ev::DocumentEdited) RebuildBankTable(image);
    if (const std::string* text = e.Text())
      line += " " + *text;
    else if (e.p2 != 0 && e.id == ev::CellsRefreshIndex)
      line += " " + std::to_string(e.p2);
    events_.push_back(line);
  });
}

ListEditHarness::~ListEditHarness() { bus.RemoveListener(this); }

cmcCellCapsule ListEditHarness::Run(int command, std::uint32_t kind, int cursor, int listFirst,
                                    int listLast, int selFirst, int selLast, int group) {
  cmcCellCapsule capsule;
  if (selFirst != -1 || selLast != -1) {
    capsule.selectionBits = cellselect::kHasSelection;
    capsule.firstSelected = selFirst;
    capsule.lastSelected = selLast;
  }
  cmcCellObj cell;
  cell.category = CT_Conv;
  cell.cellId = CL_Mch_Freq;
  cell.index = cursor;
  capsule.cell = &cell;
  datCh record(&image);
  record.Load(kind, static_cast<std::uint32_t>(std::max(cursor, 0)));
  ExecListEditCommandEx(doc, command, capsule, record, listFirst, listLast, group);
  capsule.cell = nullptr;
  return capsule;
}

cmcCellCapsule ListEditHarness::RunBank(int command, int bank, int cursor, int selFirst,
                                        int selLast) {
  cmcCellCapsule capsule;
  if (selFirst != -1 || selLast != -1) {
    capsule.selectionBits = cellselect::kHasSelection;
    capsule.firstSelected = selFirst;
    capsule.lastSelected = selLast;
  }
  cmcCellObj cell;
  cell.category = CT_BankCh;
  cell.cellId = CL_Mch_Freq;
  cell.index = cursor;
  capsule.cell = &cell;
  datCh record(&image);
  record.Load(itemkind::kBankChannel, 0);
  ExecBankEditCommand(doc, command, capsule, record, bank, 0, 99);
  capsule.cell = nullptr;
  return capsule;
}

std::vector<std::string> ListEditHarness::Events() {
  bus.Drain();
  return std::exchange(events_, {});
}

std::vector<std::string> ListEditHarness::Boxes() {
  std::vector<std::string> lines;
  for (; boxesSeen_ < boxes.Count(); ++boxesSeen_) {
    const platform::MessageBoxRequest& box = boxes.Shown()[boxesSeen_];
    char flags[16];
    std::snprintf(flags, sizeof flags, "%02X ", box.flags);
    lines.push_back(flags + box.text.toStdString());
  }
  return lines;
}

datCh ListEditHarness::Load(std::uint32_t kind, int index) {
  datCh record(&image);
  record.Load(kind, static_cast<std::uint32_t>(index));
  return record;
}

std::string ListEditHarness::ChannelName(int n) {
  const datCh ch = Load(itemkind::kChannel, n);
  if (!ch.IsUsed()) return "";
  std::string name(ch.name.data(), ch.name.size());
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

void ListEditHarness::SetChannel(int n, const char* name, std::uint32_t freq, int bank, int slot) {
  datCh ch = Load(itemkind::kChannel, n);
  ch.flags |= datCh::kUsed;
  ch.freq = freq;
  SetText(ch.name, name);
  ch.bank = bank < 0 ? datCh::kBankNone : static_cast<std::uint32_t>(bank);
  ch.bankSlot = static_cast<std::uint32_t>(slot);
  if (!ch.StoreSelf()) ADD_FAILURE() << "channel " << n << " not stored";
  RebuildBankTable(image);
}

}  // namespace kwtest
