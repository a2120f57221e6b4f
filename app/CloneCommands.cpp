// The clone commands: read, write and information, the identification and
// read checks they share, and what the document does afterwards. Each run
// goes stage by stage through the clone manager's final closures; a failed
// stage is shown by the manager and ends the run with the document, the
// settings and the radio as they were.
#include <QString>
#include <algorithm>

#include "app/DataFileSave.h"
#include "app/MainFrame.h"
#include "app/cuiMain.h"
#include "clone/dst_CDrv_Result.h"
#include "clone/indCloneMan.h"
#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "platform/MessageBoxService.h"
#include "sheet/cuiInformation.h"

namespace {

constexpr int kCloneLayout = 3;
// Codes the identification check sets (the manager's texts).
constexpr int kCodeOtherModel = 5;
constexpr int kCodeBadInformation = 11;
constexpr int kCodeOtherDestination = 13;
constexpr int kCodeIncompatible = 14;
constexpr int kCodeIllegalImage = 15;
constexpr int kDataPreambleBytes = 8;

// A text of one or several lines (the key's values up to the list end).
QString CloneText(cmcGTex& texts, std::string_view key) {
  return ToDisplayText(GetGTexLines(texts, key));
}

bool KnownLayout(int revision) { return revision >= 1 && revision <= kCloneLayout; }

}  // namespace

// --- identification and read checks ---------------------------------------

void cuiMain::OnIdentifyResult(dst_CDrv_Result& result) {
  if (result.code != kCloneOk || result.mode != kCloneModeIdentify) return;
  radioModelWord_ = static_cast<std::uint32_t>(result.word1);
  if (static_cast<std::uint32_t>(result.word1) != model_.modelWord1) {
    result.code = kCodeOtherModel;
    return;
  }
  if (static_cast<std::uint32_t>(result.word2) != model_.modelWord2) {
    result.code = kCodeIncompatible;
    return;
  }
  const int length = result.tail.Length();
  if (length < static_cast<int>(kRadioInformationSize) ||
      result.tail.Data()[kRadioInfoLengthByte] != length) {
    result.code = kCodeBadInformation;
    return;
  }
  std::copy_n(result.tail.Data(), kRadioInformationSize, radioInfo_.begin());
  // Codes above 15 name no band plan, and the settings and data files keep
  // only 0..15: such a radio is refused like one of an unknown layout.
  if (radioInfo_[kRadioInfoDestinationByte] >= dst_EtcData::kNoDestination) {
    result.code = kCodeIncompatible;
    return;
  }
  // An unknown layout fails, but the destination below may still say more.
  if (!KnownLayout(RadioRevision())) result.code = kCodeIncompatible;
  if (phase_.firstIdentify && !phase_.writeConfirmed) return;
  const dst_EtcData& expected = phase_.destinationAdopted ? cloneDestination_ : settings_.EtcData;
  bool same = indEnviron::CompareImageDest(radioInfo_, expected) == 0;
  // Another radio of the same destination but another layout is another
  // radio too.
  if (same && expectedRevision_ != 0 && expectedRevision_ != RadioRevision()) same = false;
  if (!same && MainFormVisible()) result.code = kCodeOtherDestination;
}

void cuiMain::OnReadResult(dst_CDrv_Result& result) {
  if (result.code != kCloneOk || result.mode != kCloneModeRead) return;
  if (CheckDataFile(result.image, true, static_cast<int>(RadioRevision())))
    result.code = kCodeIllegalImage;
}

// --- read ----------------------------------------------------------------

void cuiMain::StartCloneRun(std::function<void(dst_CDrv_Result&)> firstStage) {
  phase_.firstIdentify = true;
  phase_.destinationAdopted = false;
  phase_.writeConfirmed = false;
  phase_.writeImagePrepared = false;
  expectedRevision_ = 0;
  cloneMan_->SetModel(static_cast<int>(model_.modelWord1), 0);
  cloneMan_->StartIdentify(std::move(firstStage));
}

