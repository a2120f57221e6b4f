#pragma once
// The program's main window as a user meets it, for the file and clone
// command tests: the main window rig (tests/app/MainWindowRig.h) over
// settings of destination 5 (first flag 1) and the program's English table
// (with a small clone information sheet in front of it), with scripted file
// dialogs too. The window is shown after Build. Menu items and tool-bar
// buttons are pressed through their actions, as a click does.
//
// Data files for the tests are written here from a default image through
// the data file's own writer; damaged and other files are small text edits
// of such a file. ReadFileLines is an independent reader of what a file
// holds (records, coverage, digest) that the tests judge the writer by.
#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QList>
#include <map>
#include <string>
#include <vector>

#include "core/indEnviron.h"
#include "model/DefaultImage.h"
#include "model/InitialImage.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"
#include "resources/text/TextTables.h"
#include "sheet/cuiMenu.h"
#include "sheet/cuiToolBar.h"
#include "support/ScriptedFileDialogs.h"
#include "tests/app/MainWindowRig.h"

namespace kwtest {

inline constexpr std::uint32_t kRigDestination = 5;

// The program's English table.
inline std::vector<std::string> DocumentRigLines() { return RealTableLines(); }

class DocumentRig : public MainWindowRig {
 public:
  DocumentRig() : MainWindowRig(DocumentRigLines) {
    env->EtcData = dst_EtcData{kRigDestination, 1, 0, 0};
    env->SetupDone = 1;
  }

  // The window is shown once built.
  void Build() {
    MainWindowRig::Build();
    window->show();
    QApplication::processEvents();
  }

  // Presses the menu item (or, with toolBar, the tool-bar button) of a
  // cell, as a click does.
  void Press(int cellId, bool toolBar = false) {
    QAction* action = toolBar ? window->Buttons()->FindButtonByCellId(cellId)
                              : window->Menu()->FindItemByCellId(cellId);
    ASSERT_NE(action, nullptr) << "no action for cell " << cellId;
    action->trigger();
  }

  std::string Path(const std::string& name) const { return dir_.FileStd(name); }

  ScriptedFileDialogs dialogs;
};

// --- data files ------------------------------------------------------------

// The default image of a destination as a full revision-3 image.
inline cmcEeprom DefaultDocumentImage(int destination) {
  return FullImageFromDefault(BuildDefaultImage(destination));
}

// An image converted to a revision (full size; revision 3 is a copy).
inline cmcEeprom AtRevision(const cmcEeprom& image3, int revision) {
  cmcEeprom out;
  MemMapConvertImage(out, image3, revision, 3);
  return out;
}

// Writes a data file of the revision with the data file's own writer:
// header 3484 0001, 32 bytes a record, the revision's blocks.
inline bool WriteFixtureFile(const std::string& path, const cmcEeprom& image3, int revision,
                             const dst_EtcData& destination) {
  cmcEeprom image = AtRevision(image3, revision);
  cmcIcfFile file;
  file.SetImage(&image);
  file.SetModel(0x3484);
  file.SetSubCode(1);
  file.SetBytesPerLine(32);
  file.SetCheckKey(true, "712059386241");
  file.SetMapRev(revision);
  file.SetEtcData(indEnviron::EncodeEtcData(destination));
  file.SetComment("FIXTURE");
  return file.Write(path, MemMapRevisionOf(revision).MemMapBlockList()) == 0;
}

inline QByteArray ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const std::string& path, const QByteArray& bytes) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes) == bytes.size();
}

// A copy of a file with the first occurrence of `from` replaced.
inline bool EditFile(const std::string& from, const std::string& to, const QByteArray& what,
                     const QByteArray& with) {
  QByteArray bytes = ReadAll(from);
  const qsizetype at = bytes.indexOf(what);
  if (at < 0) return false;
  bytes.replace(at, what.size(), with);
  return WriteAll(to, bytes);
}

// What a data file holds, read without the program's reader.
struct FileContent {
  std::vector<std::string> heads;       // header and "#" lines, in order
  std::vector<std::string> recordHeads;  // the first 10 characters of each record
  std::map<std::int64_t, std::uint8_t> bytes;  // address -> byte
  bool wellFormed = true;
  bool digestMatches = false;  // the "#CD=" line equals the MD5 of key and records
  bool hasDigest = false;
  std::uint8_t ByteAt(std::int64_t address) const {
    const auto it = bytes.find(address);
    return it == bytes.end() ? 0 : it->second;
  }
};

inline FileContent ReadFileLines(const std::string& path, const QByteArray& keyHex) {
  FileContent content;
  QCryptographicHash md5(QCryptographicHash::Md5);
  md5.addData(QByteArray::fromHex(keyHex));
  const QList<QByteArray> lines = ReadAll(path).split('\n');
  for (QByteArray line : lines) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    if (content.heads.empty() || line.startsWith('#')) {
      if (line.startsWith("#CD=")) {
        content.hasDigest = true;
        content.digestMatches = md5.result().toHex().toUpper() == line.mid(4);
      }
      content.heads.push_back(line.toStdString());
      continue;
    }
    const QByteArray raw = QByteArray::fromHex(line);
    if (raw.size() < 6 || raw.size() * 2 != line.size() ||
        static_cast<std::uint8_t>(raw[4]) != raw.size() - 5) {
      content.wellFormed = false;
      continue;
    }
    md5.addData(raw);
    content.recordHeads.push_back(line.left(10).toStdString());
    const std::int64_t address = (static_cast<std::int64_t>(static_cast<std::uint8_t>(raw[0])) << 24) |
                                 (static_cast<std::uint8_t>(raw[1]) << 16) |
                                 (static_cast<std::uint8_t>(raw[2]) << 8) |
                                 static_cast<std::uint8_t>(raw[3]);
    for (int i = 5; i < raw.size(); ++i)
      content.bytes[address + i - 5] = static_cast<std::uint8_t>(raw[i]);
  }
  return content;
}

// Whether the file's records cover exactly 0..last.
inline bool CoversExactly(const FileContent& content, std::int64_t last) {
  return static_cast<std::int64_t>(content.bytes.size()) == last + 1 &&
         content.bytes.begin()->first == 0 && content.bytes.rbegin()->first == last;
}

}  // namespace kwtest
