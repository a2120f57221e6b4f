#pragma once
// A masked one-line entry without widgets: a fixed template of literal bytes
// and slots that take a digit or a letter (letters upper-cased). The text
// always has the template's length; an empty slot holds a blank. The caret
// stays within the editable range (from the first slot to just after the
// last); typing fills the slot at or after the caret and moves past it,
// Backspace and Delete blank a slot, pasted text is typed character by
// character and what does not fit a slot is dropped.
//
// Templates: '#' a digit slot, '@' a letter slot, any other byte a literal.
// Positions count bytes; every template byte is one character on screen.
#include <string>
#include <string_view>

class MaskedEditModel {
 public:
  explicit MaskedEditModel(std::string_view pattern);

  const std::string& Text() const { return text_; }
  int Size() const { return static_cast<int>(text_.size()); }
  bool IsSlot(int pos) const;
  int FirstEditable() const { return first_; }
  int LastEditable() const { return last_; }
  int Caret() const { return caret_; }

  // Slots take the text's bytes at their positions when they fit the slot
  // (digits, letters upper-cased), else a blank; literals stay. The caret
  // goes to the first editable position.
  void SetText(std::string_view text);
  // Every slot filled.
  bool IsComplete() const;

  // Moves the caret, kept within first..last + 1.
  void SetCaret(int pos);
  void Home() { SetCaret(first_); }
  void End() { SetCaret(last_ + 1); }
  void Left();
  void Right();

  // A typed character: true when a slot took it.
  bool Type(char ch);
  // Blanks the slot before the caret and moves onto it.
  void Backspace();
  // Blanks the slot at (or after) the caret; the caret stays.
  void Delete();
  // A text of the template's length replaces the field (SetText, caret at
  // the end); any other text is typed character by character. Returns how
  // many characters were taken.
  int Paste(std::string_view text);

 private:
  static bool Fits(char slot, char& ch);
  int NextSlot(int pos) const;  // the first slot at or after pos; -1 none
  int PrevSlot(int pos) const;  // the last slot at or before pos; -1 none

  std::string pattern_;
  std::string text_;
  int first_ = 0;
  int last_ = -1;
  int caret_ = 0;
};