void cuiMain::StartCloneRead() {
  if (ConfirmSaveChanges(false) == platform::mb::IdCancel) return;
  if (cloneMan_->IsBusy()) return;
  cloneDestination_ = settings_.EtcData;
  StartCloneRun([this](dst_CDrv_Result& r) { OnIdentifyForRead(r); });
}

void cuiMain::OnIdentifyForRead(dst_CDrv_Result& result) {
  if (result.code != kCloneOk || cloneMan_->IsBusy()) return;
  if (phase_.firstIdentify) {
    // The destination check keeps what it takes (the radio's information
    // flags, an adopted destination) in the clone copy, which the read
    // applies once its data is in.
    const bool same = settings_.CompareDest(radioInfo_) == 0;
    bus_.Send(ev::CheckDestination, 1, 0);
    if (!same) {
      // Adopted (the clone copy now names the radio's destination): the
      // radio is identified once more against it before anything is read.
      if (indEnviron::CompareImageDest(radioInfo_, cloneDestination_) != 0) return;
      phase_.firstIdentify = false;
      phase_.destinationAdopted = true;
      cloneMan_->StartIdentify([this](dst_CDrv_Result& r) { OnIdentifyForRead(r); });
      return;
    }
  }
  const MemMapRevision& layout = MemMapRevisionOf(static_cast<int>(RadioRevision()));
  cloneMan_->SetImageSize(layout.MemMapImageSize());
  cloneMan_->StartRead(layout.MemMapRangeList(), [this](dst_CDrv_Result& r) { OnReadDone(r); });
}

void cuiMain::OnReadDone(dst_CDrv_Result& result) {
  if (result.code != kCloneOk) return;
  const int revision = static_cast<int>(RadioRevision());
  cmcEeprom converted;
  MemMapConvertImage(converted, result.image, kCloneLayout, revision);
  cmcEeprom scratch;
  scratch.SetSize(imageSize_);
  scratch.Fill(0xFF);
  scratch.SetBlock(0, converted.Data(), std::min(converted.GetSize(), imageSize_));

  // The destination first: the software area's head and the settings the
  // loading passes take from the initial image must be the radio's.
  const bool changed = settings_.CompareEtcData(cloneDestination_) != 0;
  settings_.EtcData = cloneDestination_;
  LoadInitialImage();
  if (changed) clip_->Clear();
  *image_ = std::move(scratch);
  AfterImageLoad(*image_);

  documentRevision_ = static_cast<std::uint32_t>(revision);
  SetModified();
  SetFileName("");
  BuildTree();
  CloseSheet();
  bus_.Send(ev::ListNamesChanged);
}

// --- write ----------------------------------------------------------------

void cuiMain::StartCloneWrite() {
  bus_.Post(ev::EndCellEditing);
  // A run under way keeps its own stage.
  if (cloneMan_->IsBusy()) return;
  StartCloneRun([this](dst_CDrv_Result& r) { OnCloneWriteReady(r); });
}

