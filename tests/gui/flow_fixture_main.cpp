// kw_flow_fixture: what the scripted run of the real window needs of the
// radio's data, outside the program it drives.
//   kw_flow_fixture radio <destination> <image.bin>
//       writes the memory of a radio of that destination (its default image,
//       channel 0 used at kFlowFrequency named kFlowName) as a raw image
//   kw_flow_fixture etcdata <destination>
//       prints the settings' "Etc Data" value of that destination (the
//       radio's variant flag set, as the emulator's information says)
//   kw_flow_fixture channel <file.icf> <index>
//       prints memory channel <index> of a data file: "used freq name tone"
//       (frequency in Hz, name with its trailing blanks cut)
//   kw_flow_fixture compare <file.icf> <image.bin>
//       compares the clone range of a data file's image with a raw image
//       (the emulator's dump); prints the first differences, exit 1 on any
// Exit 2 on bad arguments or an unreadable file.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/indEnviron.h"
#include "model/DefaultImage.h"
#include "model/InitialImage.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

constexpr std::uint32_t kFlowFrequency = 146520000;
constexpr char kFlowName[] = "FLOW RADIO";
constexpr int kCurrentRevision = 3;
// The data files' header: the radio's model code and the second code.
constexpr std::uint32_t kModelCode = 0x3484;
constexpr std::uint32_t kSubCode = 1;

int Usage() {
  std::fputs(
      "usage: kw_flow_fixture radio <destination> <image.bin>\n"
      "       kw_flow_fixture etcdata <destination>\n"
      "       kw_flow_fixture channel <file.icf> <index>\n"
      "       kw_flow_fixture compare <file.icf> <image.bin>\n",
      stderr);
  return 2;
}

bool ToInt(const char* text, int& out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 0 || v > 9999) return false;
  out = static_cast<int>(v);
  return true;
}

bool ReadDataFile(const std::string& path, cmcEeprom& image) {
  image.SetSize(layout::kImageSize);
  image.Fill(0xFF);
  cmcIcfFile file;
  file.SetImage(&image);
  file.SetModel(kModelCode);
  file.SetSubCode(kSubCode);
  file.SetMapRevCheck(cmcIcfFile::MapRevCheck([](int revision) { return revision == kCurrentRevision; }));
  file.SetEtcDataCheck([](std::uint32_t etcData, std::uint32_t&) {
    dst_EtcData destination;
    return indEnviron::DecodeEtcData(etcData, destination);
  });
  const std::string bytes = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  const int code = file.ParseBytes(bytes);
  if (code != 0) std::fprintf(stderr, "kw_flow_fixture: %s: read error %d\n", path.c_str(), code);
  return code == 0 && file.GetMapRev() == kCurrentRevision;
}

int Radio(int destination, const char* out) {
  const ScopedDestination scope{indDestination(destination)};
  cmcEeprom image = FullImageFromDefault(BuildDefaultImage(destination));
  datCh ch(&image);
  ch.Load(itemkind::kChannel, 0);
  ch.flags |= datCh::kUsed;
  ch.freq = kFlowFrequency;
  ch.name.fill(' ');
  std::copy(kFlowName, kFlowName + sizeof kFlowName - 1, ch.name.begin());
  if (!ch.StoreSelf()) {
    std::fputs("kw_flow_fixture: channel 0 cannot be stored\n", stderr);
    return 2;
  }
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(image.Data()), image.GetSize());
  return file.flush() ? 0 : 2;
}

int Channel(const char* path, int index) {
  cmcEeprom image;
  if (!ReadDataFile(path, image)) return 2;
  datCh ch(&image);
  ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(index));
  std::string name(ch.name.begin(), ch.name.end());
  while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.pop_back();
  std::printf("%d %u %s %u\n", ch.IsUsed() ? 1 : 0, ch.freq, name.empty() ? "-" : name.c_str(),
              ch.toneMode);
  return 0;
}

int Compare(const char* path, const char* dumpPath) {
  cmcEeprom image;
  if (!ReadDataFile(path, image)) return 2;
  std::ifstream in(dumpPath, std::ios::binary);
  const std::vector<char> dump((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
  const std::int64_t last = MemMapRevisionOf(kCurrentRevision).LastCloneAddress();
  if (static_cast<std::int64_t>(dump.size()) <= last) {
    std::fprintf(stderr, "kw_flow_fixture: %s holds %zu bytes, short of the clone range\n",
                 dumpPath, dump.size());
    return 2;
  }
  int differences = 0;
  for (std::int64_t a = 0; a <= last; ++a) {
    const auto radio = static_cast<std::uint8_t>(dump[static_cast<size_t>(a)]);
    const std::uint8_t file = image.GetByte(a);
    if (radio == file) continue;
    if (++differences <= 8)
      std::printf("0x%05llX: file %02X, radio %02X\n", static_cast<unsigned long long>(a), file,
                  radio);
  }
  if (differences > 0) {
    std::printf("%d bytes of the clone range differ\n", differences);
    return 1;
  }
  std::printf("the radio holds the file's clone range (0 - 0x%llX)\n",
              static_cast<unsigned long long>(last));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::string verb = argc > 1 ? argv[1] : "";
  int n = 0;
  if (verb == "radio" && argc == 4 && ToInt(argv[2], n) && n < 16) return Radio(n, argv[3]);
  if (verb == "etcdata" && argc == 3 && ToInt(argv[2], n) && n < 16) {
    dst_EtcData etc;
    etc.destination = static_cast<std::uint32_t>(n);
    etc.firstFlag = 1;
    etc.secondFlag = 0;
    std::printf("%u\n", indEnviron::EncodeEtcData(etc));
    return 0;
  }
  if (verb == "channel" && argc == 4 && ToInt(argv[3], n)) return Channel(argv[2], n);
  if (verb == "compare" && argc == 4) return Compare(argv[2], argv[3]);
  return Usage();
}
