// kw-test: gui
// The real-window checker on synthetic shots and dumps: a sound layout
// passes, and each fault it exists to catch is reported.
#include "tests/gui/LayoutCheck.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRegularExpression>
#include <functional>

namespace {

// A 400 x 300 screen with a window at (20, 10) 300 x 260: menu bar, tool
// bar, tree and sheet each with something drawn, the sheet with the start
// page's green, the status bar along the bottom.
struct Layout {
  QRect window{20, 10, 300, 260};
  QRect menubar{20, 10, 300, 20};
  QRect toolbar{20, 30, 300, 24};
  QRect tree{20, 54, 100, 196};
  QRect sheet{123, 54, 197, 196};
  QRect statusbar{20, 250, 300, 20};
  QRgb green = 0x008000;
  bool drawTree = true;

  QString Dump() const {
    QString out;
    const std::pair<const char*, QRect> rects[] = {{"window", window},   {"menubar", menubar},
                                                   {"toolbar", toolbar}, {"tree", tree},
                                                   {"sheet", sheet},     {"statusbar", statusbar}};
    for (const auto& [name, r] : rects)
      out += QStringLiteral("%1 %2 %3 %4 %5\n")
                 .arg(QLatin1String(name))
                 .arg(r.x())
                 .arg(r.y())
                 .arg(r.width())
                 .arg(r.height());
    return out;
  }

  QImage Shot() const {
    QImage shot(400, 300, QImage::Format_RGB32);
    shot.fill(Qt::black);
    QPainter p(&shot);
    p.fillRect(QRect(20, 10, 300, 260), QColor(0xEF, 0xEF, 0xEF));
    p.fillRect(QRect(30, 15, 20, 8), Qt::black);  // a menu title
    p.fillRect(QRect(24, 33, 16, 16), Qt::blue);  // a button
    if (drawTree) p.fillRect(QRect(30, 60, 60, 10), Qt::darkGray);
    p.fillRect(QRect(123, 54, 197, 196), Qt::white);
    p.fillRect(QRect(150, 80, 40, 12), QColor::fromRgb(green));
    return shot;
  }
};

struct Case {
  const char* what;
  std::function<void(Layout&)> change;
  const char* fault;  // a part of the expected report; nullptr: passes
};

TEST(LayoutCheck, PassesASoundLayoutAndReportsEachFault) {
  const Case cases[] = {
      {"sound", [](Layout&) {}, nullptr},
      {"green a little off", [](Layout& l) { l.green = qRgb(10, 0x80 - 10, 10); }, nullptr},
      {"green too far off", [](Layout& l) { l.green = qRgb(11, 0x80, 0); }, "green"},
      {"no green", [](Layout& l) { l.green = qRgb(0, 0, 0x80); }, "green"},
      {"empty tree", [](Layout& l) { l.tree.setWidth(0); }, "tree is empty"},
      {"toolbar outside", [](Layout& l) { l.toolbar.moveLeft(200); }, "toolbar"},
      {"window off screen", [](Layout& l) { l.window.moveLeft(200); }, "not inside the screen"},
      {"blank tree", [](Layout& l) { l.drawTree = false; }, "tree is one colour"},
      {"status bar up high",
       [](Layout& l) {
         l.statusbar.moveTop(200);
         l.tree.setHeight(140);
         l.sheet.setHeight(140);
       },
       "not at the bottom"},
      {"sheet over the status bar", [](Layout& l) { l.sheet.setHeight(200); }, "sheet reaches"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Layout l;
    c.change(l);
    const QStringList errors = layoutcheck::Check(l.Shot(), l.Dump());
    if (!c.fault) {
      EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    } else {
      EXPECT_FALSE(errors.filter(QLatin1String(c.fault)).isEmpty())
          << errors.join('\n').toStdString();
    }
  }
}

TEST(LayoutCheck, ReportsAnUnusableDumpOrShot) {
  Layout l;
  QString dump = l.Dump();
  dump.remove(QRegularExpression(QStringLiteral("statusbar[^\n]*\n")));
  EXPECT_TRUE(layoutcheck::Check(l.Shot(), dump).contains(QStringLiteral("statusbar is missing")));

  const QStringList bad = layoutcheck::Check(l.Shot(), l.Dump() + "sheet 1 2 x 4\n");
  EXPECT_FALSE(bad.filter(QStringLiteral("dump line 7")).isEmpty()) << bad.join('\n').toStdString();

  EXPECT_FALSE(layoutcheck::Check(QImage(), l.Dump()).isEmpty());
  EXPECT_FALSE(layoutcheck::Check(l.Shot(), QString()).isEmpty());
}

// Pages other than the start page: a navy title with yellow text, and the
// colours of a memory-channel or a settings page.
struct PageShot {
  Layout layout;
  QRect title{123, 54, 197, 16};
  bool hasTitle = true;
  QRgb titleBack = layoutcheck::kTitleNavy;
  QRgb titleText = layoutcheck::kTitleYellow;
  std::vector<QRgb> colours;  // drawn on the sheet below the title

  QString Dump() const {
    QString out = layout.Dump();
    if (hasTitle)
      out += QStringLiteral("title %1 %2 %3 %4\n")
                 .arg(title.x())
                 .arg(title.y())
                 .arg(title.width())
                 .arg(title.height());
    return out;
  }
  QImage Shot() const {
    QImage shot = layout.Shot();
    QPainter p(&shot);
    p.fillRect(title, QColor::fromRgb(titleBack));
    p.fillRect(QRect(title.x() + 4, title.y() + 4, 30, 8), QColor::fromRgb(titleText));
    int x = 130;
    for (QRgb c : colours) {
      p.fillRect(QRect(x, 200, 12, 12), QColor::fromRgb(c));
      x += 14;
    }
    return shot;
  }
};

TEST(LayoutCheck, JudgesThePagesColours) {
  using layoutcheck::Page;
  const std::vector<QRgb> memory = {layoutcheck::kHeaderGray, layoutcheck::kLabelOlive};
  const std::vector<QRgb> settings = {layoutcheck::kHeaderGray};
  struct PageCase {
    const char* what;
    Page page;
    std::function<void(PageShot&)> change;
    const char* fault;
  } const cases[] = {
      {"list page", Page::List, [](PageShot&) {}, nullptr},
      {"memory page", Page::Memory, [&](PageShot& s) { s.colours = memory; }, nullptr},
      {"settings page", Page::Settings, [&](PageShot& s) { s.colours = settings; }, nullptr},
      {"no title", Page::List, [](PageShot& s) { s.hasTitle = false; }, "no title line"},
      {"grey title", Page::List, [](PageShot& s) { s.titleBack = 0x808080; }, "not navy"},
      {"white title text", Page::List, [](PageShot& s) { s.titleText = 0xFFFFFF; }, "no yellow"},
      {"memory without olive", Page::Memory,
       [](PageShot& s) { s.colours = {layoutcheck::kHeaderGray}; }, "olive"},
      {"settings without grey", Page::Settings, [](PageShot&) {}, "grey item labels"},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.what);
    PageShot s;
    c.change(s);
    const QStringList errors = layoutcheck::Check(s.Shot(), s.Dump(), c.page);
    if (!c.fault) {
      EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    } else {
      EXPECT_FALSE(errors.filter(QLatin1String(c.fault)).isEmpty())
          << errors.join('\n').toStdString();
    }
  }
  EXPECT_EQ(layoutcheck::PageNamed(QStringLiteral("memory")), Page::Memory);
  EXPECT_EQ(layoutcheck::PageNamed(QStringLiteral("Memory")), std::nullopt);
}

}  // namespace

