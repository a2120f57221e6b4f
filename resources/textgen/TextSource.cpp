#include "TextSource.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace textgen {
namespace {

// Length of the UTF-8 sequence at s[i], or 0 when it is not well formed.
std::size_t Utf8Length(const std::string& s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t len = 0;
  unsigned min = 0;
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) {
    len = 2;
    min = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    len = 3;
    min = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    len = 4;
    min = 0x10000;
  } else
    return 0;
  if (i + len > s.size()) return 0;
  unsigned cp = b & (0x7F >> len);
  for (std::size_t k = 1; k < len; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

class Utf8ToCp932 {
 public:
  Utf8ToCp932() : cd_(iconv_open("CP932", "UTF-8")) {}
  ~Utf8ToCp932() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts one character; false when CP932 has no byte for it.
  bool Convert(const char* in, std::size_t len, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[16];
    char* src = const_cast<char*>(in);
    char* dst = buf;
    std::size_t left = len;
    std::size_t room = sizeof buf;
    if (iconv(cd_, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) || left != 0)
      return false;
    if (dst == buf) return false;
    out.append(buf, static_cast<std::size_t>(dst - buf));
    return true;
  }

 private:
  iconv_t cd_;
};

Utf8ToCp932& Converter() {
  static Utf8ToCp932 converter;
  return converter;
}

std::string Excerpt(const std::string& s, std::size_t i, std::size_t len) {
  return s.substr(i, len);
}

}  // namespace

void Diagnostics::Error(const std::string& file, int line, const std::string& message) {
  messages_.push_back(file + ":" + std::to_string(line) + ": error: " + message);
  if (echo_) std::fprintf(stderr, "%s\n", messages_.back().c_str());
}

void Diagnostics::Error(const std::string& message) {
  messages_.push_back("error: " + message);
  if (echo_) std::fprintf(stderr, "%s\n", messages_.back().c_str());
}

bool Utf8ToCp932Line(const std::string& text, const std::string& file, int number,
                     std::string& bytes, Diagnostics& diag) {
  if (!Converter().ok()) {
    diag.Error("iconv has no UTF-8 to CP932 converter");
    return false;
  }
  const std::string& path = file;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\r') {
      diag.Error(path, number, "carriage return (save the file with LF line ends)");
      return false;
    }
    if (c == '\0') {
      diag.Error(path, number, "NUL byte");
      return false;
    }
    if (c == '\\' && i + 4 <= text.size() && text[i + 1] == 'x') {
      const std::string hex = text.substr(i + 2, 2);
      if (hex == "B0" || hex == "b0" || hex == "B7" || hex == "b7") {
        bytes.push_back(static_cast<char>(hex[1] == '0' ? 0xB0 : 0xB7));
        i += 4;
        continue;
      }
    }
    const std::size_t len = Utf8Length(text, i);
    if (len == 0) {
      diag.Error(path, number, "invalid UTF-8 at byte " + std::to_string(i + 1));
      return false;
    }
    if (len == 1) {
      bytes.push_back(c);
    } else if (!Converter().Convert(text.data() + i, len, bytes)) {
      diag.Error(path, number,
                 "character '" + Excerpt(text, i, len) + "' at byte " + std::to_string(i + 1) +
                     " has no code page 932 byte");
      return false;
    }
    i += len;
  }
  return true;
}

std::vector<SourceLine> ReadSourceLines(const std::string& path, Diagnostics& diag) {
  std::vector<SourceLine> out;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    diag.Error(path, 0, "cannot open the file");
    return out;
  }
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!Converter().ok()) {
    diag.Error("iconv has no UTF-8 to CP932 converter");
    return out;
  }
  std::size_t start = 0;
  int number = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    const std::string text = all.substr(start, end - start);
    start = end + 1;
    ++number;
    SourceLine line{{}, path, number};
    const bool bad = !Utf8ToCp932Line(text, path, number, line.bytes, diag);
    if (!bad && line.bytes.size() > kMaxLineBytes) {
      diag.Error(path, number,
                 "line of " + std::to_string(line.bytes.size()) + " bytes (at most " +
                     std::to_string(kMaxLineBytes) + ")");
    }
    out.push_back(std::move(line));
  }
  return out;
}

std::vector<KeyBlock> SplitBlocks(const std::vector<SourceLine>& lines, Diagnostics& diag) {
  std::vector<KeyBlock> blocks;
  for (const SourceLine& line : lines) {
    if (IsKeyLine(line.bytes)) {
      KeyBlock block;
      block.key = line.bytes.substr(1);
      block.keyLine = line;
      blocks.push_back(std::move(block));
    } else if (blocks.empty()) {
      diag.Error(line.file, line.line, "text before the first key line");
    } else {
      blocks.back().values.push_back(line);
    }
  }
  return blocks;
}

std::vector<SourceLine> ReadListFile(const std::string& path, Diagnostics& diag) {
  std::vector<SourceLine> entries;
  for (SourceLine& line : ReadSourceLines(path, diag)) {
    std::string& s = line.bytes;
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    std::size_t lead = 0;
    while (lead < s.size() && (s[lead] == ' ' || s[lead] == '\t')) ++lead;
    s.erase(0, lead);
    if (s.empty() || s[0] == '#') continue;
    entries.push_back(std::move(line));
  }
  return entries;
}

}  // namespace textgen
