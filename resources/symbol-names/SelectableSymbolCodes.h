#pragma once
// The 74 position-report symbols a symbol setting offers, by symbol index
// 0..73: the table character ("/" primary, "\" alternate; "Q" only in the
// code "QY") and the symbol character. Index 255 means no symbol. Shared by
// the symbol-name generator (which names them) and the symbol operations.
#include <array>

namespace aprscodes {

struct Code {
  char table;
  char symbol;
};

inline constexpr int kSelectableCount = 74;
inline constexpr int kNoIndex = 255;

inline constexpr std::array<Code, kSelectableCount> kSelectable{{
    {'/', '!'},  {'/', '#'},  {'/', '&'},  {'/', '\''}, {'/', '+'},  {'/', '-'},  {'/', '.'},
    {'/', '/'},  {'/', ':'},  {'/', ';'},  {'/', '<'},  {'/', '='},  {'/', '>'},  {'/', 'C'},
    {'/', 'E'},  {'/', 'K'},  {'/', 'L'},  {'/', 'O'},  {'/', 'P'},  {'/', 'R'},  {'/', 'S'},
    {'/', 'T'},  {'/', 'U'},  {'/', 'V'},  {'/', 'W'},  {'/', 'X'},  {'/', 'Y'},  {'/', '['},
    {'/', '\\'}, {'/', '^'},  {'/', '_'},  {'/', '`'},  {'/', 'a'},  {'/', 'b'},  {'/', 'f'},
    {'/', 'g'},  {'/', 'h'},  {'/', 'j'},  {'/', 'k'},  {'/', 'n'},  {'/', 'p'},  {'/', 'r'},
    {'/', 's'},  {'/', 'u'},  {'/', 'v'},  {'/', 'y'},  {'\\', '#'}, {'\\', '&'}, {'\\', '-'},
    {'\\', '.'}, {'\\', '0'}, {'\\', ';'}, {'\\', '>'}, {'\\', 'L'}, {'\\', 'S'}, {'\\', 'U'},
    {'\\', 'W'}, {'\\', 'Y'}, {'Q', 'Y'},  {'\\', '^'}, {'\\', '_'}, {'\\', 'a'}, {'\\', 'c'},
    {'\\', 'g'}, {'\\', 'h'}, {'\\', 'j'}, {'\\', 'm'}, {'\\', 'n'}, {'\\', 'o'}, {'\\', 's'},
    {'\\', 't'}, {'\\', 'u'}, {'\\', 'v'}, {'\\', 'x'},
}};

}  // namespace aprscodes
