#include "model/indRptStatusKeep.h"

#include <algorithm>
#include <vector>

#include "model/LayoutLists.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

int ClipIndex(int i) { return std::clamp(i, 0, layout::kRptCapacity - 1); }

bool IsFm(const datCh& r) {
  return r.rptMode == layout::rpt::kTypeFm || r.rptMode == layout::rpt::kTypeFmN;
}
bool IsDv(const datCh& r) { return r.rptMode == layout::rpt::kTypeDv; }

bool Matches(const datCh& now, const datCh& old) {
  if (now.rptCall != old.rptCall) return false;
  if (IsFm(now) && IsFm(old)) {
    if ((now.duplex != 0) != (old.duplex != 0)) return false;
    if (now.freq == 0 || old.freq == 0) return false;
    if (now.duplex != 0 && !IsBlankText(now.rptCall))
      return indDestination::OffsetRangeIndex(now.freq) ==
             indDestination::OffsetRangeIndex(old.freq);
    return now.freq == old.freq;
  }
  if (IsDv(now) && IsDv(old)) {
    if (IsBlankText(now.rptCall)) return now.freq != 0 && now.freq == old.freq;
    return true;
  }
  return false;
}

}  // namespace

void indRptStatusKeep::SetBefore(const cmcEeprom& image, int first, int last) {
  saved_ = image;
  oldFirst_ = ClipIndex(first);
  oldLast_ = std::max(oldFirst_, ClipIndex(last));
}

void indRptStatusKeep::SetAfter(cmcEeprom* image, int first, int last) {
  current_ = image;
  newFirst_ = ClipIndex(first);
  newLast_ = ClipIndex(last);
}

int indRptStatusKeep::Restore() {
  if (!current_ || saved_.GetSize() < layout::kRptBase + layout::kRptSize * layout::kRptCapacity)
    return 0;
  std::vector<datCh> old;
  old.reserve(static_cast<size_t>(oldLast_ - oldFirst_ + 1));
  datCh loader(&saved_);
  for (int k = oldFirst_; k <= oldLast_; ++k) {
    loader.Load(itemkind::kRepeater, static_cast<std::uint32_t>(k));
    old.push_back(loader);
  }
  int restored = 0;
  datCh now(current_);
  for (int n = newFirst_; n <= newLast_; ++n) {
    now.Load(itemkind::kRepeater, static_cast<std::uint32_t>(n));
    const auto match =
        std::find_if(old.begin(), old.end(), [&](const datCh& o) { return Matches(now, o); });
    if (match == old.end()) continue;
    now.useFrom = match->useFrom;
    if (now.StoreAndReload()) ++restored;
  }
  return restored;
}
