#include "bench/support/BenchCells.h"

#include <QDir>

namespace kwbench {

cmcEeprom& ImageHost::Image() { return image_; }
bool ImageHost::IsModified() { return false; }
void ImageHost::StartCheckDelay() {}
bool ImageHost::RunListEdit(const ListEditRequest&, cmcCellCapsule&, datCh&) { return false; }
bool ImageHost::SetRepeaterUseFromAll(int, int, bool) { return false; }
std::optional<bool> ImageHost::RunCallSignDialog(cmcCellCapsule&, int, CallSignField&,
                                                 const CallSignField*) {
  return std::nullopt;
}
std::optional<int> ImageHost::GetHelpIds(const cmcCellObj&) { return std::nullopt; }
void ImageHost::ShowHelp(int) {}

namespace {

indEnviron::Options OptionsIn(const platform::WorkFolder& folder) {
  indEnviron::Options options;
  options.userFile = folder.FilePath(QStringLiteral("kw3700.conf"));
  options.machineFile = folder.FilePath(QStringLiteral("machine.conf"));
  options.lockFolders = {folder.FilePath(QStringLiteral("run"))};
  return options;
}

}  // namespace

ScratchSettings::ScratchSettings()
    : folder_(QDir::tempPath(), QStringLiteral("kw3700-bench-")),
      settings_(indEnviron::kMutexName, indEnviron::kKeyPath, indEnviron::kKeyPath,
                OptionsIn(folder_)) {}

}  // namespace kwbench
