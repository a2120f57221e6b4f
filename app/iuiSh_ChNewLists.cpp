#include "app/iuiSh_ChNewLists.h"

#include <QString>
#include <algorithm>

#include "app/PageTitles.h"
#include "app/cuiMain.h"
#include "core/cmcGTex.h"
#include "model/GroupLabels.h"
#include "model/ListCounts.h"
#include "platform/Fatal.h"

namespace {

constexpr char kRemainKey[] = "GI_RemainMemories";
constexpr char kUrTitleKey[] = "GI_YourCallSignList_Title";
constexpr char kNoGroupKey[] = "GI_GPS_Memory_NoGroup";
constexpr char kAlarmKey[] = "GI_GPS_Memory_Alarm";
constexpr char kAlarmSelectKey[] = "GI_GPS_Alarm_Select";

// The group a list page's parameter names; fatal for none of the list.
int ListGroup(std::string_view name, std::string_view prefix, int groups) {
  const std::string_view parameter = pagetitle::LoadParameter(name);
  const int group = pagetitle::NumberAfter(parameter, prefix);
  if (group < 0 || group >= groups)
    platform::Fatal(QStringLiteral("Illegal list group.\n'%1'")
                        .arg(QString::fromLatin1(parameter.data(), parameter.size())));
  return group;
}

// A list's first index and count, kept inside its capacity.
iuiSh_ChNew::Span Clipped(int first, int count, int capacity) {
  first = std::clamp(first, 0, capacity);
  return {first, std::clamp(count, 0, capacity - first)};
}

}  // namespace

// --- your-call signs -------------------------------------------------------

iuiSh_ChNew_Ur::iuiSh_ChNew_Ur(QWidget* owner, cmcGTex& texts, std::string key,
                               cuiImageList* images, cuiMain& main)
    : iuiSh_ChNew(owner, texts, std::move(key), images, main) {}

void iuiSh_ChNew_Ur::SetName(std::string_view name) {
  iuiSh_ChNew::SetName(name);
  TakeSpan(0);
}

iuiSh_ChNew::Span iuiSh_ChNew_Ur::ReadSpan() const {
  return Clipped(0, GetYourCallCount(Main().Image()), kCapacity);
}

std::string iuiSh_ChNew_Ur::BuildTitle() const {
  return pagetitle::Join(gtex_.GetFirst(kUrTitleKey),
                         pagetitle::RemainPart(gtex_, kRemainKey, kCapacity - ReadSpan().count));
}

// --- repeater groups -------------------------------------------------------

iuiSh_ChNew_Rpt::iuiSh_ChNew_Rpt(QWidget* owner, cmcGTex& texts, std::string key,
                                 cuiImageList* images, cuiMain& main)
    : iuiSh_ChNew(owner, texts, std::move(key), images, main) {}

void iuiSh_ChNew_Rpt::SetName(std::string_view name) {
  iuiSh_ChNew::SetName(name);
  TakeSpan(ListGroup(name, "RptCH", kGroups));
}

iuiSh_ChNew::Span iuiSh_ChNew_Rpt::ReadSpan() const {
  const cmcEeprom& image = Main().Image();
  return Clipped(GetRptGroupFirst(image, Group()), GetRptGroupCount(image, Group()), kCapacity);
}

std::string iuiSh_ChNew_Rpt::BuildTitle() const {
  const cmcEeprom& image = Main().Image();
  return pagetitle::Join(
      pagetitle::ForInterface(FormatGroupNameLabel(image, Group(), true), Main().Settings()),
      pagetitle::RemainPart(gtex_, kRemainKey, kCapacity - GetRptTotalCount(image)));
}

// --- GPS groups --------------------------------------------------------------

iuiSh_ChNew_GpsMemory::iuiSh_ChNew_GpsMemory(QWidget* owner, cmcGTex& texts, std::string key,
                                             cuiImageList* images, cuiMain& main)
    : iuiSh_ChNew(owner, texts, std::move(key), images, main) {}

void iuiSh_ChNew_GpsMemory::SetName(std::string_view name) {
  iuiSh_ChNew::SetName(name);
  TakeSpan(ListGroup(name, "GpsMemory", kGroups));
}

iuiSh_ChNew::Span iuiSh_ChNew_GpsMemory::ReadSpan() const {
  const cmcEeprom& image = Main().Image();
  return Clipped(GpsGroupFirst(image, Group()), GpsGroupCount(image, Group()), kCapacity);
}

std::string iuiSh_ChNew_GpsMemory::BuildTitle() const {
  const cmcEeprom& image = Main().Image();
  std::string name = Group() == 0
                         ? gtex_.GetFirst(kNoGroupKey)
                         : pagetitle::ForInterface(FormatGpsBankNameLabel(image, Group() - 1, true),
                                                   Main().Settings());
  const int select = pagetitle::GpsAlarmSelect(GetGpsAlarm(image), Group());
  name = pagetitle::Join(
      name, pagetitle::FillText(gtex_.GetFirst(kAlarmKey), gtex_.GetText(kAlarmSelectKey, select)));
  return pagetitle::Join(
      name, pagetitle::RemainPart(gtex_, kRemainKey, kCapacity - GpsOrderCount(image)));
}
