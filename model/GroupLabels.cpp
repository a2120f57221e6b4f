#include "model/GroupLabels.h"

#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/SheetNumbers.h"
#include "model/cmcEeprom.h"

namespace {

constexpr int kNameSize = 16;

// "label: name" with the name's 16 bytes as stored; without a name when the
// entry lies outside its table (or the image is too small for it).
std::string Label(const cmcEeprom& image, std::string label, std::int64_t nameAddress, bool inTable,
                  bool leadingBlank) {
  std::string text = leadingBlank ? " " : "";
  if (inTable) text += label;
  text += ": ";
  if (inTable && nameAddress >= 0 && nameAddress + kNameSize <= image.GetSize()) {
    char name[kNameSize];
    image.GetBlock(nameAddress, name, kNameSize);
    text.append(name, kNameSize);
  }
  return text;
}

std::string TwoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

std::string FormatBankNameLabel(const cmcEeprom& image, int entry, bool leadingBlank) {
  const bool inTable = entry >= sheetno::kFirstBank && entry <= sheetno::kLastBank;
  const int bank = entry - sheetno::kFirstBank;
  return Label(image, std::string(1, static_cast<char>('A' + bank)),
               layout::kBankNames + static_cast<std::int64_t>(bank) * kNameSize, inTable,
               leadingBlank);
}

std::string FormatSheetNameLabel51(const cmcEeprom& image, int entry, bool leadingBlank) {
  const bool inTable = entry >= 0 && entry < layout::kLinks;
  return Label(image, std::string(1, static_cast<char>('0' + entry)),
               layout::kLinkNames + static_cast<std::int64_t>(entry) * kNameSize, inTable,
               leadingBlank);
}

std::string FormatGpsBankNameLabel(const cmcEeprom& image, int entry, bool leadingBlank) {
  const bool inTable = entry >= 0 && entry < layout::kGpsGroupNameCount;
  return Label(image, std::string(1, static_cast<char>('A' + entry)),
               layout::kGpsGroupNames + static_cast<std::int64_t>(entry) * kNameSize, inTable,
               leadingBlank);
}

std::string FormatGroupNameLabel(const cmcEeprom& image, int group, bool leadingBlank) {
  const bool inTable = group >= 0 && group < layout::kRptGroups;
  return Label(image, inTable ? TwoDigits(group + 1) : std::string(),
               layout::kRptGroupNames + static_cast<std::int64_t>(group) * kNameSize, inTable,
               leadingBlank);
}
