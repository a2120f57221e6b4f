// Reading data files: a line splitter with a bounded carry buffer, so neither
// a long "#" line nor a file without line ends can make memory grow.
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/HexText.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"

namespace {

constexpr size_t kMaxRecordLine = 520;
// Longest line kept whole; anything longer is only ever refused or ignored.
constexpr size_t kMaxKeptLine = 1024;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

class cmcIcfFile::Parser {
 public:
  Parser(cmcIcfFile& file, cmcEeprom& scratch) : file_(file), scratch_(scratch) {}

  // Feeds the next piece of the file; a result other than 0 stops reading.
  int Feed(std::string_view chunk) {
    while (!chunk.empty()) {
      const size_t eol = chunk.find('\n');
      if (eol == std::string_view::npos) {
        Carry(chunk);
        return 0;
      }
      int code;
      if (carry_.empty() && !carryCut_) {
        code = Line(chunk.substr(0, eol), true, false);
      } else {
        Carry(chunk.substr(0, eol));
        code = Line(carry_, true, carryCut_);
        carry_.clear();
        carryCut_ = false;
      }
      if (code != 0) return code;
      chunk.remove_prefix(eol + 1);
    }
    return 0;
  }

  // End of the file: the last line may lack its line end.
  int Finish() {
    if (!carry_.empty() || carryCut_) {
      const int code = Line(carry_, false, carryCut_);
      carry_.clear();
      if (code != 0) return code;
    }
    if (!headerSeen_) return kFormat;
    if (!recordSeen_) return file_.RunHeaderChecks();
    return kOk;
  }

 private:
  void Carry(std::string_view piece) {
    const size_t room = kMaxKeptLine - std::min(kMaxKeptLine, carry_.size());
    if (piece.size() > room) {
      carry_.append(piece.substr(0, room));
      carryCut_ = true;
    } else {
      carry_.append(piece);
    }
  }

  int Line(std::string_view line, bool hasEnd, bool cut) {
    if (!cut && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!headerSeen_) {
      headerSeen_ = true;
      return Header(line, hasEnd && !cut);
    }
    if (line.empty() && !cut) return kOk;
    if (line.front() == '#') {
      if (!recordSeen_) Setting(line, cut);
      return kOk;
    }
    if (!recordSeen_) {
      recordSeen_ = true;
      const int code = file_.RunHeaderChecks();
      if (code != kOk) return code;
    }
    if (cut) return kFormat;
    return Record(line);
  }

  int Header(std::string_view line, bool complete) {
    if (!complete || line.size() != 8) return kFormat;
    std::uint32_t value[2] = {0, 0};
    for (size_t i = 0; i < 8; ++i) {
      const char c = line[i];
      if (c < '0' || c > '9') return kFormat;
      value[i / 4] = value[i / 4] * 16 + static_cast<std::uint32_t>(c - '0');
    }
    if (file_.modelCheck_) {
      int result = kModel;
      if (!file_.modelCheck_(value[0], value[1], result)) return result != kOk ? result : kModel;
      return kOk;
    }
    if (value[0] != file_.model_) return kModel;
    if (value[1] != file_.subCode_) return kExtra;
    return kOk;
  }

