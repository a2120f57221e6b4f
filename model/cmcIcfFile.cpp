#include "model/cmcIcfFile.h"

#include <algorithm>
#include <cstring>

#include "core/AppMessageBox.h"
#include "core/HexText.h"
#include "core/cmcGTex.h"
#include "model/cmcEeprom.h"
#include "platform/MessageBoxService.h"
#include "resources/text/TextTables.h"

namespace {

cmcIcfFile::TextSource& GlobalTextSource() {
  static cmcIcfFile::TextSource source;
  return source;
}

std::string Text(std::string_view key) {
  const auto& source = GlobalTextSource();
  if (source) return source(key);
  // No interface table installed (tools, tests): the built-in English one.
  static cmcGTex english;
  english.SetSource(kwres::kTextEnglish);
  return english.GetFirst(key);
}

// Sets bits first..last (inclusive) of a bitmap.
void SetBits(std::vector<std::uint8_t>& map, std::int64_t first, std::int64_t last) {
  while (first <= last && (first & 7) != 0) {
    map[static_cast<size_t>(first >> 3)] |= static_cast<std::uint8_t>(1u << (first & 7));
    ++first;
  }
  while (first + 7 <= last) {
    map[static_cast<size_t>(first >> 3)] = 0xFF;
    first += 8;
  }
  while (first <= last) {
    map[static_cast<size_t>(first >> 3)] |= static_cast<std::uint8_t>(1u << (first & 7));
    ++first;
  }
}

}  // namespace

cmcIcfFile::cmcIcfFile() = default;
cmcIcfFile::~cmcIcfFile() = default;

void cmcIcfFile::SetTextSource(TextSource source) { GlobalTextSource() = std::move(source); }

void cmcIcfFile::SetImage(cmcEeprom* image) {
  SetImageRange(image, 0, image ? image->GetSize() - 1 : 0);
}

void cmcIcfFile::SetImageRange(cmcEeprom* image, std::int32_t first, std::int32_t last) {
  image_ = image;
  const std::int32_t size = image ? image->GetSize() : 0;
  rangeFirst_ = std::max(first, 0);
  rangeLast_ = (last >= size) ? size - 1 : last;
  mapBytes_ = (size + 7) / 8;
  loadedMap_.assign(static_cast<size_t>(mapBytes_), 0);
  requiredMap_.assign(static_cast<size_t>(mapBytes_), 0);
  if (size > 0) SetBits(requiredMap_, 0, size - 1);
}

// The image may have been resized since it was bound: the maps follow it.
void cmcIcfFile::EnsureMaps() {
  const std::int32_t size = image_ ? image_->GetSize() : 0;
  if (mapBytes_ != (size + 7) / 8) SetImageRange(image_, rangeFirst_, rangeLast_);
}

bool cmcIcfFile::SetBytesPerLine(int n) {
  if (n < 1 || n > 255) return false;
  bytesPerLine_ = n;
  return true;
}

bool cmcIcfFile::SetCheckKey(bool writeDigest, std::string_view key) {
  if (key.size() != 12) return false;
  std::uint8_t bytes[6];
  if (core::HexTextToBytes(bytes, key, 12) != 0) return false;
  std::memcpy(digestKey_, bytes, sizeof bytes);
  writeDigest_ = writeDigest;
  return true;
}

int cmcIcfFile::CheckCoverage(const MemRangeList& ranges) {
  if (!image_ || image_->GetSize() <= 0) return kCoverage;
  EnsureMaps();
  const std::int64_t size = image_->GetSize();
  if (!requiredMap_.empty()) std::memset(requiredMap_.data(), 0, requiredMap_.size());
  for (const MemRange& r : ranges) {
    if (r.IsEnd()) break;
    // A pair that leaves the image cannot be covered by any file.
    if (r.first < 0 || r.last >= size) return kCoverage;
    SetBits(requiredMap_, r.first, r.last);
  }
  bool missing = false;
  for (size_t i = 0; i < requiredMap_.size(); ++i) {
    const std::uint8_t loaded = loadedMap_[i];
    const std::uint8_t required = requiredMap_[i];
    if (loaded & ~required) return kData;
    if (required & ~loaded) missing = true;
  }
  return missing ? kCoverage : kOk;
}

void cmcIcfFile::MarkLoaded(std::int64_t first, std::int64_t last) {
  SetBits(loadedMap_, first, last);
}

bool cmcIcfFile::WasLoaded(std::int64_t address) const {
  if (address < 0 || (address >> 3) >= static_cast<std::int64_t>(loadedMap_.size())) return false;
  return (loadedMap_[static_cast<size_t>(address >> 3)] >> (address & 7)) & 1;
}

void cmcIcfFile::ShowError(int code) const {
  static constexpr const char* kKeys[] = {
      nullptr,
      "GI_Mess_FileErr_FileOpen",
      "GI_Mess_FileErr_FileAccess",
      "GI_Mess_FileErr_Model",
      "GI_Mess_FileErr_Extra",
      "GI_Mess_FileErr_MapRev",
      "GI_Mess_FileErr_Format",
      "GI_Mess_FileErr_Coverage",
      "GI_Mess_FileErr_Data",
      "GI_Mess_FileErr_Newer",
      "GI_Mess_FileErr_EtcData",
  };
  if (code < 1 || code > 10) return;
  const std::string text = Text("GI_Mess_FileErr_Headline") + "\n\n" + Text(kKeys[code]);
  MessageBoxCp932(nullptr, text, Text("GI_Sys_AppTitle"),
                  platform::mb::Ok | platform::mb::IconWarning);
}

void cmcIcfFile::SetMapRevCheck(MapRevCheck check) {
  if (!check) {
    mapRevCheck_ = nullptr;
    return;
  }
  mapRevCheck_ = [check = std::move(check)](int revision, int& result) {
    if (check(revision)) return true;
    result = kMapRev;
    return false;
  };
}

int cmcIcfFile::RunHeaderChecks() {
  if (version_ != 0) {
    if (!mapRevCheck_ || mapRevGarbage_) return kMapRev;
    int result = kMapRev;
    if (!mapRevCheck_(mapRev_, result)) return result != kOk ? result : kMapRev;
  }
  std::uint32_t extra = 0;
  if (!etcDataCheck_ || etcDataGarbage_ || !etcDataCheck_(etcData_, extra)) return kEtcData;
  return kOk;
}
