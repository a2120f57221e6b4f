#pragma once
// Judges a screen shot of the running main window against the rectangles the
// program wrote for it (one line per rectangle, "<name> <x> <y> <w> <h>" in
// screen coordinates, names window, menubar, toolbar, tree, sheet and
// statusbar): every rectangle is non-empty and inside the window (the window
// inside the shot), menu bar, tool bar, tree and sheet are drawn (not one
// colour), the sheet shows the start page's green and the status bar lies at
// the bottom of the window below everything else.
//
// A page other than the start page also has its title line ("title"): navy
// with yellow text. A memory-channel page shows its olive channel numbers,
// grey column headers and green group headers; a settings page its green
// section headings and grey item labels.
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace layoutcheck {

// The rectangles of a dump by name; a malformed line is reported in errors.
std::map<QString, QRect> ReadDump(const QString& text, QStringList& errors);

enum class Page { Start, List, Memory, Settings };
// "start", "list", "memory" or "settings"; none for another name.
std::optional<Page> PageNamed(const QString& name);

// Every fault found, one line each; empty when the shot passes.
QStringList Check(const QImage& shot, const QString& dump, Page page = Page::Start);

// What the tree must show of the warning mark (the yellow triangle over a
// node's picture, or over its collapsed folder's).
enum class Marks { Any, None, Warning };
// "marked" or "unmarked"; none for another name.
std::optional<Marks> MarksNamed(const QString& name);
// The faults of the tree's marks in the shot (the tree's rectangle in the
// dump); empty when they are as asked.
QStringList CheckMarks(const QImage& shot, const QString& dump, Marks marks);

// The start page's product name is drawn in this green.
inline constexpr QRgb kTopPageGreen = 0x008000;
// The warning mark's yellow, found nowhere else in the tree.
inline constexpr QRgb kWarningYellow = 0xF5C21B;
// The pages' colours (RGB).
inline constexpr QRgb kTitleNavy = 0x000080;
inline constexpr QRgb kTitleYellow = 0xFFFF00;
inline constexpr QRgb kHeaderGreen = 0x008000;
inline constexpr QRgb kHeaderGray = 0x808080;
inline constexpr QRgb kLabelOlive = 0x808000;
inline constexpr int kColourTolerance = 10;
// How far the status bar's bottom edge may lie above the window's.
inline constexpr int kBottomSlack = 8;

}  // namespace layoutcheck
