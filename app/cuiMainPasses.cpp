// The controller's image passes and destination apply: the passes of
// app/ImagePasses.h over the document's images, read against the settings'
// destination.
#include "app/ImagePasses.h"
#include "app/cuiMain.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/indEnviron.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"

namespace {

constexpr int kApplyFull = 2;

}  // namespace

indDestination cuiMain::SettingsDestination() const {
  const dst_EtcData& etc = settings_.EtcData;
  return indDestination(static_cast<int>(etc.destination), etc.secondFlag != 0, etc.thirdFlag != 0);
}

void cuiMain::LoadInitialImage() {
  const indDestination destination = SettingsDestination();
  SetCurrentDestination(destination);
  *initial_ = imagepass::BuildInitialImage(destination, settings_.EtcData.secondFlag != 0);
}

void cuiMain::PrepareImage(cmcEeprom& image) {
  imagepass::PrepareImage(image, SettingsDestination());
}

void cuiMain::NormalizeImage(cmcEeprom& image) {
  imagepass::NormalizeImage(image, *initial_, SettingsDestination(),
                            settings_.EtcData.secondFlag != 0);
}

void cuiMain::PrepareWriteImage(cmcEeprom& image) { imagepass::PrepareWriteImage(image); }

bool cuiMain::CorrectMarkedSettings(cmcEeprom& image, bool fromSave) {
  return imagepass::CorrectMarkedSettings(image, *initial_, SettingsDestination(), fromSave);
}

bool cuiMain::CheckDataFile(const cmcEeprom& image, bool checkFormatName, int revision) {
  return imagepass::CheckDataFile(image, checkFormatName, revision);
}

void cuiMain::ApplyDestinationOnly(cmcEeprom& image, const dst_EtcData& record, int mode) {
  settings_.SetDest(record);
  LoadInitialImage();
  if (mode != kApplyFull) return;
  clip_->Clear();
  NormalizeImage(image);
  BuildTree();
  CloseSheet();
  bus_.Send(ev::ListNamesChanged);
}

void cuiMain::ApplyDestinationChange(cmcEeprom& image, const dst_EtcData& record, int mode) {
  ApplyDestinationOnly(image, record, mode);
}

void cuiMain::ApplyDestination(const RadioInformation& info, int mode, bool forRead) {
  dst_EtcData record = settings_.EtcData;
  indEnviron::GetDestFromImage(info, record);
  if (forRead) {
    cloneDestination_ = record;
    expectedRevision_ = info[1];
    return;
  }
  // Read before normalising: the pass itself changes bytes.
  const bool untouched = IsUntitled() && !IsModified();
  ApplyDestinationOnly(*image_, record, mode);
  if (untouched) {
    ResetImageToInitial();
    ClearModified();
  }
}