// The warning mark is found by its yellow inside the tree only: the same
// yellow on the sheet or the tool bar is no mark.
TEST(LayoutCheck, FindsTheTreesWarningMark) {
  struct MarkCase {
    const char* what;
    QRect yellow;  // empty: none drawn
    layoutcheck::Marks asked;
    const char* fault;
  } cases[] = {
      {"none, none asked", {}, layoutcheck::Marks::None, nullptr},
      {"none, a mark asked", {}, layoutcheck::Marks::Warning, "shows no warning mark"},
      {"in the tree, a mark asked", {40, 62, 6, 6}, layoutcheck::Marks::Warning, nullptr},
      {"in the tree, none asked", {40, 62, 6, 6}, layoutcheck::Marks::None, "shows a warning"},
      {"on the sheet only", {200, 100, 6, 6}, layoutcheck::Marks::Warning, "shows no warning"},
      {"in the tree, anything goes", {40, 62, 6, 6}, layoutcheck::Marks::Any, nullptr},
  };
  for (const MarkCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Layout l;
    QImage shot = l.Shot();
    if (!c.yellow.isEmpty()) {
      QPainter p(&shot);
      p.fillRect(c.yellow, QColor::fromRgb(layoutcheck::kWarningYellow));
    }
    const QStringList errors = layoutcheck::CheckMarks(shot, l.Dump(), c.asked);
    if (!c.fault) {
      EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    } else {
      EXPECT_FALSE(errors.filter(QLatin1String(c.fault)).isEmpty())
          << errors.join('\n').toStdString();
    }
  }
}
