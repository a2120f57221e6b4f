#pragma once
// The main controller: the one object that owns the document (the current
// memory image, the initial image, the snapshot that decides "modified",
// the file name, the layout revisions, the radio information of the last
// identification, the copy buffer) and the main window's parts, and that
// carries out the document commands. indMain (app/indMain.h) specialises it
// for the TR-3700; the program reaches the one instance through Controller()
// (app/MainController.h).
//
// The document always holds the current layout (revision 3); the document
// revision only records what the file or the radio had. Texts are code page
// 932 bytes (the text table's); file names and folders are UTF-8 paths; the
// title is a QString.
//
// Built after the settings, the text table and the event bus, and destroyed
// before them: the constructor picks the interface table, reads the system's
// regional formats and the version file and adds a bus listener, which the
// destructor removes. The constructor sets no window title; the first
// SetFileName, SetModified or ClearModified does. It never fails: a missing
// or damaged version file leaves the built-in version texts.
//
// The main window (MainFrame) holds the tree, the open sheet and the status
// bar; the controller builds it (BuildMainWindow), opens and closes its pages
// and runs the warning check over its tree. The image passes are those of
// app/ImagePasses.h over the document's images, read against the settings'
// destination.
//
// The file commands (New, Open, Save, Save As) and the clone commands (read,
// write, information) run here; a failure of any of them (a damaged file, a
// failed write, a silent radio) shows one message and leaves the document,
// the settings and the files on disk as they were. The printer is made with
// the main window (BuildMainWindow). Not built here: the option text cache.
#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/DocumentContext.h"
#include "app/DocumentLocale.h"
#include "core/cmcTask.h"
#include "core/dst_EtcData.h"

class QWidget;
class MainFrame;
class cmcEeprom;
class cuiSheet;
class indDestination;
class cmcEvMan;
class cmcFCache;
class cmcGTex;
class cmcTick;
class cmcCellObj;
class cuiHtmlHelp;
class cuiPrinter;
struct CsvContext;
class datClipCh;
class indCloneMan;
class indEnviron;
class CloneProgressFactory;
struct cmcEvent;
struct dst_CDrv_Result;

class cuiMain {
 public:
  // The words that go into clone frames and data-file headers.
  struct ModelRecord {
    std::array<std::uint32_t, 4> cleared{};
    std::uint32_t lastAddress = 0;  // last address of the radio's clone range
    std::uint32_t word16 = 16;
    std::uint32_t modelWord1 = 0;
    std::uint32_t modelWord2 = 0;
    std::string key;  // data-file digest key, 12 decimal digits
  };

  // Where a clone run stands (the clone commands move it on).
  struct ClonePhase {
    bool writeConfirmed = false;
    bool firstIdentify = true;
    bool destinationAdopted = false;
    bool writeImagePrepared = false;
  };

  using StatusSink = std::function<void(const QString& text)>;

  static constexpr std::uint32_t kCurrentRevision = 3;
  static constexpr std::uint32_t kCheckDelayMs = 250;
  static constexpr int kTickIntervalMs = 50;

  // `settings` and `texts` must outlive the controller; an event bus must be
  // installed (EvMan()) and outlive it too.
  cuiMain(indEnviron& settings, cmcGTex& texts, std::int32_t imageSize);
  virtual ~cuiMain();
  cuiMain(const cuiMain&) = delete;
  cuiMain& operator=(const cuiMain&) = delete;

