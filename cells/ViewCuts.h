#pragma once
// The view options' column groups: 0 tone, 1 digital, 2 call sign, 3-6 the
// received-call station kinds. Bit n of the settings' mask in force (the
// open page's) set = group n shows.
class indActiveCell;
class indEnviron;

namespace viewcut {

inline constexpr int kGroupCount = 7;

bool Shown(const indEnviron& settings, int bit);
// Ends cell editing first (the sheet closes with its editor), shows a
// hidden group or hides a shown one on every page that has it, and asks for
// the open sheet to reopen.
void Toggle(indActiveCell& ctx, int bit);

}  // namespace viewcut
