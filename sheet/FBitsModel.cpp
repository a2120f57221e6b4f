#include "sheet/FBitsModel.h"

#include "core/HexText.h"
#include "platform/Fatal.h"

namespace {

constexpr int kTopBit = 26;
constexpr int kSentenceSet = bitheader::kNmeaSentences;
constexpr int kLoggerSet = bitheader::kNmeaOutput;
constexpr int kMaxSentences = 4;
constexpr const char* kSentences[] = {"RMC", "GGA", "GLL", "GSA", "VTG", "GSV"};
constexpr const char* kLoggerSentences[] = {"RMC", "GGA", "VTG", "GSA"};

std::string Decimal(int v) { return std::to_string(v); }

}  // namespace

FBitsModel::FBitsModel(std::uint32_t flags, int firstItem, int lastItem, int headerKind)
    : flags_(flags), first_(firstItem), last_(lastItem), kind_(headerKind) {
  if (firstItem < 0 || lastItem > kTopBit || firstItem > lastItem) {
    platform::Fatal("Bit-selection dialog out of range.");
  }
}

bool FBitsModel::IsSet(int item) const {
  return item >= first_ && item <= last_ && ((flags_ >> (kTopBit - item)) & 1u);
}

void FBitsModel::Toggle(int item) {
  if (item < first_ || item > last_) return;
  flags_ ^= 1u << (kTopBit - item);
}

int FBitsModel::SetCount() const {
  int n = 0;
  for (int item = first_; item <= last_; ++item) n += IsSet(item) ? 1 : 0;
  return n;
}

bool FBitsModel::OkEnabled() const {
  const int n = SetCount();
  if (kind_ == kSentenceSet) return n >= 1 && n <= kMaxSentences;
  if (kind_ == kLoggerSet) return n >= 1;
  return true;
}

bool FBitsModel::WantsMarker() const {
  return (kind_ == kSentenceSet || kind_ == kLoggerSet) && !OkEnabled();
}

std::string FBitsModel::Header(int headerKind, int item, int lastItem) {
  switch (headerKind) {
    case bitheader::kHex: return core::HexNumber(static_cast<std::uint64_t>(item));
    case bitheader::kDecimal: return Decimal(item == 10 ? 0 : item);
    case bitheader::kLetters: return std::string(1, static_cast<char>('A' + item - 1));
    case bitheader::kNmeaSentences:
      return item >= 1 && item <= 6 ? kSentences[item - 1] : std::string();
    case bitheader::kNmeaOutput:
      return item >= 1 && item <= 4 ? kLoggerSentences[item - 1] : std::string();
    case bitheader::kBitNumbers: return "B" + Decimal(lastItem - item);
    default: return Decimal(item);
  }
}

std::vector<std::string> FBitsModel::Markup() const {
  std::string headers;
  std::string checks;
  for (int item = first_; item <= last_; ++item) {
    headers += "|{($iChI)}" + Header(item) + "|";
    if (item > first_) checks += "{($iQp)}";
    checks += "|{($eWh)^(%CL_FBits[" + Decimal(item) + "])}9|";
  }
  return {
      "#GI_Sheet_FBitsR_Style",
      "(FixedCols=1)(FixedRows=1)",
      "#GI_Sheet_FBitsR_BasicCell",
      "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
      "#GI_Sheet_FBitsR_Cells",
      "",
      headers,
      checks,
      "#CellModel_iChI",
      "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
      "#CellModel_eWh",
      "S<_WHB",
      "#CellModel_iQp",
      "(%CT_Null.CL_Misc_QuarterPillar)",
      "#CellModel_Basic",
      "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
      "#GI_PMenu_NoItem_BasicCell",
      "{($Basic)}",
      "#GI_PMenu_NoItem_Body",
      "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
      "#GI_PMenu_Edit_BasicCell",
      "{($Basic)(%CT_PopupMenu.)}",
      "#GI_PMenu_Edit_Body",
      "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
      "#End_Of_Ovl",
  };
}