  // --- operations the radio's controller replaces -------------------------
  // Clears the model record (word 16 kept at 16) and sets the base key.
  virtual void InitModel();
  // (Re)creates the tree on the main window (nothing without one), runs the
  // warning check, closes the sheet, shows the tree, selects node 0 and
  // sends "list names changed".
  virtual void BuildTree();
  // Fixes up an image just read from a file or the radio. The base does
  // nothing.
  virtual void AfterImageLoad(cmcEeprom& image);
  // Opens a data file: 0 opened, 1 not. The base opens nothing and answers 0.
  virtual int OpenIcfFile(const std::string& name);
  // The setup dialog's data file: 0 taken, 1 not. The base takes none.
  virtual int LoadInitialData(const std::string& name);
  // The final closure of a clone-information run: the radio's information
  // dialog over the main form (or, while the form is hidden behind the
  // setup dialog, "setup identified").
  virtual void ShowCloneInfo(dst_CDrv_Result& result);
  // Registers the radio's page classes with the window's sheet factory
  // (called once its parts are built). The base registers none.
  virtual void RegisterSheetClasses(MainFrame& frame);

  // Puts the text table of the interface language in force (the settings'
  // language and the system's).
  void SelectTextLanguage();

  // --- the document -------------------------------------------------------
  std::int32_t ImageSize() const { return imageSize_; }
  cmcEeprom& Image() { return *image_; }
  const cmcEeprom& Image() const { return *image_; }
  cmcEeprom& InitialImage() { return *initial_; }
  const cmcEeprom& InitialImage() const { return *initial_; }
  // The image as last saved, loaded or cleared.
  const cmcEeprom& SavedImage() const { return *saved_; }
  // A copy of the initial image taken when the main window is built (empty
  // before); TakeCompareSnapshot takes it.
  const cmcEeprom& CompareImage() const { return *compare_; }
  void TakeCompareSnapshot();
  // The current image converted for a clone write.
  cmcEeprom& WriteImage() { return *writeImage_; }
  // Current image := initial image.
  void ResetImageToInitial();

  // True when the flag is set, or when the current image now differs from
  // the saved snapshot (which sets the flag and the title).
  bool IsModified();
  // The flag alone, without comparing.
  bool ModifiedFlag() const { return modified_; }
  void SetModified();
  // Saved snapshot := current image; flag cleared; title.
  void ClearModified();

  const std::string& FileName() const { return fileName_; }
  // Stores the name (UTF-8 path; empty = untitled) and updates the title.
  void SetFileName(const std::string& name);
  bool IsUntitled() const { return fileName_.empty(); }
  // The file name; when untitled, the default folder, "/" and the table's
  // name for a new file ("Untitled").
  std::string GetSaveFileName();
  const std::string& DefaultFolder() const { return defaultFolder_; }
  void SetDefaultFolder(const std::string& folder) { defaultFolder_ = folder; }

  // Title := file part of GetSaveFileName, " [Old Form]" below revision 3,
  // " - " and the program's title; set on the main form when there is one.
  void UpdateTitle();
  // The title last made (empty before the first UpdateTitle).
  const QString& Title() const { return title_; }

  // Layout revision of the document as last loaded or saved (1..3).
  std::uint32_t DocumentRevision() const { return documentRevision_; }
  void SetDocumentRevision(std::uint32_t revision) { documentRevision_ = revision; }

  // The last identification's radio information and the model word received.
  const RadioInformation& RadioInfo() const { return radioInfo_; }
  std::uint32_t RadioModelWord() const { return radioModelWord_; }
  void SetRadioInfo(const RadioInformation& info, std::uint32_t modelWord);
  // Byte 1 of the radio information.
  std::uint32_t RadioRevision() const { return radioInfo_[1]; }

  // Copies used during one clone run.
  dst_EtcData& CloneDestination() { return cloneDestination_; }
  std::uint32_t ExpectedRevision() const { return expectedRevision_; }
  void SetExpectedRevision(std::uint32_t revision) { expectedRevision_ = revision; }
  ClonePhase& Phase() { return phase_; }

  const ModelRecord& Model() const { return model_; }
  // {0, last address, 1, 0}.
  const std::array<std::uint32_t, 4>& RegionRecord() const { return region_; }