void cuiMain::OnCloneWriteReady(dst_CDrv_Result& result) {
  if (result.code != kCloneOk || cloneMan_->IsBusy()) return;
  auto identifyAgain = [this] {
    cloneMan_->StartIdentify([this](dst_CDrv_Result& r) { OnCloneWriteReady(r); });
  };
  if (phase_.firstIdentify) {
    const bool same = settings_.CompareDest(radioInfo_) == 0;
    expectedRevision_ = RadioRevision();
    bus_.Send(ev::CheckDestination, 0, 0);
    if (!same) {
      // The user took the radio's destination: identify once more.
      if (settings_.CompareDest(radioInfo_) == 0) {
        phase_.firstIdentify = false;
        identifyAgain();
      }
      return;
    }
  }
  bus_.Send(ev::CheckDestination, 0, 0);
  CloseSheet();
  bus_.Send(ev::ListNamesChanged);
  int errors = 0;
  int warnings = 0;
  RunWarningCheck(&errors, &warnings);
  const QString title = CloneText(texts_, "GI_Sys_AppTitle");
  if (errors >= 1) {
    AppMessageBox(form_.data(), CloneText(texts_, "GI_Mess_DataError"), title,
                  platform::mb::Ok | platform::mb::IconError);
    return;
  }

  const int revision = static_cast<int>(RadioRevision());
  if (!phase_.writeConfirmed) {
    QString question;
    if (revision == kCloneLayout) {
      question = CloneText(texts_, warnings > 0 ? "GI_Mess_DataWarn" : "GI_Mess_Confirm_CloneWrite");
    } else {
      // An older radio gets what its layout holds: the question says what
      // is left behind.
      question = CloneText(texts_, warnings > 0 ? "GI_Mess_DataWarn_OldMapRev"
                                                : "GI_Mess_Confirm_CloneWrite_OldMapRev");
      if (const qsizetype at = question.indexOf(QLatin1String("%s")); at >= 0)
        question.replace(at, 2, QString::fromLatin1(MemMapRevisionName(revision)));
      const savefile::PassContext passes{*initial_, SettingsDestination(),
                                         settings_.EtcData.secondFlag != 0};
      question += ToDisplayText(savefile::OldLayoutLossText(
          texts_, savefile::PredictOldLayoutLoss(*image_, passes, revision)));
    }
    if (AppMessageBox(form_.data(), question, title,
                      platform::mb::OkCancel | platform::mb::IconWarning) != platform::mb::IdOk)
      return;
    phase_.writeConfirmed = true;
    identifyAgain();
    return;
  }

  if (!phase_.writeImagePrepared) {
    // Normalised on a copy: the document itself takes the same pass only
    // once the radio has the image.
    cmcEeprom normalized = *image_;
    NormalizeImage(normalized);
    *writeImage_ = savefile::FileImageFor(normalized, revision);
    phase_.firstIdentify = false;
    phase_.writeImagePrepared = true;
    identifyAgain();
    return;
  }

  cloneMan_->SetImageSize(image_->GetSize());
  const bool preamble = (radioInfo_[kRadioInfoFlagsByte] & kRadioInfoPreambleBit) != 0;
  cloneMan_->SetDataPreamble(preamble ? kDataPreambleBytes : 0);
  phase_.writeConfirmed = false;
  phase_.writeImagePrepared = false;
  cloneMan_->StartWrite(*writeImage_, MemMapRevisionOf(revision).MemMapBlockList(),
                        [this](dst_CDrv_Result& r) { OnCloneWriteDone(r); });
}

void cuiMain::OnCloneWriteDone(dst_CDrv_Result& result) {
  if (result.code != kCloneOk) return;
  // The document is what the radio now holds.
  NormalizeImage(*image_);
  CloseSheet();
  AppMessageBox(form_.data(), CloneText(texts_, "GI_Mess_CloneWrite_Succeeded"),
                CloneText(texts_, "GI_Sys_AppTitle"),
                platform::mb::Ok | platform::mb::IconInformation);
}

// --- information ----------------------------------------------------------

void cuiMain::StartCloneInfo() {
  if (cloneMan_->IsBusy()) return;
  StartCloneRun([this](dst_CDrv_Result& r) { ShowCloneInfo(r); });
}

void cuiMain::ShowCloneInfo(dst_CDrv_Result& result) {
  const bool identified = result.code == kCloneOk && result.mode == kCloneModeIdentify;
  if (identified) bus_.Send(ev::CheckDestination, 0, 0);
  if (MainFormVisible()) {
    if (result.code != kCloneOk || settings_.CompareDest(radioInfo_) != 0) return;
    cuiInformation::Open(form_.data(), CloneText(texts_, "GI_Sys_AppTitle"), texts_,
                         "GI_Sheet_CloneInfo", window_ ? &window_->ListA() : nullptr);
    CloseSheet();
    bus_.Send(ev::ListNamesChanged);
  } else if (identified) {
    // The setup dialog asked: it goes on with the radio's destination.
    bus_.Send(ev::CloseSetupDialog);
  }
}
