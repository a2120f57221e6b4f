#include "cells/BitSetConverters.h"

#include <charconv>
#include <string>
#include <string_view>

#include "cells/ConverterContext.h"
#include "cells/EditorProtocol.h"
#include "core/TextFields.h"
#include "platform/Fatal.h"
#include "sheet/FieldDialogOpener.h"

namespace {

constexpr int kTopBit = 26;
constexpr int kSentenceItems = 6;
constexpr int kOutputItems = 4;

void CheckRange(int firstItem, int lastItem) {
  if (firstItem < 0 || lastItem > kTopBit || firstItem > lastItem) {
    platform::Fatal("Bit-set field out of range.");
  }
}

std::uint32_t ItemMask(int firstItem, int lastItem) {
  const int n = lastItem - firstItem + 1;
  return n >= 32 ? 0xFFFFFFFFu : ((1u << n) - 1u);
}

// The dialog's answer: the flag word in decimal.
bool ReadFlagWord(std::string_view text, std::uint32_t& word) {
  text = core::TrimBlanksView(text);
  const auto r = std::from_chars(text.data(), text.data() + text.size(), word);
  return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size();
}

std::uint32_t AllItems(int firstItem, int lastItem) {
  return ItemMask(firstItem, lastItem) << (kTopBit - lastItem);
}

void OpenDialog(const ConverterContext& ctx, const cmcCellCapsule& capsule, std::uint32_t flags,
                int firstItem, int lastItem, int headerKind, int& status) {
  if (!ctx.dialogs) return;
  ctx.dialogs->OpenBits(capsule, flags, firstItem, lastItem, headerKind, 0, 0);
  status = kCellRedraw;
}

// The names of the set items, as the dialog heads them.
std::string NamesText(std::uint32_t flags, int count, int headerKind) {
  std::string text;
  for (int item = 1; item <= count; ++item) {
    if (!IsFlagSet(flags, item)) continue;
    if (!text.empty()) text += ", ";
    text += FBitsModel::Header(headerKind, item, count);
  }
  return text.empty() ? std::string("OFF") : text;
}

// Sentence sets: display, dialog result, Enter and Space.
int EditNamedSet(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint32_t& flags,
                 int items, int headerKind, int& status) {
  int changed = 0;
  std::uint32_t word = 0;
  if (capsule.mode == cellmode::kChoice && ReadFlagWord(capsule.inputText, word)) {
    flags = word & AllItems(1, items);
    changed = 1;
  }
  editor::SetDisplay(capsule, NamesText(flags, items, headerKind));
  const std::int32_t key = editor::Key(capsule);
  if (key == cellop::kEnter || key == cellop::kSpace) {
    OpenDialog(ctx, capsule, flags, 1, items, headerKind, status);
  }
  return changed;
}

}  // namespace

std::uint32_t FlagsFromField(std::uint32_t field, int firstItem, int lastItem) {
  CheckRange(firstItem, lastItem);
  return (field & ItemMask(firstItem, lastItem)) << (kTopBit - lastItem);
}

std::uint32_t FieldFromFlags(std::uint32_t field, std::uint32_t flags, int firstItem,
                             int lastItem) {
  CheckRange(firstItem, lastItem);
  const std::uint32_t mask = ItemMask(firstItem, lastItem);
  return (field & ~mask) | ((flags >> (kTopBit - lastItem)) & mask);
}

int EditBankLinks(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint32_t& field,
                  int firstItem, int lastItem, int headerKind, int& status) {
  CheckRange(firstItem, lastItem);
  int changed = 0;
  std::uint32_t flags = FlagsFromField(field, firstItem, lastItem);
  const std::uint32_t all = AllItems(firstItem, lastItem);
  std::uint32_t word = 0;
  if (capsule.mode == cellmode::kChoice && ReadFlagWord(capsule.inputText, word)) {
    flags = word & all;
    changed = 1;
  }
  const bool letters = headerKind == bitheader::kLetters;
  auto text = [&] {
    std::string t;
    for (int item = firstItem; item <= lastItem; ++item) {
      if (!IsFlagSet(flags, item)) {
        t += '_';
      } else {
        t += letters ? static_cast<char>('A' + item - 1) : static_cast<char>('0' + item % 10);
      }
    }
    return t;
  };
  const std::int32_t key = editor::Key(capsule);
  const char typed = editor::TypedChar(key);
  int item = 0;
  if (typed >= 'a' && typed <= 'z') item = typed - 'a' + 1;
  if (typed >= 'A' && typed <= 'Z') item = typed - 'A' + 1;
  if (typed >= '0' && typed <= '9') item = typed == '0' ? 10 : typed - '0';
  if (item >= firstItem && item <= lastItem) {
    flags ^= 1u << (kTopBit - item);
    changed = 1;
  } else if (key == cellop::kSpace) {
    flags = (flags & all) ? 0 : all;
    changed = 1;
  } else if (key == cellop::kBackspace) {
    flags ^= all;
    changed = 1;
  }
  if (changed) field = FieldFromFlags(field, flags, firstItem, lastItem);
  editor::SetDisplay(capsule, text());
  if (key == cellop::kEnter)
    OpenDialog(ctx, capsule, flags, firstItem, lastItem, headerKind, status);
  return changed;
}

int EditNmeaSentences(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint32_t& packed,
                      int& status) {
  // Packed: RMC..VTG in bits 4..0, GSV in bit 5. Items 1..5 therefore sit
  // 21 bits higher in the flag word (RMC at bit 25) and GSV, item 6, at 20.
  constexpr std::uint32_t kFiveLow = 0x1F;
  constexpr std::uint32_t kGsvBit = 0x20;
  std::uint32_t flags = ((packed & kFiveLow) << 21) | ((packed & kGsvBit) ? 1u << 20 : 0u);
  const int changed =
      EditNamedSet(ctx, capsule, flags, kSentenceItems, bitheader::kNmeaSentences, status);
  if (changed) {
    packed = (packed & ~(kFiveLow | kGsvBit)) | ((flags >> 21) & kFiveLow) |
             (((flags >> 20) & 1u) ? kGsvBit : 0u);
  }
  return changed;
}

int EditNmeaOutput(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint32_t& field,
                   int& status) {
  std::uint32_t flags = FlagsFromField(field, 1, kOutputItems);
  const int changed =
      EditNamedSet(ctx, capsule, flags, kOutputItems, bitheader::kNmeaOutput, status);
  if (changed) field = FieldFromFlags(field, flags, 1, kOutputItems);
  return changed;
}