  // --- regional formats and version --------------------------------------
  const DocumentLocale& Locale() const { return locale_; }
  DateOrder GetDateOrder() const { return locale_.dateOrder; }
  const std::string& ShortDateFormat() const { return locale_.shortDateFormat; }
  const std::string& TimeFormat() const { return locale_.timeFormat; }
  char DateSeparator() const { return locale_.dateSeparator; }
  char TimeSeparator() const { return locale_.timeSeparator; }
  char CsvDecimal() const { return locale_.csvDecimal; }
  char CsvSeparator() const { return locale_.csvSeparator; }
  const std::string& VersionText() const { return version_; }
  const std::string& YearsText() const { return years_; }

  // --- owned parts --------------------------------------------------------
  indEnviron& Settings() { return settings_; }
  cmcGTex& Texts() { return texts_; }
  // The option text cache of the choice lists, over the text table.
  cmcFCache& Choices() { return *choices_; }
  // A new cache over the table in force (after a language switch); the
  // closure set below learns of it before the old one goes.
  void RenewChoices();
  void SetChoicesRenewed(std::function<void(cmcFCache&)> renewed) {
    choicesRenewed_ = std::move(renewed);
  }
  indCloneMan& CloneMan() { return *cloneMan_; }
  cuiHtmlHelp& Help() { return *help_; }
  // Enables the help topic and popup windows again (a modal form disables
  // the other windows while it runs).
  void EnableHelpWindows();
  datClipCh& ClipBuffer() { return *clip_; }
  // The 50 ms task of the main window. It runs only while it has work: no
  // sheet open on the visible window, or the check delay running; it stops
  // itself once both are done.
  cmcTask& TickTask() { return *tick_; }
  // Starts the tick task when it has work (a sheet closed while the window
  // is visible, the window shown without a sheet, an edit); a running task
  // is left as it is.
  void ArmTick();
  // The commands' view of the document.
  DocumentContext Context();

  // The print-all choices: whether memory-channel pages and bank pages
  // print. Both are set at start and for printing the current sheet; the
  // print-all dialog sets them from its two boxes.
  bool PrintChoiceMemory() const { return printMemory_; }
  void SetPrintChoiceMemory(bool print) { printMemory_ = print; }
  bool PrintChoiceBank() const { return printBank_; }
  void SetPrintChoiceBank(bool print) { printBank_ = print; }

  // --- printing -------------------------------------------------------------
  // The printer (null before the main window is built and after it closed).
  cuiPrinter* Printer() const { return printer_.get(); }
  // Prints the current sheet: both print-all choices on, then the printer's
  // mode 0.
  void PrintCurrent();
  // Prints every tree page that has a page reference, in tree order, as
  // the pages' classes and the two print-all choices allow. Nothing while a
  // print-all run is still going.
  void PrintAll();

  // The next sheet build reloads its layout (set by a language switch).
  bool RebuildFlag() const { return rebuild_; }
  void SetRebuildFlag(bool rebuild) { rebuild_ = rebuild; }

  // --- image passes ---------------------------------------------------------
  // The settings' destination as a band plan (codes of 16 and more: none).
  indDestination SettingsDestination() const;
  // Rebuilds the initial image for the settings' destination (16 and more
  // build destination 0's) and puts that destination in force.
  void LoadInitialImage();
  // The two loading passes of a loaded image (group counts, list order).
  void PrepareImage(cmcEeprom& image);
  // The destination fix-up of an image against the initial image.
  void NormalizeImage(cmcEeprom& image);
  // The write preparation, on a copy before a save or a clone write.
  void PrepareWriteImage(cmcEeprom& image);
  // Repairs what the warning check marks; true when entries were deleted.
  bool CorrectMarkedSettings(cmcEeprom& image, bool fromSave);
  // True when a loaded image fails its revision byte or signature.
  static bool CheckDataFile(const cmcEeprom& image, bool checkFormatName, int revision);

