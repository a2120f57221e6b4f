// Entry of kw3700: one instance at a time, settings loaded before the first
// window and written back after the last. The main window opens at once when
// the setup was done, else the setup dialog opens with the main window
// hidden behind it. An exception that escapes an event handler or the loop
// is shown and ends the program with exit code 3.
//
// KW3700_LAYOUT_DUMP=<file>: once the first page is open, the program writes
// the screen rectangles of its window and main parts to the file, one line
// each: "<name> <x> <y> <w> <h>" (the page's title line as "title" when it
// has one), and writes them again whenever they change (another page, the
// window moved or resized).
// KW3700_START_PAGE=<page reference>: the tree node of that page is selected
// at start, so the first page is that one (and the layout is written once it
// is open).
#include <QLabel>
#include <QMenuBar>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "app/EscapedExceptions.h"
#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/ProgramGlobals.h"
#include "app/TForm2.h"
#include "app/cuiMain.h"
#include "app/indMain.h"
#include "app/iuiTree.h"
#include "core/indEnviron.h"
#include "platform/FileDialogService.h"
#include "platform/MessageBoxService.h"
#include "platform/Monitors.h"
#include "platform/PrinterService.h"
#include "platform/TerminationSignals.h"
#include "platform/gui/QtFileDialogService.h"
#include "platform/gui/QtMessageBoxService.h"
#include "platform/gui/QtMonitors.h"
#include "platform/gui/QtTranslations.h"
#include "platform/gui/QtPrinterService.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiFieldDialogs.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr int kLayoutPollMs = 50;

QByteArray RectLine(const char* name, const QWidget* widget) {
  QRect rect;
  if (widget && widget->isVisible())
    rect = QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
  return QByteArray(name) + ' ' + QByteArray::number(rect.x()) + ' ' +
         QByteArray::number(rect.y()) + ' ' + QByteArray::number(rect.width()) + ' ' +
         QByteArray::number(rect.height()) + '\n';
}

// The rectangles of the window's parts, once the window shows its first page
// (the start page when one was asked for); empty until then.
QByteArray LayoutText(MainFrame& window, cuiMain& controller, const std::string& startPage) {
  const cuiSheet* sheet = controller.CurrentSheet();
  if (!window.isVisible() || !sheet) return {};
  if (!startPage.empty() && sheet->GetTitle() != startPage) return {};
  QByteArray text = RectLine("window", &window) + RectLine("menubar", window.menuBar()) +
                    RectLine("toolbar", window.ToolBar()) + RectLine("tree", window.Tree()) +
                    RectLine("sheet", window.SheetPanel()) +
                    RectLine("statusbar", window.statusBar());
  if (const QLabel* title = sheet->TitleLabel(); title && title->isVisible())
    text += RectLine("title", title);
  return text;
}

// Writes the rectangles once they are there and again whenever they change;
// the file is replaced whole, so a reader never sees half of it.
void DumpLayoutWhenReady(MainFrame& window, cuiMain& controller, const QString& path,
                         const std::string& startPage) {
  auto* timer = new QTimer(&window);
  auto written = std::make_shared<QByteArray>();
  QObject::connect(timer, &QTimer::timeout, &window, [=, &window, &controller] {
    const QByteArray text =
        LayoutText(window, controller, written->isEmpty() ? startPage : std::string());
    if (text.isEmpty() || text == *written) return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
      *written = text;
  });
  timer->start(kLayoutPollMs);
}

}  // namespace

int main(int argc, char** argv) {
  ProgramApplication app(argc, argv);
  // Before anything else: a SIGTERM from now on ends the loop normally.
  platform::QuitOnTerminationSignals(app);
  // The loop ends when the main window's close is accepted (or on a signal).
  app.setQuitOnLastWindowClosed(false);

  // Qt's standard buttons and file dialog in the system's language.
  const platform::QtTranslations qtTexts;
  platform::QtMessageBoxService boxes;
  platform::ScopedMessageBoxService boxScope(&boxes);
  platform::QtFileDialogService fileDialogs;
  platform::ScopedFileDialogService fileDialogScope(&fileDialogs);
  platform::QtPrinterService printers;
  platform::ScopedPrinterService printerScope(&printers);
  platform::QtMonitors monitors;
  platform::ScopedMonitors monitorScope(&monitors);

  // Only "/setup" counts; a file named on the command line is not opened.
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
  cuiMain& controller = globals.Controller();
  // Every sheet, menu, tree node and tool-bar button acts through it.
  ProgramCellHandler cells(env, globals.Texts(), controller);
  ScopedDefaultCellHandler cellHandler(cells.Frame().Handler());
  // The digital-voice call-sign dialogs of the radio's controller,
  // and help on the selected cell.
  if (auto* radio = dynamic_cast<indMain*>(&controller)) {
    radio->RegisterDvDialogs(cells.Host());
    radio->RegisterHelp(cells.Host(), globals.HelpTopics());
  }
  // Bit, position and choice-list popups opened from cells.
  cuiFieldDialogs fieldDialogs(globals.Texts());
  ScopedFieldDialogOpener fieldDialogOpener(&fieldDialogs);

  int result = 0;
  {
    MainFrame window(env, globals.Texts());
    QObject::connect(&window, &MainFrame::Closed, &app, [] { QCoreApplication::quit(); });
    const bool built = escape::RunGuarded([&] {
      controller.BuildMainWindow(window);
      window.hide();
      if (env.SetupDone) {
        window.show();
      } else {
        auto* setup = new TForm2(&window, globals.Texts(), env);
        setup->show();
      }
      // Only the bytes of an ASCII reference: the tree's bindings are CP932.
      const std::string startPage = qEnvironmentVariable("KW3700_START_PAGE").toStdString();
      if (!startPage.empty() && window.Tree())
        if (QTreeWidgetItem* node = window.Tree()->FindNodeByBinding(startPage))
          window.Tree()->SelectNode(node);
      const QString dump = qEnvironmentVariable("KW3700_LAYOUT_DUMP");
      if (!dump.isEmpty()) DumpLayoutWhenReady(window, controller, dump, startPage);
      return true;
    });
    result = built ? escape::RunLoop([&] { return app.exec(); }) : escape::kExitCode;
    // A loop ended by a signal has not stored the placement yet.
    if (window.isVisible()) {
      window.StorePlacement();
      env.SplitterV = window.TreePanelWidth();
    }
    controller.OnMainFormClosed();
  }
  return result;
}
