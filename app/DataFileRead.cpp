#include "app/DataFileRead.h"

#include <algorithm>

#include "app/ImagePasses.h"
#include "core/indEnviron.h"
#include "model/LayoutImage.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcIcfFile.h"

namespace {

constexpr int kOldestRevision = 1;
constexpr int kNewestRevision = 3;

bool KnownRevision(int revision, int& result) {
  if (revision >= kOldestRevision && revision <= kNewestRevision) return true;
  result = revision > kNewestRevision ? cmcIcfFile::kNewer : cmcIcfFile::kMapRev;
  return false;
}

// A record of destination 16 means "none": files saved before the setup
// carry it, so Open reads it (and decides what to take from it); the setup,
// which takes the destination, refuses it.
bool KnownDestination(std::uint32_t value, std::uint32_t highest) {
  dst_EtcData record;
  return indEnviron::DecodeEtcData(value, record) && record.destination <= highest;
}

}  // namespace

int ReadDataFileChecked(const std::string& path, std::uint32_t model, std::uint32_t subCode,
                        DataFileContent& content, bool destinationRequired) {
  cmcEeprom scratch;
  scratch.SetSize(MemMapMaxSize);
  scratch.Fill(0xFF);
  cmcIcfFile file;
  file.SetVersion(1);
  file.SetImage(&scratch);
  file.SetModel(model);
  file.SetSubCode(subCode);
  file.SetMapRevCheck(cmcIcfFile::MapRevCodeCheck(KnownRevision));
  const std::uint32_t highest =
      destinationRequired ? dst_EtcData::kNoDestination - 1 : dst_EtcData::kNoDestination;
  file.SetEtcDataCheck(
      [highest](std::uint32_t value, std::uint32_t&) { return KnownDestination(value, highest); });
  if (const int code = file.Read(path); code != cmcIcfFile::kOk) return code;

  const int revision = file.GetMapRev();
  if (imagepass::CheckDataFile(scratch, true, revision)) {
    file.ShowError(cmcIcfFile::kData);
    return cmcIcfFile::kData;
  }
  if (const int code = file.CheckCoverage(MemMapRevisionOf(revision).MemMapRangeList());
      code != cmcIcfFile::kOk) {
    file.ShowError(code);
    return code;
  }

  // Revision 3 "converts" by copying the whole read buffer; the document
  // keeps its own size.
  cmcEeprom converted;
  MemMapConvertImage(converted, scratch, kNewestRevision, revision);
  content.image.SetSize(layout::kImageSize);
  content.image.Fill(0xFF);
  content.image.SetBlock(0, converted.Data(), std::min(converted.GetSize(), layout::kImageSize));
  content.revision = revision;
  indEnviron::DecodeEtcData(file.GetEtcData(), content.destination);
  return cmcIcfFile::kOk;
}