  // --- destination apply ----------------------------------------------------
  // The settings take the record, the initial image is rebuilt; with mode 2
  // the copy buffer is cleared, the image normalised, the tree rebuilt, the
  // sheet closed and "list names changed" sent.
  void ApplyDestinationOnly(cmcEeprom& image, const dst_EtcData& record, int mode);
  void ApplyDestinationChange(cmcEeprom& image, const dst_EtcData& record, int mode);
  // The radio's destination: for a clone read only into the clone run's
  // copy; otherwise into the settings, applied to the current image, and an
  // untitled document that was not modified becomes the new initial image.
  void ApplyDestination(const RadioInformation& info, int mode, bool forRead);

  // --- CSV lists (app/CsvCommands.cpp) --------------------------------------
  // Export and import of the list behind the open sheet; allGroups takes the
  // whole GPS memory or repeater list instead of the open group. True when
  // nothing was written, respectively imported.
  bool ExportCsvFile(bool allGroups);
  bool ImportCsvFile(bool allGroups);
  // Shows or hides and enables or disables a CSV menu cell for the open
  // sheet; other cells get both flags cleared.
  void UpdateCsvMenuState(cmcCellObj& cell);

  // --- warning check --------------------------------------------------------
  // Runs every check cell through the cell handler and marks the tree's
  // nodes; without a tree nothing runs and both counts are 0.
  void RunWarningCheck(int* errors, int* warnings);
  // (Re)starts the 250 ms countdown after an edit; the check runs once it
  // has run out.
  void StartCheckDelay();
  // The countdown; null before the first StartCheckDelay and after the
  // check it delayed has run.
  cmcTick* CheckDelay() { return checkDelay_.get(); }

  // --- document questions ---------------------------------------------------
  // Ends cell editing, then asks to save a modified document: 6 go on, 2
  // cancel. With askWriteFile the question is "Save changes?", else it names
  // the file.
  int ConfirmSaveChanges(bool askWriteFile);
  // The main form's close query (the confirm-save flow): true to close.
  bool QueryClose();

  // --- file commands --------------------------------------------------------
  // A new document: the initial image, untitled, revision 3, not modified.
  void NewFile();
  // The open dialog, then OpenIcfFile on the chosen file.
  void OpenFile();
  // Saves under the document's name and revision, or through Save As with
  // the dialog (and again after a No to the old-format question): 0 saved,
  // 1 not saved.
  int Save(bool asDialog);
  // The save dialog, then SaveToFile with the chosen name and revision: 0,
  // 1 (cancelled or not saved) or -1 (choose again).
  int SaveAs();
  // Writes the document as a data file of the revision: 0 saved, 1 not
  // saved (cancelled, or the write failed: the old file and the document
  // stay as they were), -1 the user wants another format.
  int SaveToFile(const std::string& name, int revision);
  // Test seam: called before each line of a data file is written; false
  // fails the write there.
  void SetDataFileWriteFault(std::function<bool(int lineIndex)> fault) {
    writeFault_ = std::move(fault);
  }

  // --- clone commands -------------------------------------------------------
  // Each starts an identification; nothing happens while a run is going.
  void StartCloneRead();
  void StartCloneWrite();
  void StartCloneInfo();
  // The runs' final closures (one stage each).
  void OnIdentifyForRead(dst_CDrv_Result& result);
  void OnReadDone(dst_CDrv_Result& result);
  void OnCloneWriteReady(dst_CDrv_Result& result);
  void OnCloneWriteDone(dst_CDrv_Result& result);

  // --- main window ----------------------------------------------------------
  // Builds the window's parts for the document (called once by main()):
  // the initial image, menu, tool bar, panels, tree and status bar, the
  // self check, then arms the tick.
  void BuildMainWindow(MainFrame& frame);
  MainFrame* Window() const;
  // The main form's close was accepted: the tick stops and the form is
  // forgotten, so no later event reaches it.
  void OnMainFormClosed();
  // Pages: open one by its reference, close (and remember) the open one.
  void OpenSheet(const std::string& reference);
  void CloseSheet();
  void ReleaseSheet() { CloseSheet(); }
  cuiSheet* CurrentSheet() const;
  // The open sheet's number (253 without one).
  int GetCurrentSheetNumber() const;
  // The tree's change handler: opens the selected node's page unless it is
  // open already.
  void OnTreeChange();
  // Runs the selected tree node's cell with Enter (opens its page).
  void RunSelectedNode();

