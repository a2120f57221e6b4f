#pragma once
// A bank page ("St_CCBank", numbers 21..46 for banks A..Z): a channel page
// titled with the bank's label and the count of memory channels still free
// ("      (Remain %3d CH)"). The title follows the document: after the page
// is built, and whenever a list changed (ev::ListChanged), the label and the
// count are read again and the title line repaints when either changed.
//
// Outside 21..46 the page names no bank (bank index 255) and its title is
// ": " with the count. Event 49 is heard and ignored.
#include <string>
#include <string_view>

#include "app/iuiSh_ColCutA.h"

class iuiSh_ColCutBank : public iuiSh_ColCut_A {
 public:
  static constexpr int kNoBank = 255;

  iuiSh_ColCutBank(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images,
                   cuiMain& main);

  int BankIndex() const { return bank_; }

  void SetName(std::string_view name) override;
  void SetStyleItem(std::string_view item) override;
  void Build() override;
  std::string GetTitleText() const override;
  // Reads the label and the free count again; true when either differs
  // from the last reading.
  virtual bool UpdateRemain();

 protected:
  void OnPageEvent(const cmcEvent& event) override;

 private:
  std::string Label() const;
  int FreeChannels() const;

  int bank_ = kNoBank;
  std::string lastLabel_;
  int lastRemain_ = -1;
};
