// Entry of kw3700: one instance at a time, settings loaded before the first
// window and written back after the last.
#include <QApplication>
#include <QScreen>
#include <string>

#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/ProgramGlobals.h"
#include "app/cuiMain.h"
#include "core/indEnviron.h"
#include "platform/FileDialogService.h"
#include "platform/MessageBoxService.h"
#include "platform/Monitors.h"
#include "platform/TerminationSignals.h"
#include "platform/gui/QtFileDialogService.h"
#include "platform/gui/QtMessageBoxService.h"
#include "platform/gui/QtMonitors.h"
#include "sheet/DefaultCellHandler.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Before anything else: a SIGTERM from now on ends the loop normally.
  platform::QuitOnTerminationSignals(app);

  platform::QtMessageBoxService boxes;
  platform::ScopedMessageBoxService boxScope(&boxes);
  platform::QtFileDialogService fileDialogs;
  platform::ScopedFileDialogService fileDialogScope(&fileDialogs);
  platform::QtMonitors monitors;
  platform::ScopedMonitors monitorScope(&monitors);

  indEnviron::Options options;
  for (int i = 0; i < argc; ++i) options.arguments.emplace_back(argv[i]);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    options.screenWidth = screen->geometry().width();
    options.screenHeight = screen->geometry().height();
  }
  indEnviron env(indEnviron::kMutexName, indEnviron::kKeyPath, indEnviron::kKeyPath, options);
  if (!env.IsFirstInstance()) return 0;

  // The program's other globals, in their order; they go in reverse, the
  // settings object last.
  ProgramGlobals globals(env);
  // Every sheet, menu, tree node and tool-bar button acts through it.
  ProgramCellHandler cells(env, globals.Texts(), globals.Controller());
  ScopedDefaultCellHandler cellHandler(cells.Frame().Handler());

  int result = 0;
  {
    MainFrame window(env);
    globals.Controller().SetMainForm(&window);
    window.show();
    result = app.exec();
    window.StorePlacement();
  }
  return result;
}
