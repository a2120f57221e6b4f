#pragma once
// The "Cloning" progress window as the clone manager sees it. The widgets
// behind it live with the application (this folder has no widgets); the
// manager works without a factory (no window) in headless use.
#include <cstdint>
#include <memory>

class QObject;

class CloneProgressView {
 public:
  virtual ~CloneProgressView() = default;  // hides and releases the window
  // New figures; the bar is repainted from them.
  virtual void SetProgress(std::int64_t dataBytes, std::int64_t totalBytes) = 0;
};

class CloneProgressFactory {
 public:
  virtual ~CloneProgressFactory() = default;
  // Opens the window centred over `mainWindow` (may be null) and disables
  // that window while it shows.
  virtual std::unique_ptr<CloneProgressView> Open(QObject* mainWindow) = 0;
  // The window that owns message boxes now (null: none known).
  virtual QObject* ActiveWindow() { return nullptr; }
};
