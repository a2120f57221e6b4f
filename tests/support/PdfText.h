#pragma once
// What a PDF file holds, read with poppler's pdfinfo and pdftotext: its
// page count and the text of one page or of every page. -1 and an empty
// text when the file is missing or not a PDF.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace kwtest {

inline int PdfPageCount(const QString& path) {
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {path});
  if (!info.waitForFinished(60000) || info.exitCode() != 0) return -1;
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
          .match(out);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Page numbers count from 1.
inline QString PdfPageText(const QString& path, int page) {
  QProcess text;
  text.start(QStringLiteral("pdftotext"),
             {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
              QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
  if (!text.waitForFinished(60000) || text.exitCode() != 0) return {};
  return QString::fromUtf8(text.readAllStandardOutput());
}

// The texts of all pages in order, read in one run (pdftotext ends each
// page with a form feed); empty when the file is missing or not a PDF.
inline QStringList PdfPageTexts(const QString& path) {
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!text.waitForFinished(60000) || text.exitCode() != 0) return {};
  QString all = QString::fromUtf8(text.readAllStandardOutput());
  if (all.endsWith(QLatin1Char('\f'))) all.chop(1);
  return all.isEmpty() ? QStringList() : all.split(QLatin1Char('\f'));
}

// The words of a page's text (split at white space).
inline QStringList PdfPageWords(const QString& path, int page) {
  return PdfPageText(path, page).split(QRegularExpression(QStringLiteral("\\s+")),
                                       Qt::SkipEmptyParts);
}

}  // namespace kwtest
