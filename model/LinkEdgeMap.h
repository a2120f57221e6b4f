#pragma once
// Program links name their scan edges by number (one bit per edge in each
// link's 4-byte bitmap). When scan edges are moved, inserted or deleted as
// whole records, the links must follow them, or a link would silently change
// its members.
#include <array>

#include "model/LayoutLists.h"

class cmcEeprom;

// newIndex[e] is the number edge e has afterwards, or -1 when it left the
// list (deleted, or pushed past the last edge). Every link's bits 0..24 are
// rebuilt from it; bits 25..31 are kept as they are. An out-of-range target
// counts as -1.
using EdgeRenumbering = std::array<int, layout::kScanEdges>;
void RemapLinkEdges(cmcEeprom& image, const EdgeRenumbering& newIndex);

// The identity: every edge keeps its number.
EdgeRenumbering IdentityEdgeRenumbering();
