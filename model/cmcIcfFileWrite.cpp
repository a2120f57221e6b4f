// Writing data files through a temporary file (QSaveFile): the target is
// replaced only once every line is written, so a failed save never destroys
// the previous file and leaves no partial one behind.
#include <QCryptographicHash>
#include <QSaveFile>
#include <charconv>

#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(QByteArray& out, std::uint64_t value, int digits) {
  char buf[16];
  for (int i = digits - 1; i >= 0; --i) {
    buf[i] = kHexDigits[value & 0xF];
    value >>= 4;
  }
  out.append(buf, digits);
}

// Hex of a run of bytes through a 256-entry pair table.
struct HexPairs {
  char pair[256][2];
  constexpr HexPairs() : pair() {
    for (int i = 0; i < 256; ++i) {
      pair[i][0] = kHexDigits[i >> 4];
      pair[i][1] = kHexDigits[i & 0xF];
    }
  }
};
constexpr HexPairs kPairs;

void AppendHexBytes(QByteArray& out, const std::uint8_t* bytes, std::int64_t count) {
  const qsizetype at = out.size();
  out.resize(at + 2 * count);
  char* p = out.data() + at;
  for (std::int64_t i = 0; i < count; ++i) {
    p[0] = kPairs.pair[bytes[i]][0];
    p[1] = kPairs.pair[bytes[i]][1];
    p += 2;
  }
}

void AppendDecimal(QByteArray& out, int value) {
  char buf[16];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, end - buf);
}

}  // namespace

int cmcIcfFile::Write(const std::string& fileName, const std::vector<MemRange>& ranges) {
  const int code = WriteFile(fileName, ranges);
  ShowError(code);
  return code;
}

int cmcIcfFile::WriteFile(const std::string& fileName, const std::vector<MemRange>& ranges) {
  if (!image_ || image_->GetSize() <= 0) return kFileAccess;
  const std::int64_t size = image_->GetSize();
  // Every pair before the end marker must lie in the image: a file with
  // data silently missing must never be reported as written.
  MemRangeList used;
  for (const MemRange& r : ranges) {
    if (r.IsEnd()) break;
    if (r.first < 0 || r.last >= size) return kFileAccess;
    used.push_back(r);
  }
  // A header that does not fit its 4 digits could never be read back.
  if (model_ > 0xFFFF || subCode_ > 0xFFFF) return kFileAccess;

  QSaveFile file(QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())));
  if (!file.open(QIODevice::WriteOnly)) return kFileOpen;

  const int bpl = bytesPerLine_;
  QByteArray out;
  out.reserve(static_cast<qsizetype>(comment_.size() + 128));
  QCryptographicHash digest(QCryptographicHash::Md5);
  digest.addData(QByteArrayView(digestKey_, 6));

  int lineIndex = 0;
  auto lineOk = [&]() { return !writeFault_ || writeFault_(lineIndex++); };

  if (!lineOk()) return kFileAccess;
  AppendHex(out, model_, 4);
  AppendHex(out, subCode_, 4);
  out.append("\r\n");

  // A CR or LF inside the comment would split the line: every control byte
  // is written as a blank.
  if (!lineOk()) return kFileAccess;
  out.append(version_ != 0 ? "#Comment=" : "#");
  for (char c : comment_) out.append(static_cast<unsigned char>(c) < 0x20 ? ' ' : c);
  out.append("\r\n");
  if (version_ != 0) {
    if (!lineOk()) return kFileAccess;
    out.append("#MapRev=");
    AppendDecimal(out, mapRev_);
    out.append("\r\n");
  }
  if (!lineOk()) return kFileAccess;
  out.append("#EtcData=");
  {
    int digits = 6;
    while (digits < 8 && (etcData_ >> (4 * digits)) != 0) ++digits;
    AppendHex(out, etcData_, digits);
  }
  out.append("\r\n");

  // Record lines: their size is known beforehand, so they are encoded in
  // place without growing the buffer line by line.
  auto recordCount = [bpl](std::int64_t address, std::int64_t last) {
    return std::min<std::int64_t>(bpl - address % bpl, last - address + 1);
  };
  std::int64_t recordChars = 0;
  for (const MemRange& r : used)
    for (std::int64_t address = r.first; address <= r.last;) {
      const std::int64_t count = recordCount(address, r.last);
      recordChars += 12 + 2 * count;
      address += count;
    }
  const qsizetype at = out.size();
  out.resize(at + static_cast<qsizetype>(recordChars));
  char* p = out.data() + at;
  auto hex = [&p](const std::uint8_t* bytes, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) {
      p[0] = kPairs.pair[bytes[i]][0];
      p[1] = kPairs.pair[bytes[i]][1];
      p += 2;
    }
  };
  const std::uint8_t* data = image_->Data();
  for (const MemRange& r : used) {
    for (std::int64_t address = r.first; address <= r.last;) {
      const std::int64_t count = recordCount(address, r.last);
      if (!lineOk()) return kFileAccess;
      const std::uint8_t head[5] = {
          static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
          static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
          static_cast<std::uint8_t>(count)};
      hex(head, 5);
      hex(data + address, count);
      *p++ = '\r';
      *p++ = '\n';
      if (writeDigest_) {
        digest.addData(QByteArrayView(head, 5));
        digest.addData(QByteArrayView(data + address, static_cast<qsizetype>(count)));
      }
      address += count;
    }
  }
  if (writeDigest_) {
    if (!lineOk()) return kFileAccess;
    const QByteArray md5 = digest.result();
    out.append("#CD=");
    AppendHexBytes(out, reinterpret_cast<const std::uint8_t*>(md5.constData()), md5.size());
    out.append("\r\n");
  }
  if (file.write(out) != out.size()) return kFileAccess;
  if (!file.commit()) return kFileAccess;
  return kOk;
}
