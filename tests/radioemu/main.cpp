// radioemu: an emulated radio on a pseudo-terminal, for trying the program by
// hand. Prints the device path to open, then serves until stdin closes.
//   radioemu [--revision 1|2|3] [--identify-speed BAUD] [--no-echo] [--pacing]
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "RadioEmulator.h"

namespace {

bool ParseInt(const char* text, int& out) {
  const std::string_view s(text);
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

int Usage() {
  std::fputs("usage: radioemu [--revision 1|2|3] [--identify-speed BAUD] [--no-echo] [--pacing]\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int revision = 3;
  int identifySpeed = radioemu::kIdentifySpeed;
  bool echo = true;
  bool pacing = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    if (arg == "--revision" && i + 1 < argc) {
      if (!ParseInt(argv[++i], revision) || revision < 1 || revision > 3) return Usage();
    } else if (arg == "--identify-speed" && i + 1 < argc) {
      if (!ParseInt(argv[++i], identifySpeed)) return Usage();
    } else if (arg == "--no-echo") {
      echo = false;
    } else if (arg == "--pacing") {
      pacing = true;
    } else {
      return Usage();
    }
  }
  radioemu::RadioEmulator radio(revision);
  radio.SetIdentifySpeed(identifySpeed);
  radio.SetCableEcho(echo);
  radio.SetPacing(pacing);
  if (!radio.Start()) {
    for (const auto& p : radio.Problems()) std::fprintf(stderr, "radioemu: %s\n", p.c_str());
    return 1;
  }
  std::printf("%s\n", radio.SlavePath().c_str());
  std::fflush(stdout);
  char buf[256];
  while (std::fgets(buf, sizeof buf, stdin) != nullptr) {
  }
  radio.Stop();
  for (const auto& p : radio.Problems()) std::fprintf(stderr, "radioemu: %s\n", p.c_str());
  return 0;
}
