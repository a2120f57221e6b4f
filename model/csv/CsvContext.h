#pragma once
// What a CSV export or import needs besides the image: the file's field
// separator and decimal character, the date form, the interface language
// (symbol names and the received-call titles follow it), the option text
// cache (tone texts are matched against the tone list), the event bus and
// the question whether repeaters keep their USE(FROM) setting.
//
// The band plan is the destination in force (indDestination::Current()).
#include <functional>

class cmcEvMan;
class cmcFCache;
class cmcGTex;

struct CsvContext {
  cmcFCache& choices;
  cmcEvMan& bus;
  cmcGTex& texts;           // the interface table: received-call titles
  char separator = ',';     // "," or ";"
  char decimal = '.';       // "." or ","
  int dateOrder = 0;        // 0 yyyy/mm/dd, 1 mm/dd/yyyy, 2 dd/mm/yyyy
  char dateSeparator = '/'; // never the field separator
  bool japanese = false;    // interface language
  // Asked before a repeater import replaces entries: true keeps their
  // USE(FROM) settings. Empty: not kept.
  std::function<bool()> keepUseFrom;
};

// What an import did.
struct CsvImportResult {
  enum class Status {
    kDone,        // rows were read (perhaps none); the image was replaced
    kOpenError,   // the file could not be read: nothing changed
    kHeaderError  // empty, or without the list's key columns: nothing changed
  };
  Status status = Status::kDone;
  bool grouped = false;  // GPS memory, repeaters, your call signs: their messages
  bool noSpace = false;
  int stored = 0;
  int discarded = 0;
  int corrected = 0;
  bool changed = false;  // a byte of the image changed
};
