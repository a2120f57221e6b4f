#pragma once
// The settings sheets read while they build (the global font percentage
// now; the stored column widths later), registered by the program at
// start-up. Without registered settings a sheet builds at 100 % and stores
// nothing, which is what tests and tools want.
class indEnviron;

void SetSheetEnviron(indEnviron* env);
indEnviron* SheetEnviron();
// The settings' font percentage, 100 without settings or for a value below 1.
int SheetFontPercentage();

// Registers settings for the object's lifetime.
class ScopedSheetEnviron {
 public:
  explicit ScopedSheetEnviron(indEnviron* env);
  ~ScopedSheetEnviron();
  ScopedSheetEnviron(const ScopedSheetEnviron&) = delete;
  ScopedSheetEnviron& operator=(const ScopedSheetEnviron&) = delete;

 private:
  indEnviron* previous_;
};
