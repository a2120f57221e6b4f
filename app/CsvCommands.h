#pragma once
// The CSV commands of the File menu, on the list behind the open sheet:
// export writes it to a file the user names; import reads a file the user
// names into it after the user agreed, then reports what was stored,
// discarded, corrected or did not fit. A file that cannot be read or is not
// a list of the sheet's kind changes nothing. The menu cells reach them
// through the main controller (cuiMain::ExportCsvFile, ImportCsvFile,
// UpdateCsvMenuState); the result boxes are ShowCsvImportResult's.
#include <string>

class QObject;
class cmcGTex;
struct CsvImportResult;

// The boxes after an import, in order: no data alone when nothing was
// stored, else overflow, discarded and corrected as they apply. Grouped
// lists (GPS memory, repeaters, your call signs) take their own texts.
void ShowCsvImportResult(QObject* owner, cmcGTex& texts, const CsvImportResult& result);
