#include "app/iuiSh_Common.h"

#include "app/PageTitles.h"
#include "core/EventIds.h"
#include "core/TextFields.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"

namespace {

constexpr char kCommonTitleKey[] = "GI_AppInd_CommonTitle";

struct DropCommand {
  std::string_view name;
  bool (iuiSh_Common::*drops)() const;
};

// "Name n" -> n when the item is that command; -1 otherwise.
int CommandCount(std::string_view item, std::string_view name) {
  if (item.substr(0, name.size()) != name) return -1;
  const std::string_view rest = item.substr(name.size());
  if (!rest.empty() && rest.front() != ' ') return -1;
  return pagetitle::LeadingNumber(rest);
}

}  // namespace

iuiSh_Common::iuiSh_Common(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images)
    : cuiSheet(owner, nullptr, 0, 0, texts, std::move(key), images) {
  EvMan().AddListener(&listenerKey_, [this](const cmcEvent& event) { OnPageEvent(event); });
}

iuiSh_Common::~iuiSh_Common() {
  if (cmcEvMan* bus = EvManIfInstalled()) bus->RemoveListener(&listenerKey_);
}

void iuiSh_Common::SetName(std::string_view name) {
  cuiSheet::SetName(name);
  kind_ = pagetitle::LeadingNumber(pagetitle::LoadParameter(name));
}

void iuiSh_Common::SetStyleItem(std::string_view item) {
  cuiSheet::SetStyleItem(item);
  if ((kind_ == 1 || kind_ == 2) && item.substr(0, item.find('=')) == "TitleString" && titleString_)
    *titleString_ += gtex_.GetText(kCommonTitleKey, kind_ - 1);
}

bool iuiSh_Common::DropsForJpUsKr() const {
  if (!settings_) return true;
  return !settings_->IsDest0() && !settings_->IsDest10() && !settings_->IsDestGroupB();
}

bool iuiSh_Common::DropsForUsa() const { return !settings_ || !settings_->IsDest0(); }

bool iuiSh_Common::DropsForMiniRepeater() const {
  return !settings_ || settings_->EtcData.firstFlag != 0;
}

void iuiSh_Common::DoCommand(std::string_view item) {
  static constexpr DropCommand kDrops[] = {
      {"Only_JPUSKR", &iuiSh_Common::DropsForJpUsKr},
      {"Only_USA", &iuiSh_Common::DropsForUsa},
      {"Only_M_REP", &iuiSh_Common::DropsForMiniRepeater},
  };
  const std::string_view trimmed = core::TrimBlanksView(item);
  for (const DropCommand& drop : kDrops) {
    const int count = CommandCount(trimmed, drop.name);
    if (count < 0) continue;
    if ((this->*drop.drops)()) skipLines_ = count;
    return;
  }
  cuiSheet::DoCommand(item);
}

void iuiSh_Common::OnPageEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::QuerySheetKind: EvMan().AnswerData(GetTitleText()); break;
    case ev::QueryListNumber: EvMan().AnswerData(static_cast<std::int32_t>(kind_)); break;
    default: break;
  }
}
