#pragma once
// How the clone manager sets up the engine for a run, from the settings: the
// identification line settings and echo by transfer type, the speed-change
// frame sent before a read or write, and the fixed run parameters.
#include <cstdint>
#include <optional>
#include <string>

class cmcCloneDrv;

namespace clonecfg {

enum Mode { kIdentify = 1, kRead = 2, kWrite = 3 };

struct LineSetting {
  const char* settings;  // "19200,N,8,1"
  bool echo;             // the cable echoes every byte sent
};

// Transfer type 0..4; any other value is taken as 0.
LineSetting IdentifyLineSetting(int transType);

// Line settings of the run proper after the speed change.
const char* RunLineSettings(bool highSpeed);

// The pending text command of a read or write: reopen the port at the
// identification settings, then the speed-change frame E8 with model word 1.
std::string SpeedChangeCommand(const std::string& identifySettings, int modelWord1, bool highSpeed);

struct EngineConfig {
  int port = 1;
  std::string lineSettings;
  bool echo = false;
  // Set for reads and writes only: an identification leaves the engine's
  // text command and preambles as the last read or write configured them.
  std::optional<std::string> command;
  int commandPreamble = 0;
  int dataPreamble = 0;  // before every data frame, the first included
  int startDelayMs = 200;
  bool countSuffix = true;
  int blockSize = 64;
  int finalTimeoutMs = 10000;
};

constexpr int kReadWriteCommandPreamble = 12;

EngineConfig MakeEngineConfig(Mode mode, int comPort, int transType, bool highSpeed, int modelWord1,
                              int dataPreamble);

// Sets a run's configuration on the engine (the text command and preambles
// only when the configuration has them).
void ApplyEngineConfig(cmcCloneDrv& engine, const EngineConfig& config);

}  // namespace clonecfg
