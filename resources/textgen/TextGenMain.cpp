//   kw_textgen <text-source-dir> [<more-source-dirs>...] <output.cpp>
// Fails, naming file and line of every fault, on a bad source.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TextGen.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <text-source-dir> [<more-source-dirs>...] <output.cpp>\n",
                 argv[0]);
    return 2;
  }
  const std::vector<std::string> dirs(argv + 1, argv + argc - 1);
  const char* const output = argv[argc - 1];
  textgen::Diagnostics diag;
  const std::string text = textgen::Generate(dirs, diag);
  if (diag.Failed()) {
    std::fprintf(stderr, "text tables: %d error(s); nothing written\n", diag.Count());
    return 1;
  }
  // Rewrite only on change, so an unchanged table does not recompile.
  {
    std::ifstream old(output, std::ios::binary);
    const std::string before((std::istreambuf_iterator<char>(old)),
                             std::istreambuf_iterator<char>());
    if (old && before == text) return 0;
  }
  const std::string tmp = std::string(output) + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", tmp.c_str());
      return 1;
    }
  }
  std::filesystem::rename(tmp, output);
  return 0;
}
