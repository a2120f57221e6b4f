#pragma once
// The program's global objects after the settings, built in their order and
// destroyed in the reverse order: the interface text table (the table of the
// language in force, which also titles failure boxes and gives the data-file
// messages), the help-topic table (its built-in lines), the event bus and the
// main controller. The settings object comes first and goes last; it is
// made by main(), which checks for a running instance before building these.
#include <memory>

class cmcGTex;
class cmcHelpGTex;
class cuiMain;
class indEnviron;
class ScopedEvMan;
class ScopedController;

class ProgramGlobals {
 public:
  // `settings` must outlive this object.
  explicit ProgramGlobals(indEnviron& settings);
  ~ProgramGlobals();
  ProgramGlobals(const ProgramGlobals&) = delete;
  ProgramGlobals& operator=(const ProgramGlobals&) = delete;

  cmcGTex& Texts() { return *texts_; }
  cmcHelpGTex& HelpTopics() { return *helpTopics_; }
  cuiMain& Controller();

 private:
  std::unique_ptr<cmcGTex> texts_;
  std::unique_ptr<cmcHelpGTex> helpTopics_;
  std::unique_ptr<ScopedEvMan> bus_;
  std::unique_ptr<ScopedController> controller_;
};
