#include "sheet/MaskedEditModel.h"

#include <algorithm>

namespace {
constexpr char kDigitSlot = '#';
constexpr char kLetterSlot = '@';
constexpr char kBlank = ' ';
}  // namespace

MaskedEditModel::MaskedEditModel(std::string_view pattern) : pattern_(pattern) {
  text_.resize(pattern_.size());
  first_ = -1;
  for (int i = 0; i < Size(); ++i) {
    if (IsSlot(i)) {
      text_[i] = kBlank;
      if (first_ < 0) first_ = i;
      last_ = i;
    } else {
      text_[i] = pattern_[i];
    }
  }
  if (first_ < 0) first_ = Size();
  caret_ = first_;
}

bool MaskedEditModel::IsSlot(int pos) const {
  return pos >= 0 && pos < Size() && (pattern_[pos] == kDigitSlot || pattern_[pos] == kLetterSlot);
}

bool MaskedEditModel::Fits(char slot, char& ch) {
  if (slot == kDigitSlot) return ch >= '0' && ch <= '9';
  if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return ch >= 'A' && ch <= 'Z';
}

void MaskedEditModel::SetText(std::string_view text) {
  for (int i = 0; i < Size(); ++i) {
    if (!IsSlot(i)) continue;
    char ch = i < static_cast<int>(text.size()) ? text[i] : kBlank;
    text_[i] = Fits(pattern_[i], ch) ? ch : kBlank;
  }
  caret_ = first_;
}

bool MaskedEditModel::IsComplete() const {
  for (int i = 0; i < Size(); ++i) {
    if (IsSlot(i) && text_[i] == kBlank) return false;
  }
  return true;
}

void MaskedEditModel::SetCaret(int pos) { caret_ = std::clamp(pos, first_, last_ + 1); }

void MaskedEditModel::Left() { SetCaret(caret_ - 1); }

void MaskedEditModel::Right() { SetCaret(caret_ + 1); }

int MaskedEditModel::NextSlot(int pos) const {
  for (int i = std::max(pos, 0); i < Size(); ++i) {
    if (IsSlot(i)) return i;
  }
  return -1;
}

int MaskedEditModel::PrevSlot(int pos) const {
  for (int i = std::min(pos, Size() - 1); i >= 0; --i) {
    if (IsSlot(i)) return i;
  }
  return -1;
}

bool MaskedEditModel::Type(char ch) {
  const int slot = NextSlot(caret_);
  if (slot < 0 || !Fits(pattern_[slot], ch)) return false;
  text_[slot] = ch;
  const int next = NextSlot(slot + 1);
  SetCaret(next < 0 ? last_ + 1 : next);
  return true;
}

void MaskedEditModel::Backspace() {
  const int slot = PrevSlot(caret_ - 1);
  if (slot < 0) return;
  text_[slot] = kBlank;
  SetCaret(slot);
}

void MaskedEditModel::Delete() {
  const int slot = NextSlot(caret_);
  if (slot >= 0) text_[slot] = kBlank;
}

int MaskedEditModel::Paste(std::string_view text) {
  // A whole field (a copied value) goes in position by position.
  if (static_cast<int>(text.size()) == Size()) {
    SetText(text);
    End();
    return Size();
  }
  int taken = 0;
  for (char ch : text) {
    if (Type(ch)) ++taken;
  }
  return taken;
}
