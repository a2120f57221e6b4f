// kw_layout_check <shot.png> <dump>: judges a screen shot of the main window
// against the rectangles the program wrote; prints every fault and exits 1
// when there is one, 2 on bad arguments.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "tests/gui/LayoutCheck.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: kw_layout_check <shot.png> <dump>\n");
    return 2;
  }
  QFile dump(args[2]);
  if (!dump.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "layout check: cannot read %s\n", qPrintable(args[2]));
    return 2;
  }
  const QStringList errors = layoutcheck::Check(QImage(args[1]), QString::fromUtf8(dump.readAll()));
  for (const QString& e : errors) std::fprintf(stderr, "layout check: %s\n", qPrintable(e));
  if (!errors.isEmpty()) return 1;
  std::printf("layout check: the main window's layout is sound\n");
  return 0;
}
