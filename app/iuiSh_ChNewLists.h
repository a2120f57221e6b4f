#pragma once
// The three list pages:
//  - iuiSh_ChNew_Ur ("St_UrList"): the your-call signs, 300 at most, from
//    index 0; titled "GI_YourCallSignList_Title" and the places left.
//  - iuiSh_ChNew_Rpt ("St_RptList", load parameter "RptCH" and the group
//    0..49): one repeater group of the 1500-entry list; titled with the
//    group's label and the places left in the whole list.
//  - iuiSh_ChNew_GpsMemory ("St_ChGps", load parameter "GpsMemory" and the
//    group 0..26, 0 for the memories in no group): one GPS group; titled with
//    the group's label (or "GI_GPS_Memory_NoGroup"), what the GPS alarm does
//    for the group ("GI_GPS_Memory_Alarm" filled with a value of
//    "GI_GPS_Alarm_Select") and the places left of the 300 memories.
// A group parameter that names no group of its list is an internal failure
// of the tables: a fixed message and exit code 3.
#include <string>
#include <string_view>

#include "app/iuiSh_ChNew.h"

class iuiSh_ChNew_Ur : public iuiSh_ChNew {
 public:
  static constexpr int kCapacity = 300;
  iuiSh_ChNew_Ur(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
                 cuiMain& main);
  void SetName(std::string_view name) override;
  std::string BuildTitle() const override;

 protected:
  Span ReadSpan() const override;
};

class iuiSh_ChNew_Rpt : public iuiSh_ChNew {
 public:
  static constexpr int kCapacity = 1500;
  static constexpr int kGroups = 50;
  iuiSh_ChNew_Rpt(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
                  cuiMain& main);
  void SetName(std::string_view name) override;
  std::string BuildTitle() const override;

 protected:
  Span ReadSpan() const override;
};

class iuiSh_ChNew_GpsMemory : public iuiSh_ChNew {
 public:
  static constexpr int kCapacity = 300;
  static constexpr int kGroups = 27;
  iuiSh_ChNew_GpsMemory(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
                        cuiMain& main);
  void SetName(std::string_view name) override;
  std::string BuildTitle() const override;

 protected:
  Span ReadSpan() const override;
};
