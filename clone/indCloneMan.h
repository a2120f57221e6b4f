#pragma once
// The layer between the main controller and the clone engine: it sets the
// engine up from the settings, starts identification, read and write runs,
// shows the "Cloning" window while data moves, turns a failed run's result
// code into one message box, and calls the controller back: first the
// identify or read handler (which may change the code), then the run's final
// closure.
//
// Everything runs on the event loop (the engine steps on a 10 ms timer task,
// the bar repaints on a 30 ms one); nothing blocks.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/cmcTask.h"
#include "model/MemRange.h"

class QObject;
class cmcCloneDrv;
class cmcEeprom;
class cmcGTex;
class indEnviron;
class CloneProgressFactory;
class CloneProgressView;
namespace platform {
class SerialDevice;
}
struct dst_CDrv_Result;

class indCloneMan {
 public:
  // The result record lives only while the callbacks run.
  using Closure = std::function<void(dst_CDrv_Result&)>;

  // `settings` gives the port, speed and transfer type at every start and
  // `texts` the messages; both must outlive the manager. Events go to the
  // program's bus (EvMan()).
  indCloneMan(indEnviron& settings, cmcGTex& texts);
  // The same over a serial device of the caller's (tests put a fake one in).
  indCloneMan(indEnviron& settings, cmcGTex& texts, std::unique_ptr<platform::SerialDevice> device);
  // Closes the port of a run still going (its closures are never called) and
  // the progress window.
  ~indCloneMan();
  indCloneMan(const indCloneMan&) = delete;
  indCloneMan& operator=(const indCloneMan&) = delete;

  void SetModel(int word1, int word2);
  void SetImageSize(int bytes);
  void SetIdentifyHandler(Closure handler) { identifyHandler_ = std::move(handler); }
  void SetReadHandler(Closure handler) { readHandler_ = std::move(handler); }
  // FE bytes before each data frame of a write (0 or 8).
  void SetDataPreamble(int count) { dataPreamble_ = count; }
  // No error box at the end of the current run; cleared after every run.
  void SetSuppressMessage(bool suppress) { suppressMessage_ = suppress; }
  bool SuppressMessage() const { return suppressMessage_; }

  // The progress window's maker (none: no window) and the window it is
  // centred over and that is disabled while it shows.
  void SetProgressFactory(CloneProgressFactory* factory) { progressFactory_ = factory; }
  void SetMainWindow(QObject* window) { mainWindow_ = window; }

  // Each returns 0 and changes nothing while busy, else 1.
  int StartIdentify(Closure final);
  int StartRead(const MemRangeList& ranges, Closure final);
  int StartWrite(const cmcEeprom& image, const MemRangeList& ranges, Closure final);

  // A run is under way, or its end is still being reported (handler, error
  // box, events) and its final closure not yet taken.
  bool IsBusy() const;

  int Mode() const { return mode_; }
  std::int64_t TotalBytes() const { return totalBytes_; }
  bool IsProgressShown() const { return progress_ != nullptr; }
  bool IsPaintTaskRunning() const;
  cmcCloneDrv& Engine() { return *engine_; }

  // The error box of a result code (no box for 0).
  void ShowCloneError(int code);

 private:
  void Configure(int mode);
  void OpenProgress();
  void CloseProgress();
  void PaintTick(cmcTask& task);
  void RunDone(dst_CDrv_Result& result);

  indEnviron& settings_;
  cmcGTex& texts_;
  std::unique_ptr<cmcCloneDrv> engine_;
  Closure identifyHandler_;
  Closure readHandler_;
  Closure final_;
  std::int64_t totalBytes_ = 0;
  bool suppressMessage_ = false;
  int mode_ = 0;
  int dataPreamble_ = 0;
  int modelWord1_ = 0;
  bool finishing_ = false;  // busy until the final closure is taken
  bool inRunDone_ = false;  // inside the engine's done callback
  CloneProgressFactory* progressFactory_ = nullptr;
  QPointer<QObject> mainWindow_;
  std::unique_ptr<CloneProgressView> progress_;
  cmcTaskPtr paintTask_;
  // Tells callbacks running inside RunDone that the manager was destroyed.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
