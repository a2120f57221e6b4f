// kw_choicegen <choice-list-source-dir> <area-output-dir>
// Writes the choice lists as the text-table area "choices" (choices.en.txt,
// .ja.txt, .neutral.txt, .keys.txt) for kw_textgen; fails, naming file and
// line of every fault, on a bad source, and then writes nothing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ChoiceArea.h"

namespace {

bool WriteIfChanged(const std::filesystem::path& path, const std::string& text) {
  {
    std::ifstream old(path, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(old)),
                             std::istreambuf_iterator<char>());
    if (old && before == text) return true;
  }
  const std::filesystem::path tmp = path.string() + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", tmp.string().c_str());
      return false;
    }
  }
  std::filesystem::rename(tmp, path);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <choice-list-source-dir> <area-output-dir>\n", argv[0]);
    return 2;
  }
  textgen::Diagnostics diag;
  const auto lists = choicegen::ReadChoiceSources(argv[1], diag);
  if (diag.Failed()) {
    std::fprintf(stderr, "choice lists: %d error(s); nothing written\n", diag.Count());
    return 1;
  }
  const choicegen::AreaTexts area = choicegen::BuildArea(lists);
  const std::filesystem::path out = argv[2];
  std::filesystem::create_directories(out);
  const bool ok = WriteIfChanged(out / "choices.en.txt", area.english) &&
                  WriteIfChanged(out / "choices.ja.txt", area.japanese) &&
                  WriteIfChanged(out / "choices.neutral.txt", area.neutral) &&
                  WriteIfChanged(out / "choices.keys.txt", area.keys);
  return ok ? 0 : 1;
}
