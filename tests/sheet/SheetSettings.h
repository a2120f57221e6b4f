#pragma once
// Settings over a private scratch folder for sheet tests, and the width-list
// lines a test table needs once a sheet has settings.
#include <memory>
#include <string>
#include <vector>

#include "core/indEnviron.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"

namespace kwtest {

class SheetSettings {
 public:
  SheetSettings() { Open(); }
  indEnviron& Get() { return *settings_; }
  indEnviron* operator->() { return settings_.get(); }
  // Saves and closes the settings, then reads them again from the file.
  void Reopen() {
    settings_.reset();
    Open();
  }
  // The key of a group under "Display".
  std::string GroupKey(const std::string& group) const {
    return std::string(indEnviron::kKeyPath) + "\\Display\\" + group;
  }
  std::string WidthsKey(const std::string& group) const { return GroupKey(group) + "\\colwidth"; }

 private:
  void Open() {
    const indEnviron::Options options = kwtest::ScratchEnvironOptions(dir_);
    settings_ = std::make_unique<indEnviron>(indEnviron::kMutexName, indEnviron::kKeyPath,
                                             indEnviron::kKeyPath, options);
  }

  ScratchDir dir_;
  std::unique_ptr<indEnviron> settings_;
};

// "GI_CellWidthRegList" with the given pairs ("key:group").
inline std::vector<std::string> WidthListLines(const std::vector<std::string>& pairs) {
  std::vector<std::string> lines{"#GI_CellWidthRegList"};
  lines.insert(lines.end(), pairs.begin(), pairs.end());
  lines.push_back("#");
  return lines;
}

}  // namespace kwtest
