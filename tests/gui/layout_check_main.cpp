// kw_layout_check <shot.png> <dump> [start|list|memory|settings]
//                 [marked|unmarked]: judges a screen shot of the main window
// against the rectangles the program wrote, for the page it shows (the start
// page when none is named) and, when asked, whether the tree shows a warning
// mark; prints every fault and exits 1 when there is one, 2 on bad
// arguments.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "tests/gui/LayoutCheck.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  const std::optional<layoutcheck::Page> page =
      args.size() >= 4 ? layoutcheck::PageNamed(args[3]) : layoutcheck::Page::Start;
  const std::optional<layoutcheck::Marks> marks =
      args.size() == 5 ? layoutcheck::MarksNamed(args[4]) : layoutcheck::Marks::Any;
  if (args.size() < 3 || args.size() > 5 || !page || !marks) {
    std::fprintf(stderr,
                 "usage: kw_layout_check <shot.png> <dump> [start|list|memory|settings]"
                 " [marked|unmarked]\n");
    return 2;
  }
  QFile dump(args[2]);
  if (!dump.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "layout check: cannot read %s\n", qPrintable(args[2]));
    return 2;
  }
  const QImage shot(args[1]);
  const QString rects = QString::fromUtf8(dump.readAll());
  const QStringList errors =
      layoutcheck::Check(shot, rects, *page) + layoutcheck::CheckMarks(shot, rects, *marks);
  for (const QString& e : errors) std::fprintf(stderr, "layout check: %s\n", qPrintable(e));
  if (!errors.isEmpty()) return 1;
  std::printf("layout check: the main window's layout is sound\n");
  return 0;
}
