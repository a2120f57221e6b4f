#pragma once
// Options that keep an indEnviron inside a scratch folder: its user and
// machine files and its lock folder there, and the program's path as the
// only argument. No real home or machine file is touched.
#include "core/indEnviron.h"
#include "support/ScratchDir.h"

namespace kwtest {

inline indEnviron::Options ScratchEnvironOptions(const ScratchDir& dir) {
  indEnviron::Options options;
  options.userFile = dir.File(QStringLiteral("kw3700.conf"));
  options.machineFile = dir.File(QStringLiteral("machine.conf"));
  options.lockFolders = {dir.File(QStringLiteral("run"))};
  options.arguments = {"/usr/bin/kw3700"};
  return options;
}

}  // namespace kwtest
