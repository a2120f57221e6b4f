// radioemu: an emulated radio on a pseudo-terminal, for trying the program by
// hand and for the scripted runs of the real window. Prints the device path
// to open, then serves until stdin closes.
//   radioemu [--revision 1|2|3] [--identify-speed BAUD] [--no-echo] [--pacing]
//            [--memory FILE] [--info-byte INDEX=VALUE]...
// --memory loads the radio's memory from a raw image file (at most the
// memory's size; the rest is zero), --info-byte sets one byte of the
// identification's information (repeatable).
//
// Commands on stdin, one a line; each is answered with one line on stdout
// ("ok ..." or "error ..."):
//   dump FILE      writes the memory as it is now (a raw image), whole: the
//                  file appears under its name only when complete
//   cut-after N    the next read sends data frames 0 .. N-1, then the line
//                  is cut (as when the cable is pulled)
//   problems       the problems seen so far, one "problem ..." line each,
//                  then "ok"
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "RadioEmulator.h"

namespace {

bool ParseInt(std::string_view s, int& out) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

int Usage() {
  std::fputs(
      "usage: radioemu [--revision 1|2|3] [--identify-speed BAUD] [--no-echo] [--pacing]\n"
      "                [--memory FILE] [--info-byte INDEX=VALUE]...\n",
      stderr);
  return 2;
}

bool ReadFile(const char* path, std::vector<std::uint8_t>& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad() && out.size() <= static_cast<size_t>(radioemu::kMemorySize);
}

bool WriteFileWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

void Answer(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void Command(radioemu::RadioEmulator& radio, std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  const size_t space = line.find(' ');
  const std::string verb = line.substr(0, space);
  const std::string arg = space == std::string::npos ? "" : line.substr(space + 1);
  int n = 0;
  if (verb == "dump" && !arg.empty()) {
    Answer(WriteFileWhole(arg, radio.Memory()) ? "ok dumped " + arg : "error cannot write " + arg);
  } else if (verb == "cut-after" && ParseInt(arg, n) && n >= 0) {
    radio.SetFault(radioemu::Fault::CutAfterFrames, n);
    Answer("ok the next read is cut after " + arg + " frames");
  } else if (verb == "problems") {
    for (const std::string& p : radio.Problems()) Answer("problem " + p);
    Answer("ok");
  } else if (!line.empty()) {
    Answer("error unknown command: " + line);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int revision = 3;
  int identifySpeed = radioemu::kIdentifySpeed;
  bool echo = true;
  bool pacing = false;
  std::vector<std::uint8_t> memory;
  bool haveMemory = false;
  std::vector<std::pair<int, int>> infoBytes;
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
    } else if (arg == "--memory" && i + 1 < argc) {
      if (!ReadFile(argv[++i], memory)) {
        std::fprintf(stderr, "radioemu: cannot read the memory image %s\n", argv[i]);
        return 1;
      }
      haveMemory = true;
    } else if (arg == "--info-byte" && i + 1 < argc) {
      const std::string_view spec(argv[++i]);
      const size_t eq = spec.find('=');
      int index = 0;
      int value = 0;
      if (eq == std::string_view::npos || !ParseInt(spec.substr(0, eq), index) ||
          !ParseInt(spec.substr(eq + 1), value) || value < 0 || value > 255)
        return Usage();
      infoBytes.emplace_back(index, value);
    } else {
      return Usage();
    }
  }
  radioemu::RadioEmulator radio(revision);
  radio.SetIdentifySpeed(identifySpeed);
  radio.SetCableEcho(echo);
  radio.SetPacing(pacing);
  if (haveMemory) radio.SetMemory(memory);
  for (const auto& [index, value] : infoBytes) {
    if (!radio.SetInfoByte(index, static_cast<std::uint8_t>(value))) {
      std::fprintf(stderr, "radioemu: information byte %d cannot be %d\n", index, value);
      return 1;
    }
  }
  if (!radio.Start()) {
    for (const auto& p : radio.Problems()) std::fprintf(stderr, "radioemu: %s\n", p.c_str());
    return 1;
  }
  Answer(radio.SlavePath());
  char buf[4096];
  while (std::fgets(buf, sizeof buf, stdin) != nullptr) Command(radio, buf);
  radio.Stop();
  for (const auto& p : radio.Problems()) std::fprintf(stderr, "radioemu: %s\n", p.c_str());
  return 0;
}
