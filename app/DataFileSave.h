#pragma once
// Saving the document as a data file, on copies: the controller decides
// (questions, warning check) and then calls these; the document itself is
// never written here.
//
// - FileImageFor: the image a file of a revision holds: a copy of the
//   normalised document, write-prepared and converted to that revision.
// - PredictOldLayoutLoss: what a file of revision 1 or 2 cannot hold,
//   found before the user is asked: the document normalised, written for
//   the old layout, read back and put through the loading passes, compared
//   with the same without the old layout (model/OldLayoutLoss.h).
// - OldLayoutLossText: the lines the old-format questions append.
// - WriteDataFile: the file itself, through the data file's atomic writer:
//   on any failure its message is shown and the previous file is left as it
//   was, with no temporary file behind.
#include <cstdint>
#include <functional>
#include <string>

#include "core/dst_EtcData.h"
#include "model/OldLayoutLoss.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"

class cmcGTex;

namespace savefile {

// What the loading and normalising passes read: the initial image, the
// settings' destination and first information flag.
struct PassContext {
  const cmcEeprom& initial;
  indDestination destination;
  bool firstInfoFlag = false;
};

// A copy of `normalized`, write-prepared and converted from revision 3;
// full size. `loss` (when given) receives the down conversion's count.
cmcEeprom FileImageFor(const cmcEeprom& normalized, int revision, MemMapLoss* loss = nullptr);

// What saving `document` (revision 3, as it is, not yet normalised) in
// `revision` (1 or 2) loses. Nothing of the document changes.
OldLayoutLoss PredictOldLayoutLoss(const cmcEeprom& document, const PassContext& passes,
                                   int revision);

// "\n\n" and the lines of "GI_Mess_LostInOldMapRev" for the non-zero
// counts (CP932); empty when nothing is lost.
std::string OldLayoutLossText(cmcGTex& texts, const OldLayoutLoss& loss);

struct DataFileSpec {
  std::uint32_t model = 0;    // header words: the document's model words
  std::uint32_t subCode = 0;
  std::string key;            // the document's digest key
  bool digest = false;        // write the "#CD=" line
  dst_EtcData destination;    // the settings' destination record
  int revision = 3;
  std::function<bool(int lineIndex)> writeFault;  // test seam
};

// The file's comment: the 16 bytes at 0xC9C0 of the file image, every
// byte that is neither printable ASCII nor half-width katakana a blank,
// trimmed.
std::string DataFileComment(const cmcEeprom& fileImage);

// Writes the file image with the revision's block list: 0, or the data
// file's error code (1 or 2), already shown.
int WriteDataFile(const std::string& path, cmcEeprom& fileImage, const DataFileSpec& spec);

}  // namespace savefile
