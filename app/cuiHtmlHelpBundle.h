#pragma once
// A help "file" on this platform: a folder of HTML pages named like the help
// file ("KW3700_ENG.chm"), holding index.html (the default topic) and
// contexts.txt, whose lines map a context number to a page and anchor:
//   12<TAB>memory-channels.html#frequency
// Lines that do not have that form are skipped.
#include <QString>
#include <QUrl>
#include <map>
#include <optional>

class cuiHtmlHelpBundle {
 public:
  static constexpr const char* kIndexPage = "index.html";
  static constexpr const char* kContextFile = "contexts.txt";

  // Reads the bundle at `folder`; false when the folder, its index.html or its
  // contexts.txt is missing (the help file is "not found").
  bool Open(const QString& folder);

  // The bundle folder (canonical, without a trailing slash); empty until Open.
  const QString& Folder() const { return folder_; }
  QUrl IndexUrl() const;

  // The page and anchor of a context, when the map has a row for it and the
  // page exists inside the bundle; nothing otherwise.
  std::optional<QUrl> ContextUrl(int context) const;

  // True for a local file inside the bundle folder (after resolving "..",
  // symbolic links included). Links to anything else are not followed.
  bool Contains(const QUrl& url) const;

  // The raw rows of contexts.txt as read (number to "page#anchor").
  const std::map<int, QString>& Contexts() const { return contexts_; }

  // Parses the text of a contexts.txt; unparsable lines are skipped, and a
  // later row for the same number replaces an earlier one.
  static std::map<int, QString> ParseContexts(const QByteArray& text);

 private:
  QString folder_;
  std::map<int, QString> contexts_;
};
