// kw_layout_check <shot.png> <dump> [start|list|memory|settings]: judges a
// screen shot of the main window against the rectangles the program wrote,
// for the page it shows (the start page when none is named); prints every
// fault and exits 1 when there is one, 2 on bad arguments.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "tests/gui/LayoutCheck.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  const std::optional<layoutcheck::Page> page =
      args.size() == 4 ? layoutcheck::PageNamed(args[3]) : layoutcheck::Page::Start;
  if (args.size() < 3 || args.size() > 4 || !page) {
    std::fprintf(stderr, "usage: kw_layout_check <shot.png> <dump> [start|list|memory|settings]\n");
    return 2;
  }
  QFile dump(args[2]);
  if (!dump.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "layout check: cannot read %s\n", qPrintable(args[2]));
    return 2;
  }
  const QStringList errors =
      layoutcheck::Check(QImage(args[1]), QString::fromUtf8(dump.readAll()), *page);
  for (const QString& e : errors) std::fprintf(stderr, "layout check: %s\n", qPrintable(e));
  if (!errors.isEmpty()) return 1;
  std::printf("layout check: the main window's layout is sound\n");
  return 0;
}