  // "#MapRev=" and "#EtcData=" before the first record; every other "#"
  // line (the comment, the digest) is ignored. A value that is not a plain
  // number is remembered as garbage, which the checks refuse.
  void Setting(std::string_view line, bool cut) {
    static constexpr std::string_view kMapRev = "#MapRev=";
    static constexpr std::string_view kEtcData = "#EtcData=";
    if (StartsWith(line, kMapRev)) {
      const std::string_view v = TrimBlanks(line.substr(kMapRev.size()));
      int rev = 0;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), rev, 10);
      file_.mapRevGarbage_ = cut || v.empty() || ec != std::errc() || end != v.data() + v.size();
      if (!file_.mapRevGarbage_) file_.mapRev_ = rev;
    } else if (StartsWith(line, kEtcData)) {
      const std::string_view v = TrimBlanks(line.substr(kEtcData.size()));
      std::uint32_t etc = 0;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), etc, 16);
      file_.etcDataGarbage_ = cut || v.empty() || ec != std::errc() || end != v.data() + v.size();
      if (!file_.etcDataGarbage_) file_.etcData_ = etc;
    }
  }

  int Record(std::string_view line) {
    const size_t len = line.size();
    if (len < 12 || len > kMaxRecordLine || (len & 1) != 0) return kFormat;
    std::uint8_t head[5];
    if (!core::ReadHexBytes(line, head)) return kFormat;
    const std::int64_t address = static_cast<std::int64_t>(head[0]) << 24 |
                                 static_cast<std::int64_t>(head[1]) << 16 |
                                 static_cast<std::int64_t>(head[2]) << 8 | head[3];
    const std::int64_t count = head[4];
    if (2 * count != static_cast<std::int64_t>(len) - 10) return kFormat;
    // The bytes go straight into the scratch image, which any error throws
    // away. A record outside the image is still decoded (into a spill buffer),
    // so that a malformed line reads as malformed wherever it points.
    const bool fits = address + count <= scratch_.GetSize();
    std::uint8_t spill[kMaxRecordLine / 2];
    if (!core::ReadHexBytes(line.substr(10),
                            std::span<std::uint8_t>(fits ? scratch_.Data() + address : spill,
                                                    static_cast<size_t>(count))))
      return kFormat;
    if (!fits) return kData;
    file_.MarkLoaded(address, address + count - 1);
    return kOk;
  }

  cmcIcfFile& file_;
  cmcEeprom& scratch_;
  std::string carry_;
  bool carryCut_ = false;
  bool headerSeen_ = false;
  bool recordSeen_ = false;
};

// Every read starts afresh: no byte loaded, no setting line of this file
// seen yet (a refused value of an earlier file must not refuse this one),
// the scratch image a copy of the image.
void cmcIcfFile::BeginRead() {
  EnsureMaps();
  if (!scratch_) scratch_ = std::make_unique<cmcEeprom>();
  *scratch_ = *image_;
  if (!loadedMap_.empty()) std::memset(loadedMap_.data(), 0, loadedMap_.size());
  mapRevGarbage_ = false;
  etcDataGarbage_ = false;
}

// The scratch copy replaces the image only when the file passed every check.
int cmcIcfFile::EndRead(int code, const MemRangeList* coverage) {
  if (code == kOk && coverage) code = CheckCoverage(*coverage);
  if (code == kOk) image_->SetBlock(0, scratch_->Data(), scratch_->GetSize());
  return code;
}

int cmcIcfFile::ParseBytes(std::string_view bytes, const MemRangeList* coverage) {
  if (!image_ || image_->GetSize() <= 0) return kFileOpen;
  BeginRead();
  Parser parser(*this, *scratch_);
  int code = parser.Feed(bytes);
  if (code == kOk) code = parser.Finish();
  return EndRead(code, coverage);
}

int cmcIcfFile::ReadBytes(std::string_view bytes, const MemRangeList* coverage) {
  const int code = ParseBytes(bytes, coverage);
  ShowError(code);
  return code;
}

int cmcIcfFile::Read(const std::string& fileName, const MemRangeList* coverage) {
  int code = kOk;
  if (!image_ || image_->GetSize() <= 0) {
    code = kFileOpen;
  } else {
    const QString name =
        QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    QFile file(name);
    // Only regular files: opening a FIFO would wait for a writer, and a
    // device such as /dev/zero would never end.
    if (!QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly)) {
      code = kFileOpen;
    } else {
      BeginRead();
      Parser parser(*this, *scratch_);
      // Files of a normal size are read in one piece; anything larger streams
      // through a fixed buffer.
      constexpr qint64 kChunk = 1 << 20;
      std::string buffer(
          static_cast<size_t>(std::min<qint64>(std::max<qint64>(file.size(), 1), kChunk)), '\0');
      for (;;) {
        const qint64 got = file.read(buffer.data(), static_cast<qint64>(buffer.size()));
        if (got < 0) {
          code = kFileOpen;
          break;
        }
        if (got == 0) {
          code = parser.Finish();
          break;
        }
        code = parser.Feed(std::string_view(buffer.data(), static_cast<size_t>(got)));
        if (code != kOk) break;
      }
      code = EndRead(code, coverage);
    }
  }
  ShowError(code);
  return code;
}
