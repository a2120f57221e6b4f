#include "tests/gui/LayoutCheck.h"

#include <QRegularExpression>
#include <cstdlib>

namespace layoutcheck {
namespace {

const char* const kNames[] = {"window", "menubar", "toolbar", "tree", "sheet", "statusbar"};
const char* const kDrawn[] = {"menubar", "toolbar", "tree", "sheet"};

QString Describe(const QRect& r) {
  return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

bool OneColour(const QImage& shot, const QRect& r) {
  const QRect area = r.intersected(shot.rect());
  if (area.isEmpty()) return true;
  const QRgb first = shot.pixel(area.topLeft()) & 0xFFFFFF;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if ((shot.pixel(x, y) & 0xFFFFFF) != first) return false;
  return true;
}

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= kColourTolerance &&
         std::abs(qGreen(a) - qGreen(b)) <= kColourTolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= kColourTolerance;
}

bool Shows(const QImage& shot, const QRect& r, QRgb colour) {
  const QRect area = r.intersected(shot.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (Near(shot.pixel(x, y), colour)) return true;
  return false;
}

}  // namespace

std::map<QString, QRect> ReadDump(const QString& text, QStringList& errors) {
  static const QRegularExpression line(
      QStringLiteral("^(\\w+) (-?\\d+) (-?\\d+) (-?\\d+) (-?\\d+)$"));
  std::map<QString, QRect> rects;
  int number = 0;
  for (const QString& raw : text.split(QLatin1Char('\n'))) {
    ++number;
    const QString l = raw.trimmed();
    if (l.isEmpty()) continue;
    const QRegularExpressionMatch m = line.match(l);
    if (!m.hasMatch()) {
      errors << QStringLiteral("dump line %1 is not \"<name> <x> <y> <w> <h>\": %2")
                    .arg(number)
                    .arg(l);
      continue;
    }
    if (rects.count(m.captured(1)))
      errors << QStringLiteral("%1 is given twice").arg(m.captured(1));
    rects[m.captured(1)] = QRect(m.captured(2).toInt(), m.captured(3).toInt(),
                                 m.captured(4).toInt(), m.captured(5).toInt());
  }
  return rects;
}

std::optional<Page> PageNamed(const QString& name) {
  if (name == QLatin1String("start")) return Page::Start;
  if (name == QLatin1String("list")) return Page::List;
  if (name == QLatin1String("memory")) return Page::Memory;
  if (name == QLatin1String("settings")) return Page::Settings;
  return std::nullopt;
}

QStringList Check(const QImage& shot, const QString& dump, Page page) {
  QStringList errors;
  if (shot.isNull()) return {QStringLiteral("the screen shot is empty or unreadable")};
  const QImage image = shot.convertToFormat(QImage::Format_RGB32);
  const std::map<QString, QRect> rects = ReadDump(dump, errors);
  for (const char* name : kNames)
    if (!rects.count(QLatin1String(name))) errors << QStringLiteral("%1 is missing").arg(name);
  if (!errors.isEmpty()) return errors;

  const QRect window = rects.at(QStringLiteral("window"));
  for (const auto& [name, r] : rects) {
    if (r.isEmpty())
      errors << QStringLiteral("%1 is empty (%2)").arg(name, Describe(r));
    else if (name == QLatin1String("window") && !image.rect().contains(r))
      errors << QStringLiteral("the window (%1) is not inside the screen (%2)")
                    .arg(Describe(r), Describe(image.rect()));
    else if (name != QLatin1String("window") && !window.contains(r))
      errors << QStringLiteral("%1 (%2) is not inside the window (%3)")
                    .arg(name, Describe(r), Describe(window));
  }
  if (!errors.isEmpty()) return errors;

  for (const char* name : kDrawn)
    if (OneColour(image, rects.at(QLatin1String(name))))
      errors << QStringLiteral("%1 is one colour: nothing is drawn there").arg(name);
  const QRect sheet = rects.at(QStringLiteral("sheet"));
  if (!Shows(image, sheet, kTopPageGreen))
    errors << QStringLiteral("the sheet does not show the start page's green");
  if (page != Page::Start) {
    const auto title = rects.find(QStringLiteral("title"));
    if (title == rects.end()) {
      errors << QStringLiteral("the page has no title line");
    } else {
      if (!sheet.contains(title->second))
        errors << QStringLiteral("the title line is not on the sheet");
      if (!Shows(image, title->second, kTitleNavy))
        errors << QStringLiteral("the title line is not navy");
      if (!Shows(image, title->second, kTitleYellow))
        errors << QStringLiteral("the title line shows no yellow text");
    }
  }
  const struct {
    Page page;
    QRgb colour;
    const char* what;
  } kPageColours[] = {
      {Page::Memory, kHeaderGreen, "green group headers"},
      {Page::Memory, kHeaderGray, "grey column headers"},
      {Page::Memory, kLabelOlive, "olive channel numbers"},
      {Page::Settings, kHeaderGreen, "green section headings"},
      {Page::Settings, kHeaderGray, "grey item labels"},
  };
  for (const auto& want : kPageColours)
    if (want.page == page && !Shows(image, sheet, want.colour))
      errors << QStringLiteral("the sheet shows no %1").arg(QLatin1String(want.what));

  const QRect status = rects.at(QStringLiteral("statusbar"));
  if (window.bottom() - status.bottom() > kBottomSlack)
    errors << QStringLiteral("the status bar (%1) is not at the bottom of the window (%2)")
                  .arg(Describe(status), Describe(window));
  for (const char* name : kDrawn)
    if (rects.at(QLatin1String(name)).bottom() >= status.top())
      errors << QStringLiteral("%1 reaches into the status bar").arg(name);
  return errors;
}

std::optional<Marks> MarksNamed(const QString& name) {
  if (name == QLatin1String("marked")) return Marks::Warning;
  if (name == QLatin1String("unmarked")) return Marks::None;
  return std::nullopt;
}

QStringList CheckMarks(const QImage& shot, const QString& dump, Marks marks) {
  QStringList errors;
  if (shot.isNull()) return {QStringLiteral("the screen shot is empty or unreadable")};
  const std::map<QString, QRect> rects = ReadDump(dump, errors);
  const auto tree = rects.find(QStringLiteral("tree"));
  if (tree == rects.end()) errors << QStringLiteral("tree is missing");
  if (!errors.isEmpty() || marks == Marks::Any) return errors;
  const bool shown =
      Shows(shot.convertToFormat(QImage::Format_RGB32), tree->second, kWarningYellow);
  if (marks == Marks::Warning && !shown)
    errors << QStringLiteral("the tree shows no warning mark");
  if (marks == Marks::None && shown) errors << QStringLiteral("the tree shows a warning mark");
  return errors;
}

}  // namespace layoutcheck
