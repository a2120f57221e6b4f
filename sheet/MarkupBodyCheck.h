#pragma once
// Checks of the tree and tool-bar markup bodies (K + "_Body" up to the first
// value starting with '#'), for the text-table tests: every fault a builder
// would pass over silently is reported with its value number.
//
// Both: braces must pair up ('{' then '}', not nested; the second byte of a
// double-byte character is no brace), and the caption must hold no tab or
// line break (text after the braces, or a brace missing).
// Tree lines: each has a '+'; no line is shallower than the first (the tree
// would end there) or stands between two open depths; every node binds a
// page (a binding text) and has an image.
// Tool-bar lines: a caption; a button ("-" and "/" are none) has an image
// and a cell id.
//
// Cells are parsed over K + "_BasicCell" as the builders parse them, so an
// unknown cell or category name ends the program as it would there.
#include <string>
#include <string_view>
#include <vector>

class cmcGTex;

struct BodyLineFault {
  int value = 0;     // value number of the line under K + "_Body"
  std::string what;  // what is wrong, in English
  bool operator==(const BodyLineFault&) const = default;
};

std::vector<BodyLineFault> CheckTreeBody(cmcGTex& gtex, std::string_view key);
std::vector<BodyLineFault> CheckToolBarBody(cmcGTex& gtex, std::string_view key);
