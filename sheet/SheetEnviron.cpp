#include "sheet/SheetEnviron.h"

#include "core/indEnviron.h"

namespace {
indEnviron* g_env = nullptr;
}

void SetSheetEnviron(indEnviron* env) { g_env = env; }
indEnviron* SheetEnviron() { return g_env; }

int SheetFontPercentage() {
  if (!g_env || g_env->FontSizePercentage < 1) return 100;
  return g_env->FontSizePercentage;
}

ScopedSheetEnviron::ScopedSheetEnviron(indEnviron* env) : previous_(g_env) { g_env = env; }
ScopedSheetEnviron::~ScopedSheetEnviron() { g_env = previous_; }
