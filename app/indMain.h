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
// main form, 42 and 43 enable and focus it). The tree's top node carries the
// radio's model name and the rig image. Not built yet (their commands land
// later): the bodies of the radio's other events.
#include <QIcon>
#include <QImage>
#include <cstdint>
#include <string>

#include "app/cuiMain.h"
#include "cells/CellHost.h"

class AppCellHost;
class cmcCellCapsule;
class cmcCellObj;
class cmcHelpGTex;
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
  // The help context of a cell: its id name in the help-topic table; 0 when
  // the table has none.
  static int GetHelpIds(cmcHelpGTex& topics, const cmcCellObj& cell);
  // Registers help on the cell handler's host: contexts from `topics`
  // (which must outlive the host), topics shown by ShowHelp.
  void RegisterHelp(AppCellHost& host, cmcHelpGTex& topics);
  // The TR-3700's page classes (app/PageClasses.h).
  void RegisterSheetClasses(MainFrame& frame) override;

  // The radio's model name (value 0 of "GI_AppInd_Model").
  std::string ModelName();

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
