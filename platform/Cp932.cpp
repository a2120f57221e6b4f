#include "platform/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace platform {
namespace {

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
bool IsSingle(unsigned char b) { return b <= 0x7F || (b >= 0xA1 && b <= 0xDF); }

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts one whole piece; false when iconv refuses any of it.
  bool Convert(const char* in, size_t inLen, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[64];
    char* src = const_cast<char*>(in);
    size_t left = inLen;
    while (left > 0) {
      char* dst = buf;
      size_t room = sizeof buf;
      const size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& Decoder() {
  thread_local Converter decoder("UTF-16LE", "CP932");
  return decoder;
}

Converter& Encoder() {
  thread_local Converter encoder("CP932", "UTF-16LE");
  return encoder;
}

void AppendUtf16(QString& out, const std::string& utf16le) {
  for (size_t i = 0; i + 1 < utf16le.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(utf16le[i]);
    const auto hi = static_cast<unsigned char>(utf16le[i + 1]);
    out.append(QChar(static_cast<char16_t>(lo | (hi << 8))));
  }
}

}  // namespace

QString Cp932ToUnicode(std::string_view bytes, Cp932Display display) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  Converter& dec = Decoder();
  std::string piece;
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    size_t len = 0;
    if (b < 0x80) {
      out.append(QChar(static_cast<char16_t>(b)));
      ++i;
      continue;
    }
    if (display == Cp932Display::Western && (b == 0xB0 || b == 0xB7)) {
      out.append(QChar(static_cast<char16_t>(b)));
      ++i;
      continue;
    }
    if (IsSingle(b)) {
      len = 1;
    } else if (IsLead(b) && i + 1 < bytes.size() &&
               IsTrail(static_cast<unsigned char>(bytes[i + 1]))) {
      len = 2;
    } else {
      out.append(QChar(0xFFFD));
      ++i;
      continue;
    }
    piece.clear();
    if (dec.ok() && dec.Convert(bytes.data() + i, len, piece) && !piece.empty())
      AppendUtf16(out, piece);
    else
      out.append(QChar(0xFFFD));
    i += len;
  }
  return out;
}

std::string UnicodeToCp932(const QString& text, bool* lossy) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  bool lost = false;
  Converter& enc = Encoder();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.unicode() < 0x80) {
      out.push_back(static_cast<char>(c.unicode()));
      continue;
    }
    qsizetype units = 1;
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) units = 2;
    char16_t utf16[2] = {text.at(i).unicode(), units == 2 ? text.at(i + 1).unicode() : u'\0'};
    char raw[4];
    for (qsizetype k = 0; k < units; ++k) {
      raw[2 * k] = static_cast<char>(utf16[k] & 0xFF);
      raw[2 * k + 1] = static_cast<char>(utf16[k] >> 8);
    }
    std::string piece;
    if (enc.ok() && enc.Convert(raw, static_cast<size_t>(units * 2), piece) && !piece.empty()) {
      out += piece;
    } else {
      out.push_back('?');
      lost = true;
    }
    i += units - 1;
  }
  if (lossy) *lossy = lost;
  return out;
}

}  // namespace platform
