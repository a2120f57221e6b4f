#pragma once
// Data files ("*.icf"): a memory image as line-oriented text.
//
//   34840001                 model code and second code, 4 hex digits each
//   #Comment=...             version 1 ("#..." in version 0)
//   #MapRev=3                layout revision (version 1 only)
//   #EtcData=144011          encoded destination setting
//   AAAAAAAANNDD..DD         records: address, count, bytes (upper-case hex)
//   #CD=<32 hex digits>      MD5 digest, only when asked for; last line
//
// Lines end with CR LF on writing; CR LF or LF are read. The digest covers
// the 6 key bytes followed by every record line read back as bytes. Readers
// never look at it.
//
// Reading parses into a scratch copy of the image and copies it back only on
// success, so a damaged file never touches the document. The scratch copy is
// kept for the next read of the same object. Writing goes through
// a temporary file that replaces the target only when everything was written.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/MemRange.h"

class cmcEeprom;

class cmcIcfFile {
 public:
  enum Result {
    kOk = 0,
    kFileOpen = 1,    // cannot be opened or created
    kFileAccess = 2,  // a line cannot be written
    kModel = 3,       // header model differs
    kExtra = 4,       // header second code differs
    kMapRev = 5,      // layout revision refused
    kFormat = 6,      // malformed header or record line
    kCoverage = 7,    // required bytes missing
    kData = 8,        // address outside the image, or bytes outside the required ranges
    kNewer = 9,       // set by a caller's check: file of a newer layout
    kEtcData = 10,    // destination setting refused
  };

  using MapRevCheck = std::function<bool(int revision)>;
  // Decides on the layout revision and sets the result code itself when
  // refusing (a plain refusal is kMapRev).
  using MapRevCodeCheck = std::function<bool(int revision, int& result)>;
  // Decides on the header and sets the result code itself when refusing.
  using ModelCheck = std::function<bool(std::uint32_t model, std::uint32_t subCode, int& result)>;
  using EtcDataCheck = std::function<bool(std::uint32_t etcData, std::uint32_t& extra)>;
  // Looks up value 0 of a text key (CP932).
  using TextSource = std::function<std::string(std::string_view key)>;

  static constexpr int kDefaultBytesPerLine = 16;
  static constexpr char kDefaultKey[] = "530817264903";

  cmcIcfFile();
  ~cmcIcfFile();
  cmcIcfFile(const cmcIcfFile&) = delete;
  cmcIcfFile& operator=(const cmcIcfFile&) = delete;

  void SetVersion(std::uint32_t version) { version_ = version; }
  // Binds the image with its whole address range.
  void SetImage(cmcEeprom* image);
  void SetImageRange(cmcEeprom* image, std::int32_t first, std::int32_t last);
  void SetModel(std::uint32_t code) { model_ = code; }
  void SetSubCode(std::uint32_t code) { subCode_ = code; }
  void SetComment(std::string_view text) { comment_.assign(text); }
  // 1..255; anything else is refused (false) and the old value stays.
  bool SetBytesPerLine(int n);
  int GetBytesPerLine() const { return bytesPerLine_; }
  // The key must be 12 hexadecimal digits; a bad key is refused (false).
  bool SetCheckKey(bool writeDigest, std::string_view key);
  void SetMapRev(int rev) { mapRev_ = rev; }
  int GetMapRev() const { return mapRev_; }
  void SetEtcData(std::uint32_t value) { etcData_ = value; }
  std::uint32_t GetEtcData() const { return etcData_; }
  // A refusal of the first form reads as kMapRev; the second sets its code.
  void SetMapRevCheck(MapRevCheck check);
  void SetMapRevCheck(MapRevCodeCheck check) { mapRevCheck_ = std::move(check); }
  void SetModelCheck(ModelCheck check) { modelCheck_ = std::move(check); }
  void SetEtcDataCheck(EtcDataCheck check) { etcDataCheck_ = std::move(check); }

  // Writes the ranges (inclusive pairs; a descending pair ends the list) of
  // the image. 0, 1 (cannot create) or 2 (cannot write, or a range outside
  // the image). The previous file survives every failure. Shows the error.
  int Write(const std::string& fileName, const std::vector<MemRange>& ranges);

  // Reads a file into the image; with a coverage list the records must fill
  // exactly those ranges. 0 or an error code 1..10, shown in a message box;
  // on error the image is unchanged.
  int Read(const std::string& fileName, const MemRangeList* coverage = nullptr);
  // The same over bytes in memory (message box included).
  int ReadBytes(std::string_view bytes, const MemRangeList* coverage = nullptr);
  // The same without any message box.
  int ParseBytes(std::string_view bytes, const MemRangeList* coverage = nullptr);

  // Compares the bytes the last read set with the ranges (a descending pair
  // ends them): 0 equal, 8 a byte set outside them, 7 a required byte
  // missing, an ascending pair outside the image, or no image.
  int CheckCoverage(const MemRangeList& ranges);
  // Whether the last read set the byte at the address.
  bool WasLoaded(std::int64_t address) const;

  // The message box of a code (nothing for 0 and codes outside 1..10).
  void ShowError(int code) const;

  // Where ShowError takes its texts (process-wide; the application installs
  // the interface table). Without one the built-in English table is used.
  static void SetTextSource(TextSource source);

  // Test seam: called before each line is written; false fails the write
  // there (code 2).
  void SetWriteFault(std::function<bool(int lineIndex)> fault) { writeFault_ = std::move(fault); }

 private:
  class Parser;
  int WriteFile(const std::string& fileName, const std::vector<MemRange>& ranges);
  int RunHeaderChecks();
  void EnsureMaps();
  void BeginRead();
  // Marks first..last (inclusive) as set by the file.
  void MarkLoaded(std::int64_t first, std::int64_t last);
  int EndRead(int code, const MemRangeList* coverage);

  std::uint32_t version_ = 1;
  cmcEeprom* image_ = nullptr;
  std::unique_ptr<cmcEeprom> scratch_;  // what a read parses into
  std::uint32_t model_ = 0;
  std::uint32_t subCode_ = 0;
  std::string comment_;
  int bytesPerLine_ = kDefaultBytesPerLine;
  bool writeDigest_ = false;
  std::uint8_t digestKey_[6] = {0x53, 0x08, 0x17, 0x26, 0x49, 0x03};
  int mapRev_ = -1;
  std::uint32_t etcData_ = 0;
  bool mapRevGarbage_ = false;
  bool etcDataGarbage_ = false;
  std::int32_t rangeFirst_ = 0;
  std::int32_t rangeLast_ = 0;
  std::vector<std::uint8_t> requiredMap_;
  std::vector<std::uint8_t> loadedMap_;
  std::int32_t mapBytes_ = 0;
  MapRevCodeCheck mapRevCheck_;
  ModelCheck modelCheck_;
  EtcDataCheck etcDataCheck_;
  std::function<bool(int)> writeFault_;
};
