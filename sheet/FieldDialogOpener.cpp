#include "sheet/FieldDialogOpener.h"

namespace {
FieldDialogOpener* g_opener = nullptr;
}  // namespace

FieldDialogOpener* InstalledFieldDialogOpener() { return g_opener; }

void InstallFieldDialogOpener(FieldDialogOpener* opener) { g_opener = opener; }

ScopedFieldDialogOpener::ScopedFieldDialogOpener(FieldDialogOpener* opener) : previous_(g_opener) {
  g_opener = opener;
}

ScopedFieldDialogOpener::~ScopedFieldDialogOpener() { g_opener = previous_; }
