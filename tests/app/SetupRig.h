#pragma once
// The program as main() starts it, in this process and offscreen: fresh
// settings in a scratch folder, the program's globals (English table, bus,
// installed controller), its cell handler and main window, and the setup
// dialog over the hidden window when the setup is not done. Message boxes
// and file dialogs are scripted, time is a manual clock, and the machine's
// own serial devices are never listed. Stop() ends the program as closing
// the window does (the settings are written when they go); Start() again is
// the next start over the same files.
#include <QApplication>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/ProgramGlobals.h"
#include "app/TForm2.h"
#include "app/cuiMain.h"
#include "core/cmcEvMan.h"
#include "core/indEnviron.h"
#include "platform/ComPortList.h"
#include "platform/LocaleInfo.h"
#include "platform/SettingsStore.h"
#include "platform/StandardFolders.h"
#include "sheet/DefaultCellHandler.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"

namespace kwtest {

class SetupRig {
 public:
  SetupRig() : folders_({dir.FileStd("docs"), dir.FileStd("prog"), dir.FileStd("cwd")}) {}
  ~SetupRig() { Stop(); }

  void Start(const std::vector<std::string>& extraArguments = {}) {
    indEnviron::Options options = ScratchEnvironOptions(dir);
    for (const std::string& a : extraArguments) options.arguments.push_back(a);
    env = std::make_unique<indEnviron>(indEnviron::kMutexName, indEnviron::kKeyPath,
                                       indEnviron::kKeyPath, options);
    globals = std::make_unique<ProgramGlobals>(*env);
    cells = std::make_unique<ProgramCellHandler>(*env, globals->Texts(), Main());
    handler = std::make_unique<ScopedDefaultCellHandler>(cells->Frame().Handler());
    window = std::make_unique<MainFrame>(*env, globals->Texts());
    Main().BuildMainWindow(*window);
    window->hide();
    if (env->SetupDone) {
      window->show();
    } else {
      setup = new TForm2(window.get(), globals->Texts(), *env);
      setup->show();
    }
    QApplication::processEvents();
  }

  // Closes what is open and lets the settings go (they are written then).
  void Stop() {
    if (setup) delete setup.data();
    if (window) Main().OnMainFormClosed();
    window.reset();
    handler.reset();
    cells.reset();
    globals.reset();
    env.reset();
  }

  cuiMain& Main() { return globals->Controller(); }
  cmcGTex& Texts() { return globals->Texts(); }
  bool SetupOpen() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !setup.isNull() && setup->isVisible();
  }

  // The stored settings file, read on its own.
  std::int32_t StoredInt(const char* subkey, const char* name) const {
    platform::SettingsStore store(dir.File(QStringLiteral("kw3700.conf")), QString());
    std::int32_t value = -1;
    store.ReadInt(platform::RegRoot::CurrentUser,
                  std::string(indEnviron::kKeyPath) + "\\" + subkey, name, value);
    return value;
  }

  ScratchDir dir;
  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs dialogs;
  platform::ScopedLocaleInfo locale{platform::LocaleInfo{}};
  platform::ScopedStandardFolders folders_;
  platform::ScopedSerialPortScan ports{[] { return std::vector<std::string>{}; }};
  ManualClock clock{1000};
  std::unique_ptr<indEnviron> env;
  std::unique_ptr<ProgramGlobals> globals;
  std::unique_ptr<ProgramCellHandler> cells;
  std::unique_ptr<ScopedDefaultCellHandler> handler;
  std::unique_ptr<MainFrame> window;
  QPointer<TForm2> setup;
};

}  // namespace kwtest
