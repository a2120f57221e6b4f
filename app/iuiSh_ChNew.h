#pragma once
// The pages of the packed lists (your-call signs, a repeater group, a GPS
// group): their rows follow the list. The markup's row loop
// (":(LoopFrom)" without a count) becomes one row per entry plus nine empty
// rows below, the first of which is where a new entry is typed; every cell's
// index is offset by the list index of the page's first entry. Only the
// entries' rows take part in line selection.
//
// The page follows its list: when a row was inserted or deleted
// (ev::ListRowInserted, ev::ListRowDeleted) it reads its first index and
// count from the image again and grows or shrinks its cell table, row table
// and grid to match, keeping the nine empty rows; an event that changed
// nothing of its own list (another list's, or a stray one) leaves it as it
// is. When a list changed (ev::ListChanged) the title is made again and the
// title line repaints when it differs. The list-range query
// (ev::QueryListRange) is answered with ListRangeAnswer {group, first,
// count}.
//
// A list page prints only while its list holds an entry. The list classes
// give the list (ReadSpan), its group and the title (BuildTitle), which
// replaces the style's title.
#include <string>
#include <string_view>

#include "app/iuiSh_ColCut.h"

class iuiSh_ChNew : public iuiSh_ColCut {
 public:
  static constexpr int kTrailingRows = 9;

  struct Span {
    int first = 0;
    int count = 0;
  };

  iuiSh_ChNew(QWidget* owner, cmcGTex& texts, std::string key, cuiImageList* images, cuiMain& main);

  int FirstIndex() const { return first_; }
  int Count() const { return count_; }
  int Group() const { return group_; }

  void SetStyleItem(std::string_view item) override;
  void DoCommand(std::string_view item) override;
  void LayoutCells(const std::string& cellsKey) override;
  bool IsPrintable() const override;

  // The page's title (name part, gap, remaining part).
  virtual std::string BuildTitle() const = 0;

 protected:
  // The page's entries in the image as they stand now.
  virtual Span ReadSpan() const = 0;
  // Takes the span as the page's own (before the page is built).
  void TakeSpan(int group);
  void OnPageEvent(const cmcEvent& event) override;

 private:
  // Follows the list after a row was inserted or deleted.
  void Resync();
  // Grows or shrinks the loop to `count` entries plus the empty rows.
  void ResizeLoop(int count);
  // Marks the entries' rows selectable, the others not.
  void MarkEntryRows();
  void RefreshTitle();

  int group_ = 0;
  int first_ = 0;
  int count_ = 0;
  int loopRow_ = -1;  // the loop's first row; -1 without a loop
};
