#include "app/DataFileSave.h"

#include "app/ImagePasses.h"
#include "clone/CloneErrorText.h"
#include "core/SjisCleaners.h"
#include "core/TextFields.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "model/LayoutImage.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcIcfFile.h"

namespace savefile {
namespace {

constexpr int kCurrentLayout = 3;
constexpr int kBytesPerRecordLine = 32;
constexpr std::int64_t kCommentAddress = 0xC9C0;
constexpr int kCommentSize = 16;

// A converted image at the document's size (the revision-3 "conversion"
// copies whatever size it was given).
cmcEeprom ConvertedFull(const cmcEeprom& source, int toRev, int fromRev, MemMapLoss* loss) {
  cmcEeprom converted;
  const MemMapLoss counted = MemMapConvertImage(converted, source, toRev, fromRev);
  if (loss) *loss = counted;
  if (converted.GetSize() == layout::kImageSize) return converted;
  cmcEeprom full;
  full.SetSize(layout::kImageSize);
  full.Fill(0xFF);
  full.SetBlock(0, converted.Data(), std::min(converted.GetSize(), layout::kImageSize));
  return full;
}

// What loading an image does to it, but the software area's head (outside
// the clone range) and the events: the loading passes and the
// destination fix-up.
void AsLoaded(cmcEeprom& image, const PassContext& passes) {
  imagepass::PrepareImage(image, passes.destination);
  imagepass::NormalizeImage(image, passes.initial, passes.destination, passes.firstInfoFlag);
}

}  // namespace

cmcEeprom FileImageFor(const cmcEeprom& normalized, int revision, MemMapLoss* loss) {
  cmcEeprom prepared = normalized;
  imagepass::PrepareWriteImage(prepared);
  if (revision == kCurrentLayout) {
    if (loss) *loss = MemMapLoss{};
    return prepared;
  }
  return ConvertedFull(prepared, revision, kCurrentLayout, loss);
}

OldLayoutLoss PredictOldLayoutLoss(const cmcEeprom& document, const PassContext& passes,
                                   int revision) {
  cmcEeprom normalized = document;
  imagepass::NormalizeImage(normalized, passes.initial, passes.destination, passes.firstInfoFlag);
  MemMapLoss down;
  const cmcEeprom old = FileImageFor(normalized, revision, &down);
  cmcEeprom roundTrip = ConvertedFull(old, kCurrentLayout, revision, nullptr);
  AsLoaded(roundTrip, passes);
  // The same passes without the old layout: only the conversion differs.
  cmcEeprom reference = FileImageFor(normalized, kCurrentLayout);
  AsLoaded(reference, passes);
  return CompareOldLayoutRoundTrip(reference, roundTrip, down, revision);
}

std::string OldLayoutLossText(cmcGTex& texts, const OldLayoutLoss& loss) {
  if (!loss.Any()) return {};
  constexpr char kKey[] = "GI_Mess_LostInOldMapRev";
  std::string text = "\n\n" + texts.GetText(kKey, 0);
  const int counts[] = {loss.repeaters, loss.groups, loss.yourCalls, loss.gpsMemories,
                        loss.channelsChanged};
  for (int i = 0; i < static_cast<int>(std::size(counts)); ++i)
    if (counts[i] > 0) text += "\n" + FillDecimalPlaceholder(texts.GetText(kKey, i + 1), counts[i]);
  if (loss.settingsReset) text += "\n" + texts.GetText(kKey, static_cast<int>(std::size(counts)) + 1);
  return text;
}

std::string DataFileComment(const cmcEeprom& fileImage) {
  std::string comment(kCommentSize, ' ');
  fileImage.GetBlock(kCommentAddress, comment.data(), kCommentSize);
  core::ReplaceNonAscii(comment, ' ');
  core::TrimBlanks(comment);
  return comment;
}

int WriteDataFile(const std::string& path, cmcEeprom& fileImage, const DataFileSpec& spec) {
  cmcIcfFile file;
  file.SetVersion(1);
  file.SetImage(&fileImage);
  file.SetModel(spec.model);
  file.SetSubCode(spec.subCode);
  file.SetBytesPerLine(kBytesPerRecordLine);
  file.SetCheckKey(spec.digest, spec.key);
  file.SetEtcData(indEnviron::EncodeEtcData(spec.destination));
  file.SetMapRev(spec.revision);
  file.SetComment(DataFileComment(fileImage));
  if (spec.writeFault) file.SetWriteFault(spec.writeFault);
  return file.Write(path, UsedRanges(MemMapRevisionOf(spec.revision).MemMapBlockList()));
}

}  // namespace savefile
