#pragma once
// What the cell-handler benchmarks share: a host that holds the document's
// image and has none of the program's other parts, and settings over a
// scratch folder of their own (no real home is touched), removed with them.
#include <optional>

#include "cells/CellHost.h"
#include "core/indEnviron.h"
#include "platform/WorkFolder.h"

class cmcEeprom;

namespace kwbench {

// The document's image and nothing else: no list edits, no call-sign
// selector, no help.
class ImageHost final : public CellHost {
 public:
  explicit ImageHost(cmcEeprom& image) : image_(image) {}
  cmcEeprom& Image() override;
  bool IsModified() override;
  void StartCheckDelay() override;
  bool RunListEdit(const ListEditRequest&, cmcCellCapsule&, datCh&) override;
  bool SetRepeaterUseFromAll(int, int, bool) override;
  std::optional<bool> RunCallSignDialog(cmcCellCapsule&, int, CallSignField&,
                                        const CallSignField*) override;
  std::optional<int> GetHelpIds(const cmcCellObj&) override;
  void ShowHelp(int) override;

 private:
  cmcEeprom& image_;
};

// Settings whose files and lock live in a private folder under the system's
// temporary folder.
class ScratchSettings {
 public:
  ScratchSettings();
  ScratchSettings(const ScratchSettings&) = delete;
  ScratchSettings& operator=(const ScratchSettings&) = delete;

  indEnviron& Get() { return settings_; }

 private:
  platform::WorkFolder folder_;
  indEnviron settings_;
};

}  // namespace kwbench
