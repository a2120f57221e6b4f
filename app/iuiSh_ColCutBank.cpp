#include "app/iuiSh_ColCutBank.h"

#include <QLabel>

#include "app/PageTitles.h"
#include "app/cuiMain.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "model/GroupLabels.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/SheetNumbers.h"
#include "model/datCh.h"

namespace {

constexpr char kRemainChannelsKey[] = "GI_RemainCH";

}  // namespace

iuiSh_ColCutBank::iuiSh_ColCutBank(QWidget* owner, cmcGTex& texts, std::string key,
                                   cuiImageList* images, cuiMain& main)
    : iuiSh_ColCut_A(owner, texts, std::move(key), images, main) {}

void iuiSh_ColCutBank::SetName(std::string_view name) {
  iuiSh_ColCut_A::SetName(name);
  const int bank = number_ - sheetno::kFirstBank;
  bank_ = bank >= 0 && bank < layout::kBankCount ? bank : kNoBank;
}

void iuiSh_ColCutBank::SetStyleItem(std::string_view item) {
  iuiSh_ColCut_A::SetStyleItem(item);
  if (item.substr(0, item.find('=')) == "TitleString") titleString_ = Label();
}

std::string iuiSh_ColCutBank::Label() const {
  return pagetitle::ForInterface(FormatBankNameLabel(Main().Image(), number_, true),
                                 Main().Settings());
}

int iuiSh_ColCutBank::FreeChannels() const {
  datCh channels(&Main().Image());
  return channels.CountFreeChannels(itemkind::kChannel);
}

std::string iuiSh_ColCutBank::GetTitleText() const {
  return pagetitle::Join(Label(), pagetitle::RemainPart(gtex_, kRemainChannelsKey, FreeChannels()));
}

bool iuiSh_ColCutBank::UpdateRemain() {
  std::string label = Label();
  const int remain = FreeChannels();
  if (label == lastLabel_ && remain == lastRemain_) return false;
  lastLabel_ = std::move(label);
  lastRemain_ = remain;
  return true;
}

void iuiSh_ColCutBank::Build() {
  iuiSh_ColCut_A::Build();
  EvMan().Send(ev::ListChanged);
}

void iuiSh_ColCutBank::OnPageEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::ListChanged:
      if (UpdateRemain() && titleLabel_) titleLabel_->setText(ToDisplayText(GetTitleText()));
      break;
    case ev::BankPageEvent49: break;
    default: iuiSh_ColCut_A::OnPageEvent(event); break;
  }
}
