#pragma once
// Requests as the sheet sends them to a converter: a display query, a key
// on the grid, a committed edit, a dialog's answer, a plain text query.
#include <string>

#include "sheet/cmcCellCapsule.h"

namespace kwtest {

// A stand-in for the grid: converters only test the owner for presence.
inline QWidget* FakeOwner() {
  static int grid;
  return reinterpret_cast<QWidget*>(&grid);
}

inline cmcCellCapsule Query() {
  cmcCellCapsule c;
  c.owner = c.owner2 = FakeOwner();
  return c;
}
inline cmcCellCapsule Key(int key) {
  cmcCellCapsule c = Query();
  c.operation = key;
  return c;
}
inline cmcCellCapsule Typed(char ch) { return Key(static_cast<signed char>(ch)); }
inline cmcCellCapsule Commit(std::string text) {
  cmcCellCapsule c = Query();
  c.mode = cellmode::kCommit;
  c.inputText = std::move(text);
  return c;
}
inline cmcCellCapsule Answer(std::string text) {
  cmcCellCapsule c = Query();
  c.mode = cellmode::kChoice;
  c.inputText = std::move(text);
  return c;
}
// No owner control: a text query through the handler (menus, printing).
inline cmcCellCapsule PlainQuery(int key = 0) {
  cmcCellCapsule c;
  c.operation = key;
  return c;
}

}  // namespace kwtest
