#pragma once
// The folders the program asks the system for: the user's documents folder
// (where data files go when the settings name no folder), the folder the
// program runs from (files shipped beside it) and the current working
// directory. Paths are UTF-8, without a trailing "/" (except the root).
// Read from the system at each call, unless a test installed its own.
#include <string>

namespace platform {

struct StandardFolders {
  std::string documents;  // empty when the system has no such folder on disk
  std::string program;    // empty before the application object exists
  std::string current;

  // What the system says now: the documents folder only when it exists as a
  // folder (a freshly made account may lack "~/Documents").
  static StandardFolders FromSystem();
};

// The folders in force: the system's, unless a test installed others.
StandardFolders CurrentStandardFolders();

class ScopedStandardFolders {
 public:
  explicit ScopedStandardFolders(const StandardFolders& folders);
  ~ScopedStandardFolders();
  ScopedStandardFolders(const ScopedStandardFolders&) = delete;
  ScopedStandardFolders& operator=(const ScopedStandardFolders&) = delete;

 private:
  const StandardFolders* previous_;
  StandardFolders folders_;
};

}  // namespace platform
