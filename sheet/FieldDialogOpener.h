#pragma once
// The way value converters open the two field dialogs at a cell: the
// bit-selection dialog (a set of flags) and the GPS field dialog (a date,
// time or position in a masked field); and the popup list of a choice cell. Converters only ask;
// the dialog answers later with a mode-2 request to the same cell, carrying its result in the input
// text.
//
// An interface without widgets, so converters and their tests never pull in
// a window: the program installs the opener that builds the real dialogs,
// tests install a recording one. With none installed nothing opens.
#include <cstdint>
#include <string_view>

class cmcCellCapsule;

class FieldDialogOpener {
 public:
  virtual ~FieldDialogOpener() = default;

  // Flags: item k of first..last is bit 26 - k of the word. The header kind
  // names the items (1 hex, 2 decimal with 10 as 0, 3 letters, 4 the six
  // NMEA sentences, 5 the four logger sentences, 6 bit numbers, else
  // decimal); number1 and number2 are handed through unread.
  virtual void OpenBits(const cmcCellCapsule& owner, std::uint32_t flags, int firstItem,
                        int lastItem, int headerKind, int number1, int number2) = 0;

  // Field kinds 0-2 dates (order yyyy/mm/dd, mm/dd/yyyy, dd/mm/yyyy), 3 time,
  // 4 hour and minute, 5/6 latitude/longitude in seconds, 7/8 in hundredths
  // of a minute. The text is in the fixed form (dates "yyyy/mm/dd"); an
  // empty text opens the field blank.
  virtual void OpenGpsField(const cmcCellCapsule& owner, std::string_view text, int fieldKind) = 0;

  // The popup choice list of a choice cell: the options of the list key that
  // carry the list id, the option of the value current. The pick comes back
  // as a mode-2 request whose parent capsule's cell is the chosen option.
  // False when the opener has no popup lists (nothing opened).
  virtual bool OpenChoiceList(const cmcCellCapsule& owner, std::string_view key, int listId,
                              int value) {
    return false;
  }
};

// The opener in force; null when none is installed.
FieldDialogOpener* InstalledFieldDialogOpener();
// Installs an opener for the rest of the program (null removes it).
void InstallFieldDialogOpener(FieldDialogOpener* opener);

// Installs an opener for a scope and puts the previous one back.
class ScopedFieldDialogOpener {
 public:
  explicit ScopedFieldDialogOpener(FieldDialogOpener* opener);
  ~ScopedFieldDialogOpener();
  ScopedFieldDialogOpener(const ScopedFieldDialogOpener&) = delete;
  ScopedFieldDialogOpener& operator=(const ScopedFieldDialogOpener&) = delete;

 private:
  FieldDialogOpener* previous_;
};
