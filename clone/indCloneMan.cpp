#include "clone/indCloneMan.h"

#include <cerrno>

#include <QTimer>

#include "clone/CloneConfig.h"
#include "clone/CloneErrorText.h"
#include "clone/CloneProgress.h"
#include "clone/CloneProgressBar.h"
#include "clone/cmcCloneDrv.h"
#include "clone/dst_CDrv_Result.h"
#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/MessageBoxService.h"
#include "platform/SerialDevice.h"

namespace {
constexpr int kPaintIntervalMs = 30;
}  // namespace

indCloneMan::indCloneMan(indEnviron& settings, cmcGTex& texts)
    : indCloneMan(settings, texts, std::make_unique<platform::TermiosSerialDevice>()) {}

indCloneMan::indCloneMan(indEnviron& settings, cmcGTex& texts,
                         std::unique_ptr<platform::SerialDevice> device)
    : settings_(settings), texts_(texts), engine_(std::make_unique<cmcCloneDrv>(std::move(device))) {
  // A hunt that finds the radio at another line setting stores it here.
  engine_->SetTransferTypeSetting(&settings_.TransType);
}

indCloneMan::~indCloneMan() {
  *alive_ = false;
  paintTask_.reset();
  progress_.reset();
  if (inRunDone_) {
    // Destroyed from a callback of the run's end: the engine is still inside
    // its own tick, so it goes once that has returned (its port is closed
    // already and it calls nothing more).
    cmcCloneDrv* engine = engine_.release();
    QTimer::singleShot(0, [engine] { delete engine; });
    return;
  }
  // The engine closes its port; a run it still held ends without a callback.
  engine_.reset();
}

void indCloneMan::SetModel(int word1, int word2) {
  modelWord1_ = word1;
  engine_->SetModel(word1, word2);
}

void indCloneMan::SetImageSize(int bytes) { engine_->SetImageSize(bytes); }

bool indCloneMan::IsBusy() const { return finishing_ || engine_->IsBusy(); }

bool indCloneMan::IsPaintTaskRunning() const { return paintTask_ && !paintTask_->IsStopped(); }

void indCloneMan::Configure(int mode) {
  clonecfg::ApplyEngineConfig(
      *engine_, clonecfg::MakeEngineConfig(static_cast<clonecfg::Mode>(mode), settings_.ComPort,
                                           settings_.TransType, settings_.ComSpeedHigh != 0,
                                           modelWord1_, dataPreamble_));
}

int indCloneMan::StartIdentify(Closure final) {
  if (IsBusy()) return 0;
  EvMan().Send(ev::CloneIdentifyStart);
  // A listener of the start event could have started a run of its own.
  if (IsBusy()) return 0;
  mode_ = clonecfg::kIdentify;
  Configure(mode_);
  final_ = std::move(final);
  if (!engine_->StartIdentify([this](dst_CDrv_Result& r) { RunDone(r); })) {
    final_ = nullptr;
    return 0;
  }
  return 1;
}

int indCloneMan::StartRead(const MemRangeList& ranges, Closure final) {
  if (IsBusy()) return 0;
  totalBytes_ = clonebar::TotalBytes(ranges);
  mode_ = clonecfg::kRead;
  Configure(mode_);
  final_ = std::move(final);
  if (!engine_->StartRead(ranges, [this](dst_CDrv_Result& r) { RunDone(r); })) {
    final_ = nullptr;
    return 0;
  }
  OpenProgress();
  return 1;
}

int indCloneMan::StartWrite(const cmcEeprom& image, const MemRangeList& ranges, Closure final) {
  if (IsBusy()) return 0;
  totalBytes_ = clonebar::TotalBytes(ranges);
  mode_ = clonecfg::kWrite;
  Configure(mode_);
  final_ = std::move(final);
  if (!engine_->StartWrite(image, ranges, [this](dst_CDrv_Result& r) { RunDone(r); })) {
    final_ = nullptr;
    return 0;
  }
  OpenProgress();
  return 1;
}

void indCloneMan::OpenProgress() {
  if (!progress_ && progressFactory_) progress_ = progressFactory_->Open(mainWindow_.data());
  if (progress_) progress_->SetProgress(engine_->DataBytes(), totalBytes_);
  if (!paintTask_) {
    paintTask_.reset(new cmcTask);
    paintTask_->SetHandler(this, &indCloneMan::PaintTick);
  }
  paintTask_->SetInterval(kPaintIntervalMs);
}

void indCloneMan::PaintTick(cmcTask& task) {
  if (progress_) progress_->SetProgress(engine_->DataBytes(), totalBytes_);
  if (!engine_->IsBusy()) task.SetInterval(-1);
}

void indCloneMan::CloseProgress() {
  // The paint task stops before the window goes, so no tick can reach a
  // window that no longer exists.
  if (paintTask_) paintTask_->SetInterval(-1);
  progress_.reset();
}

void indCloneMan::ShowCloneError(int code) {
  // A port the user may not open: the box names the group that grants it.
  std::string group;
  if (engine_->Port().OpenError() == EACCES)
    group = platform::DeviceGroupName(engine_->Port().OpenPath());
  const std::string text = CloneErrorText(texts_, code, settings_.ComPort, group);
  if (text.empty()) return;
  QObject* owner = progressFactory_ ? progressFactory_->ActiveWindow() : nullptr;
  if (!owner) owner = mainWindow_.data();
  MessageBoxCp932(owner, text, texts_.GetFirst("GI_Sys_AppTitle"), platform::mb::IconError);
}

void indCloneMan::RunDone(dst_CDrv_Result& result) {
  // Busy until the final closure is taken: a start arriving while the box
  // shows must not take over this run's closure.
  finishing_ = true;
  inRunDone_ = true;
  const std::shared_ptr<bool> alive = alive_;

  // Without a handler nobody can check what came in, so a run that
  // succeeded fails; one that failed already keeps its own code (a port that
  // would not open is not "Illegal information.").
  if (result.mode == clonecfg::kIdentify) {
    if (identifyHandler_) {
      identifyHandler_(result);
      if (!*alive) return;
    } else if (result.code == 0) {
      result.code = 11;
    }
  } else if (result.mode == clonecfg::kRead) {
    if (readHandler_) {
      readHandler_(result);
      if (!*alive) return;
    } else if (result.code == 0) {
      result.code = 8;
    }
  }

  if (!suppressMessage_) {
    ShowCloneError(result.code);
    if (!*alive) return;
  }
  suppressMessage_ = false;

  EvMan().Send(ev::CloneProgressClosed);
  if (!*alive) return;
  CloseProgress();

  EvMan().Send(ev::CloneRunEnded, result.code == 0 ? 1 : 0);
  if (!*alive) return;

  Closure final = std::move(final_);
  final_ = nullptr;
  finishing_ = false;
  if (final) final(result);
  if (*alive) inRunDone_ = false;
}
