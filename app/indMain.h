#pragma once
// The TR-3700's main controller: the cuiMain document with the radio's model
// words and data-file key, an image of 0x40000 bytes, the software area kept
// from the initial image when an image is loaded, its two icons and its own
// listener on the event bus (added when built, removed when destroyed).
//
// Its listener answers "lists edited" (event 45: the current image's bank
// table is rebuilt and the delayed warning check restarted, the document is
// not marked modified), "show the main form" (event 35), "clone
// information" (event 34: an identification whose answer the information
// dialog shows) and the clone run's window states (41 disables a visible
// main form, 42 and 43 enable and focus it), and the events of
// app/indMainEvents.cpp below. The tree's top node carries the radio's
// model name and the rig image.
#include <QIcon>
#include <QImage>
#include <cstdint>
#include <string>

#include "app/cuiMain.h"
#include "cells/CellHost.h"

class AppCellHost;
class cmcCellCapsule;
class datCh;

class indMain : public cuiMain {
 public:
  static constexpr std::int32_t kImageSize = 0x40000;
  static constexpr char kModelKey[] = "712059386241";
  static constexpr std::uint32_t kModelWord1 = 0x3484;
  static constexpr std::uint32_t kModelWord2 = 1;

  indMain(indEnviron& settings, cmcGTex& texts);
  ~indMain() override;

  // The base's, then the last address 172927, model words 0x3484 and 1 and
  // the radio's key.
  void InitModel() override;
  // Copies the software area's head (the 51 bytes after the radio's
  // 172928-byte area) from the initial image into `image`, runs the loading
  // passes and the destination fix-up on it and sends "list names changed".
  void AfterImageLoad(cmcEeprom& image) override;
  // The base's tree, then node 0 named after the radio with image 0, and the
  // application's icon.
  void BuildTree() override;
  // Opens a data file (app/DataFileRead.h's read and checks): the document
  // takes the file's image, name and revision; a file of another
  // destination asks first (Yes takes the file's destination, No loads the
  // data for the settings' destination untitled and modified); a file that
  // names no destination loads like No without the question. 0 opened,
  // 1 not (cancelled, or the file was refused: nothing changed).
  int OpenIcfFile(const std::string& name) override;

  // The digital-voice dialogs over the main form, at the request's cell:
  // the call-sign selector on a channel's UR (kind 0), RPT1 (1) or RPT2 (2,
  // with RPT1 as second call sign), and the Repeater Setting dialog on a
  // channel record whose route summary is filled. True when the user
  // confirmed (the field or record then holds the choice). Repeaters on
  // frequencies the destination refuses are never offered for access.
  bool RunCallSignDialog(cmcCellCapsule& capsule, int kind, CallSignField& field,
                         const CallSignField* second);
  bool RunRepeaterDialog(cmcCellCapsule& capsule, datCh& record);
  // Registers the two on the cell handler's host (which must not outlive
  // this controller).
  void RegisterDvDialogs(AppCellHost& host);
  // The TR-3700's page classes (app/PageClasses.h).
  void RegisterSheetClasses(MainFrame& frame) override;

  // The radio's model name (value 0 of "GI_AppInd_Model").
  std::string ModelName();

  // --- answers to the bus's events (app/indMainEvents.cpp) -----------------
  // Queues the language switch (event 31) for the bus's next tick: the
  // window is rebuilt outside the menu click that asked for it.
  void PostEvent31();
  // The list names to the tree (event 30): with a tree, opens the selected
  // node's page when none is open on the visible form, then posts one rename per bank (21..46),
  // GPS group (222..247), link list (51..60) and repeater group (123..172).
  void PostListNames();
  // One link list's name to the tree (event 32, p2 = list 0..9; any other
  // number posts nothing).
  void PostLinkName(std::intptr_t list);
  // The language switch (event 31): ends editing and closes the sheet, puts
  // the table of the language setting and a new option cache in force,
  // rebuilds menu, tool bar and tree, reopens the selected page and titles
  // the window anew. The document stays as it is.
  void SwitchLanguage();
  // Reopens the open sheet by its page reference (event 33); with `select`
  // the new sheet's cursor goes to the cell of the old one's category and
  // id and, for a `index` of 0, its index (else `index`). No sheet: nothing.
  void ReopenSheet(bool select, std::intptr_t index);
  // The destination check after an identification (event 36; `forRead` on a
  // clone read). Nothing without radio information or for a radio code
  // above 15. A radio of another destination is taken at once while the
  // main form is hidden, else when ConfirmModelChange agrees. Taken, or
  // the same destination: the radio's two information flags (byte 22 bits
  // 0 and 1) become the second and third flags first, then the destination
  // applies. On a read both go into the clone run's destination copy only
  // (the read applies it once its data is in).
  void CheckRadioDestination(bool forRead);
  // Whether to take the radio's destination: OK or Cancel (warning, Cancel
  // default). OK on a read agrees; otherwise the document's save question
  // follows (Cancel disagrees), and a named or modified document becomes
  // untitled and modified and the copy buffer is cleared.
  bool ConfirmModelChange(bool forRead);
  // Behind the setup dialog (event 37): a hidden main form's document
  // becomes the initial image, not modified.
  void ResetHiddenDocument();

  // The setup dialog's data file: read and checked as Open does (a
  // destination 0..15 required); the settings take its destination and two
  // flags, the document becomes that destination's initial image, untitled
  // and not modified, the file's folder the default folder, and the dialog
  // is told to close (event 60). 0; 1 after a refusal already shown, with
  // nothing changed.
  int LoadInitialData(const std::string& name) override;

  const QImage& ApplicationIconImage() const { return appIcon_; }
  const QImage& RigIconImage() const { return rigIcon_; }
  // As icons (a widget application must exist).
  QIcon ApplicationIcon() const;
  QIcon RigIcon() const;

 private:
  void OnEvent(const cmcEvent& event);

  QImage appIcon_;
  QImage rigIcon_;
};
