#include "platform/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace platform {
namespace {

// Code page 932 as iconv reads it: user-defined and IBM extension rows
// (0xF0..0xFC) start pairs too, which is wider than the radio's lead class.
bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
// Bytes that cannot start a character in any position.
bool IsNeverCharacter(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

constexpr char16_t kReplacement = 0xFFFD;

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of [*in, end) as iconv accepts, appending to out.
  // Returns 0 when all of it was converted, else the errno iconv stopped
  // with (EILSEQ, EINVAL); *in then points at the byte it refused.
  int Convert(const char** in, const char* end, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[256];
    char* src = const_cast<char*>(*in);
    size_t left = static_cast<size_t>(end - *in);
    int error = 0;
    while (left > 0) {
      char* dst = buf;
      size_t room = sizeof buf;
      const size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) {
        error = errno == 0 ? EILSEQ : errno;
        break;
      }
    }
    *in = src;
    return error;
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

// Length of the piece iconv refused at p: the whole pair when a lead byte is
// followed by a trail byte (a pair that does not decode is one bad
// character, not a stray second byte), else the one byte.
size_t RefusedLength(const char* p, const char* end) {
  const auto b = static_cast<unsigned char>(*p);
  if (IsLead(b) && p + 1 < end && IsTrail(static_cast<unsigned char>(p[1]))) return 2;
  return 1;
}

// Decodes a run through iconv, resuming after every refusal: glibc stops at
// the first byte it cannot read, so each refusal becomes one U+FFFD.
void DecodeRun(const char* begin, const char* end, QString& out) {
  if (begin == end) return;
  Converter& dec = Decoder();
  std::string utf16;
  const char* p = begin;
  while (p < end) {
    utf16.clear();
    const int error = dec.ok() ? dec.Convert(&p, end, utf16) : EILSEQ;
    AppendUtf16(out, utf16);
    if (error == 0) break;
    const size_t skip = RefusedLength(p, end);
    out.append(QChar(kReplacement));
    p += skip;
  }
}

}  // namespace

QString Cp932ToUnicode(std::string_view bytes, Cp932Display display) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  // Single bytes that iconv must not see (never a character, or shown
  // through the Western code page) split the text into runs; pairs are
  // stepped over whole so that a trail byte 0xB0 stays part of its pair.
  const char* run = begin;
  const char* p = begin;
  while (p < end) {
    const auto b = static_cast<unsigned char>(*p);
    if (IsLead(b) && p + 1 < end && IsTrail(static_cast<unsigned char>(p[1]))) {
      p += 2;
      continue;
    }
    const bool western = display == Cp932Display::Western && (b == 0xB0 || b == 0xB7);
    if (western || IsNeverCharacter(b)) {
      DecodeRun(run, p, out);
      out.append(QChar(western ? static_cast<char16_t>(b) : kReplacement));
      run = p + 1;
    }
    ++p;
  }
  DecodeRun(run, end, out);
  return out;
}

std::string UnicodeToCp932(const QString& text, bool* lossy) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  bool lost = false;
  std::string utf16;
  utf16.reserve(static_cast<size_t>(text.size()) * 2);
  for (QChar c : text) {
    utf16.push_back(static_cast<char>(c.unicode() & 0xFF));
    utf16.push_back(static_cast<char>(c.unicode() >> 8));
  }
  Converter& enc = Encoder();
  const char* p = utf16.data();
  const char* const end = p + utf16.size();
  while (p < end) {
    const int error = enc.ok() ? enc.Convert(&p, end, out) : EILSEQ;
    if (error == 0) break;
    // One character refused (a surrogate pair counts as one): "?" in its place.
    size_t skip = 2;
    if (end - p >= 4) {
      const auto unit = static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                              (static_cast<unsigned char>(p[1]) << 8));
      const auto next = static_cast<char16_t>(static_cast<unsigned char>(p[2]) |
                                              (static_cast<unsigned char>(p[3]) << 8));
      if (QChar::isHighSurrogate(unit) && QChar::isLowSurrogate(next)) skip = 4;
    }
    if (static_cast<size_t>(end - p) < skip) skip = static_cast<size_t>(end - p);
    out.push_back('?');
    lost = true;
    p += skip;
  }
  if (lossy) *lossy = lost;
  return out;
}

}  // namespace platform
