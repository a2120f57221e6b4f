#pragma once
// The cells of the memory debug window (one row per 16 bytes of the image,
// the row's index times 16 its address):
//
// - CL_EeDebugWin_Adr: the row's address as "%4X".
// - CL_EeDebugWin_0 .. _F: the byte at the row's address plus the column
//   (0..15) as two hexadecimal digits; an entry of one or two digits, or the
//   bit dialog on Enter, writes it. A byte that differs from the compare
//   snapshot is drawn red.
// - F3 on a byte cell searches forward, F4 backward, from the neighbouring
//   address for the first byte that differs from the compare snapshot,
//   wrapping around within the first 0x2B870 bytes, and posts event 27
//   (0, address) for the window to select it. A search goes once round at
//   most: equal images post nothing.
//
// They read and write only inside the image (and read the snapshot only
// inside the snapshot): a row past the image's end shows its address and
// nothing else. Without a snapshot nothing is red and nothing is found.
class CellCaseTable;

void RegisterMemoryDebugCases(CellCaseTable& table);
