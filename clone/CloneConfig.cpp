#include "clone/CloneConfig.h"

#include "clone/cmcCloneDrv.h"

namespace clonecfg {
namespace {

constexpr LineSetting kIdentifySettings[] = {
    {"19200,N,8,1", true}, {"9600,N,8,1", true},  {"4800,N,8,1", true},
    {"9600,N,8,1", false}, {"4800,N,8,1", false},
};

void AppendHex4(std::string& out, int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const unsigned v = static_cast<unsigned>(value) & 0xFFFFu;
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(v >> shift) & 0xFu];
}

}  // namespace

LineSetting IdentifyLineSetting(int transType) {
  if (transType < 0 || transType > 4) transType = 0;
  return kIdentifySettings[transType];
}

const char* RunLineSettings(bool highSpeed) { return highSpeed ? "38400,N,8,1" : "9600,N,8,1"; }

std::string SpeedChangeCommand(const std::string& identifySettings, int modelWord1,
                               bool highSpeed) {
  std::string command = "(" + identifySettings + ")";
  command += "FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 ";
  AppendHex4(command, modelWord1);
  AppendHex4(command, 1);
  command += " 0000 ";
  command += highSpeed ? "02 01" : "02 00";
  command += " FD";
  return command;
}

EngineConfig MakeEngineConfig(Mode mode, int comPort, int transType, bool highSpeed, int modelWord1,
                              int dataPreamble) {
  const LineSetting id = IdentifyLineSetting(transType);
  EngineConfig config;
  config.port = comPort;
  config.echo = id.echo;
  if (mode == kIdentify) {
    config.lineSettings = id.settings;
  } else {
    config.lineSettings = RunLineSettings(highSpeed);
    config.command = SpeedChangeCommand(id.settings, modelWord1, highSpeed);
    config.commandPreamble = kReadWriteCommandPreamble;
    config.dataPreamble = dataPreamble;
  }
  return config;
}

void ApplyEngineConfig(cmcCloneDrv& engine, const EngineConfig& config) {
  if (config.command) {
    engine.SetCommand(*config.command);
    engine.SetCmdPreamble(config.commandPreamble);
    engine.SetDataPreamble(config.dataPreamble);
  }
  engine.SetPort(config.port, config.lineSettings);
  engine.SetStartDelay(config.startDelayMs);
  engine.SetEcho(config.echo);
  engine.SetCountSuffix(config.countSuffix);
  engine.SetBlockSize(config.blockSize);
  engine.SetFinalTimeout(config.finalTimeoutMs);
}

}  // namespace clonecfg
