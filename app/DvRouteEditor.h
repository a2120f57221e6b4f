#pragma once
// The Repeater Setting dialog's decisions, without widgets: the DV route of
// one memory channel built from an access repeater and a called station
// (CQCQCQ, a your-call entry, a typed call sign or another repeater), with a
// choice of how the call leaves the access repeater's site where the route
// allows one (the same repeater, a repeater of the site, or the gateway).
//
// The editor works on a copy of the channel (the work record): every choice
// derives UR, RPT1 and RPT2 (and, from the access repeater, frequency,
// duplex, offset and DV mode) through the route logic, or blanks the call
// signs while the pair is not a valid route. Nothing reaches the caller's
// record before Accept. Names are 16-byte fields, code page 932, padded
// with blanks.
//
// The image and the initial image (the band defaults an unused channel
// takes) must outlive the editor; the record is copied.
#include <QString>
#include <string>
#include <vector>

#include "model/DvRoute.h"
#include "model/datCh.h"

class cmcEeprom;
class cmcGTex;

// An entry of the RPT2 choice list.
struct Rpt2Choice {
  std::string text;  // code page 932: the entry's 16-byte name, or the table's text
  int mode = 0;      // kRpt2SameRpt, kRpt2NamedRpt or kRpt2Gateway
  bool operator==(const Rpt2Choice&) const = default;
};

// The typed called-station text as a 16-byte name: each character in code
// page 932 (one that has no code becomes a blank), cut at 16 bytes without
// splitting a double-byte character, padded with blanks.
RouteName ReadBackName16(const QString& text);
// The longest start of the text (whole characters) that reads back within
// 16 bytes: what the called edit holds.
QString LimitCalledText(const QString& text);

class DvRouteEditor {
 public:
  // Opens on the channel: a route the record already holds (its route
  // summary filled by GetDvRouteStatus) is taken over when it still fits
  // the lists; otherwise the dialog starts fresh with "CQCQCQ".
  DvRouteEditor(const cmcEeprom& image, const cmcEeprom& initial, cmcGTex& texts, bool exclusion,
                const datCh& record);

  const RouteName& AccessName() const { return accessName_; }
  const RouteName& DestName() const { return destName_; }
  // What the two name edits show (trailing blanks removed). The called text
  // changes on a choice or a reset, never while the user types.
  std::string AccessText() const;
  std::string CalledText() const;
  // Counts the times the editor itself set the called station (a choice, or
  // the reset to "CQCQCQ"): the called edit then shows CalledText().
  int CalledRevision() const { return calledRevision_; }
  int AccessStatus() const { return check_.access; }
  int DestStatus() const { return check_.dest; }
  bool IsValid() const { return IsDvRouteValid(check_.access, check_.dest); }

  int Rpt2Mode() const { return rpt2Mode_; }
  const RouteName& Rpt2Name() const { return rpt2Name_; }
  const std::vector<Rpt2Choice>& Choices() const { return choices_; }
  int Rpt2Selected() const { return rpt2Selected_; }
  // The RPT2 choice can be made (the select edit and its button).
  bool SelectEnabled() const { return selectEnabled_; }
  // What the select edit shows (bytes, trailing blanks removed).
  std::string SelectText() const;

  // The three call signs as the boxes show them (UR through the call-sign
  // filter), 8 bytes each.
  RouteCall Ur() const;
  RouteCall Rpt1() const { return work_.rpt1Call; }
  RouteCall Rpt2() const { return work_.rpt2Call; }
  const datCh& Work() const { return work_; }

  // A name chosen with the selector.
  void ChooseAccess(const RouteName& name);
  void ChooseCalled(const RouteName& name);
  // The called station as the user types it.
  void TypeCalled(const RouteName& name);
  // An entry of the RPT2 choice list; false (nothing changes) outside it.
  bool PickRpt2(int entry);

  // OK: the record the caller takes. An invalid pair gives blank call
  // signs and the frequency, duplex, offset, mode and use the channel had.
  datCh Accept();

 private:
  void Recheck();
  void AfterChoice(bool called);
  void ResetCalledIfUnreachable();
  void RebuildChoices();
  void ApplySelection();
  void UpdateRoute();
  bool WriteRoute();
  void BlankCalls();
  int AccessIndex() const;

  const cmcEeprom& image_;
  const cmcEeprom& initial_;
  cmcGTex& texts_;
  bool exclusion_;
  datCh work_;
  RouteName accessName_{};
  RouteName destName_{};
  DvRouteCheck check_;
  RouteName rpt2Name_{};
  int rpt2Mode_ = 0;
  int rpt2Selected_ = -1;
  int sameEntry_ = -1;
  int gatewayEntry_ = -1;
  std::vector<Rpt2Choice> choices_;
  bool selectEnabled_ = false;
  int calledRevision_ = 0;
  // The channel's own values, put back when OK finds no valid route.
  std::uint32_t savedFreq_ = 0;
  std::uint32_t savedDuplex_ = 0;
  std::uint32_t savedOffset_ = 0;
  std::uint32_t savedMode_ = 0;
  bool savedUsed_ = false;
};