  // --- window parts -------------------------------------------------------
  // The main form (the title goes there); a title already made is set at once.
  void SetMainForm(QWidget* form);
  QWidget* MainForm() const;

  // Receives the text of every status message (event 4) as it arrives;
  // without a sink the messages are dropped.
  void SetStatusSink(StatusSink sink) { statusSink_ = std::move(sink); }

 protected:
  // The 50 ms tick: opens the selected page when none is open, then runs the
  // delayed check.
  void OnTick(cmcTask& task);
  // Clone manager closures: the identification's model, version, radio
  // information, revision and destination checks, and the read image's data
  // check; each may set the run's code.
  void OnIdentifyResult(dst_CDrv_Result& result);
  void OnReadResult(dst_CDrv_Result& result);
  // A clone run's first identification: every phase flag back to its start
  // (first identification), no expected revision, the model words.
  void StartCloneRun(std::function<void(dst_CDrv_Result&)> firstStage);
  // After a successful save: the document becomes what was written (for an
  // older layout, what the file gives back), takes the name, folder, recent
  // entry and revision, and is not modified.
  void AdoptSavedImage(const std::string& name, int revision, cmcEeprom& document,
                       const cmcEeprom& fileImage);
  bool MainFormVisible() const;

  ModelRecord model_;
  cmcEvMan& bus_;  // the bus our listener was added to

 private:
  void OnEvent(const cmcEvent& event);
  // The tick has something to do: a page to open or a check to run.
  bool TickHasWork() const;
  // The printer over the main window (its page factory, tool-bar pictures).
  void MakePrinter(MainFrame& frame);
  // The CSV files' separators, date form and language, and the USE(FROM)
  // question.
  CsvContext MakeCsvContext();
  // The folder of the last file, also for the next start.
  void SetDataFolder(const std::string& folder);

  indEnviron& settings_;
  cmcGTex& texts_;
  std::int32_t imageSize_ = 0;
  dst_EtcData cloneDestination_;
  std::uint32_t expectedRevision_ = 0;  // 0 = none
  QPointer<QWidget> form_;
  QPointer<MainFrame> window_;
  std::string defaultFolder_;
  std::string fileName_;
  bool modified_ = false;
  DocumentLocale locale_;
  std::unique_ptr<cmcFCache> choices_;
  std::function<void(cmcFCache&)> choicesRenewed_;
  std::unique_ptr<cmcTick> checkDelay_;
  std::unique_ptr<indCloneMan> cloneMan_;
  RadioInformation radioInfo_{};
  std::uint32_t radioModelWord_ = 0;
  ClonePhase phase_;
  std::uint32_t documentRevision_ = kCurrentRevision;
  std::unique_ptr<cmcEeprom> writeImage_;
  std::unique_ptr<cuiHtmlHelp> help_;
  std::unique_ptr<cuiPrinter> printer_;
  std::unique_ptr<datClipCh> clip_;
  std::unique_ptr<cmcEeprom> image_;
  std::unique_ptr<cmcEeprom> initial_;
  std::unique_ptr<cmcEeprom> saved_;
  std::unique_ptr<cmcEeprom> compare_;
  std::string version_;
  std::string years_;
  cmcTaskPtr tick_;
  bool rebuild_ = false;
  bool printMemory_ = true;
  bool printBank_ = true;
  std::array<std::uint32_t, 4> region_{};
  QString title_;
  StatusSink statusSink_;
  std::function<bool(int)> writeFault_;
  std::unique_ptr<CloneProgressFactory> progressFactory_;
};
