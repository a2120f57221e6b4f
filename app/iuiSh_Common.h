#pragma once
// A settings page ("St_Common": digital, GPS, common and A/B band settings).
// Beside the plain sheet it has a page kind (the load parameter of its page
// reference, 0 without one) and three markup commands that leave rows out
// for radios that lack them: ":(Only_JPUSKR n)", ":(Only_USA n)" and
// ":(Only_M_REP n)" drop the next n lines of the page's cells unless the
// destination in the sheet's settings is 0, 10 or of group B / is 0 / has
// its first flag clear. Dropped lines make no rows at all; a drop never
// passes the cells' end line.
//
// A page of kind 1 or 2 adds value kind - 1 of "GI_AppInd_CommonTitle" to
// its title. It answers the title query (ev::QuerySheetKind, the title text
// as std::string) and the kind query (ev::QueryListNumber, std::int32_t).
//
// Without settings the destination is none (16): the two destination drops
// apply and the first flag counts as set.
#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/cuiSheet.h"

struct cmcEvent;

class iuiSh_Common : public cuiSheet {
 public:
  iuiSh_Common(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images);
  ~iuiSh_Common() override;

  int PageKind() const { return kind_; }

  void SetName(std::string_view name) override;
  void SetStyleItem(std::string_view item) override;
  void DoCommand(std::string_view item) override;

 private:
  void OnPageEvent(const cmcEvent& event);
  // The destination conditions under which each command drops its lines.
  bool DropsForJpUsKr() const;
  bool DropsForUsa() const;
  bool DropsForMiniRepeater() const;

  int kind_ = 0;
  char listenerKey_ = 0;  // the address identifies this page's listener
};
