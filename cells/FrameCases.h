#pragma once
// The cell handler's own cases: the null cell, the flex cells of captions
// and choice lists (which mark the choices the source row would not accept),
// the Edit popup item, the "no cell" id 578, and the ids that have no
// behaviour of their own. The families of cells register the rest.
#include <cstdint>

class CellCaseTable;
class indActiveCell;

// Registers ids 0-7, 193, 578 and the 52 ids without behaviour.
void RegisterFrameCases(CellCaseTable& table);

// The case of an empty slot and of an id without behaviour: "<id> *Yet*".
void ShowNotYetText(indActiveCell& context);
