#pragma once
// One run of a list edit command (internal to the list edit commands): the
// request, the row range, and what the run leaves in the capsule.
#include <cstdint>

#include "app/ListEditCommands.h"

class datClipCh;

// Message and status keys the list edit commands use.
namespace listedit::keys {
inline constexpr char kAskClear[] = "GI_AppMess_Conv_Clear";
inline constexpr char kAskDelete[] = "GI_AppMess_Conv_Delete";
inline constexpr char kAskOverflow[] = "GI_AppMess_Conv_Overflow";
inline constexpr char kAskOverflowPaste[] = "GI_AppMess_Conv_Overflow_Paste";
inline constexpr char kAskOverwrite[] = "GI_AppMess_Conv_Overwrite";
inline constexpr char kListFull[] = "GI_AppMess_MemoryErr_Overflow";
inline constexpr char kNoChannelLeft[] = "GI_AppMess_BankChErr_NoChSpace";
inline constexpr char kStatusClear[] = "GI_AppMess_S_Clear";
inline constexpr char kStatusCopy[] = "GI_AppMess_S_Copy";
inline constexpr char kStatusDelete[] = "GI_AppMess_S_Delete";
inline constexpr char kStatusInsert[] = "GI_AppMess_S_Insert";
inline constexpr char kStatusPaste[] = "GI_AppMess_S_Paste";
}  // namespace listedit::keys

class ListEditRun {
 public:
  ListEditRun(DocumentContext& doc, cmcCellCapsule& capsule, datCh& record, std::uint32_t kind,
              int listFirst, int listLast, int group);

  DocumentContext& doc;
  cmcCellCapsule& capsule;
  datCh& record;
  const std::uint32_t kind;
  const int listFirst;
  const int listLast;
  const int group;
  const int cursor;  // the row of the capsule's cell

  // The capsule names the cell the command came from.
  bool HasCell() const { return hasCell_; }

  // The selected rows, else the cursor row, clipped to listFirst..listLast +
  // extraRows; false (nothing to do) for a malformed selection, a cursor
  // outside those rows or nothing left after the clip.
  bool Range(int& first, int& last, int extraRows = 0) const;
  bool CursorIn(int extraRows = 0) const;

  // A question (OK / Cancel, through ShowAppMessage); true for OK.
  bool Ask(const char* key);
  // An error box with OK only.
  void ShowError(const char* key);
  // The status text of a key as event 4, sent or posted.
  void Status(const char* key, bool post = false);

  void Select(int first, int last);
  void DropSelection();
  void MoveCursor(int row);
  // The run wrote into the image.
  void Wrote() { wrote_ = true; }
  bool HasWritten() const { return wrote_; }

  // Ends every run: marks the document modified when the run wrote, and
  // reloads the record.
  void Finish();

 private:
  bool hasCell_;
  bool wrote_ = false;
};

// Status-bar colours of event 4.
inline constexpr std::intptr_t kStatusColour1 = 0xFF000008;
inline constexpr std::intptr_t kStatusColour2 = 0xFF00000F;

// The list commands share these (ListEditCommands.cpp).
namespace listedit {
// Whether the copy buffer can write records of the kind (program links,
// received calls and call lists it cannot).
bool IsPasteableKind(std::uint32_t kind);
// Copies rows first..first+count-1 of the kind into a scratch buffer and
// pastes them at `to`; answers the number of records written.
int CopyRows(DocumentContext& doc, std::uint32_t kind, int first, int count, int to);
}  // namespace listedit

// The commands by list family.
void RunCopy(ListEditRun& run);
void RunPaste(ListEditRun& run);
void RunMove(ListEditRun& run, int direction);
void RunClear(ListEditRun& run);
void RunDelete(ListEditRun& run);
void RunInsert(ListEditRun& run);
void RunGroupDelete(ListEditRun& run);
void RunGroupInsert(ListEditRun& run);
void RunLinkDelete(ListEditRun& run);
void RunCallListDelete(ListEditRun& run);
void RunHistoryDelete(ListEditRun& run);
