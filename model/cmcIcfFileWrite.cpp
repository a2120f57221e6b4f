// Writing data files through a temporary file (QSaveFile): the target is
// replaced only once every line is written, so a failed save never destroys
// the previous file and leaves no partial one behind.
#include <QCryptographicHash>
#include <QSaveFile>
#include <charconv>

#include "core/HexText.h"
#include "platform/Writeback.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"

namespace {

void AppendHex(QByteArray& out, std::uint64_t value, int minDigits) {
  char buf[16];
  out.append(buf, core::WriteHexNumber(value, minDigits, buf) - buf);
}

void AppendHexBytes(QByteArray& out, std::span<const std::uint8_t> bytes) {
  const qsizetype at = out.size();
  out.resize(at + 2 * static_cast<qsizetype>(bytes.size()));
  core::WriteHexBytes(bytes, out.data() + at);
}

// Calls fn(address, count) for every record line of the ranges, in order,
// until it answers false; a line never crosses a multiple of the line
// length. (One division per range: a division per line costs as much as
// encoding the line.)
template <typename Fn>
bool ForEachRecord(const MemRangeList& ranges, int bytesPerLine, Fn&& fn) {
  for (const MemRange& r : ranges) {
    std::int64_t room = bytesPerLine - r.first % bytesPerLine;  // on the first line
    for (std::int64_t address = r.first; address <= r.last;) {
      const std::int64_t count = std::min<std::int64_t>(room, r.last - address + 1);
      if (!fn(address, count)) return false;
      address += count;
      room = bytesPerLine;
    }
  }
  return true;
}

// The record line's head: address (4 bytes, high first) and count.
struct RecordHead {
  std::uint8_t bytes[5];
  RecordHead(std::int64_t address, std::int64_t count)
      : bytes{static_cast<std::uint8_t>(address >> 24), static_cast<std::uint8_t>(address >> 16),
              static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
              static_cast<std::uint8_t>(count)} {}
};

// The digest of the record lines read back as bytes, after the key.
QByteArray RecordDigest(QByteArrayView key, const MemRangeList& ranges, int bytesPerLine,
                        const std::uint8_t* data) {
  QCryptographicHash digest(QCryptographicHash::Md5);
  digest.addData(key);
  ForEachRecord(ranges, bytesPerLine, [&](std::int64_t address, std::int64_t count) {
    const RecordHead head(address, count);
    digest.addData(QByteArrayView(head.bytes, 5));
    digest.addData(QByteArrayView(data + address, static_cast<qsizetype>(count)));
    return true;
  });
  return digest.result();
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

  const int bpl = bytesPerLine_;
  const std::uint8_t* data = image_->Data();

  QSaveFile file(QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())));
  if (!file.open(QIODevice::WriteOnly)) return kFileOpen;

  QByteArray out;
  out.reserve(static_cast<qsizetype>(comment_.size() + 128));

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
  AppendHex(out, etcData_, 6);
  out.append("\r\n");

  // Record lines: their size is known beforehand, so they are encoded in
  // place without growing the buffer line by line.
  std::int64_t recordChars = 0;
  ForEachRecord(used, bpl, [&](std::int64_t, std::int64_t count) {
    recordChars += 12 + 2 * count;
    return true;
  });
  const qsizetype at = out.size();
  out.resize(at + static_cast<qsizetype>(recordChars));
  char* p = out.data() + at;
  const bool encoded = ForEachRecord(used, bpl, [&](std::int64_t address, std::int64_t count) {
    if (!lineOk()) return false;
    p = core::WriteHexBytes(RecordHead(address, count).bytes, p);
    p = core::WriteHexBytes(std::span(data + address, static_cast<size_t>(count)), p);
    *p++ = '\r';
    *p++ = '\n';
    return true;
  });
  if (!encoded) return kFileAccess;
  if (file.write(out) != out.size()) return kFileAccess;
  if (writeDigest_) {
    // The disk takes the lines while the digest is worked out.
    platform::StartWriteback(static_cast<int>(file.handle()), out.size());
    if (!lineOk()) return kFileAccess;
    const QByteArray md5 = RecordDigest(QByteArrayView(digestKey_, 6), used, bpl, data);
    QByteArray last("#CD=");
    AppendHexBytes(last, std::span(reinterpret_cast<const std::uint8_t*>(md5.constData()),
                                   static_cast<size_t>(md5.size())));
    last.append("\r\n");
    if (file.write(last) != last.size()) return kFileAccess;
  }
  if (!file.commit()) return kFileAccess;
  return kOk;
}
