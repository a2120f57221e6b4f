#pragma once
// A list of the DV call-sign dialogs: one line per entry at a fixed height,
// drawn by the dialogs' own rules (the selected entry in the highlight
// colours while the list has the focus, on the button face while another
// list has it; a list that offers nothing on the button face in grey text).
// It only shows what it is given and reports what the user does: a row
// moved to (click or arrow keys), a double click, and Left or Right as a
// wish to move to the next list.
#include <QListWidget>
#include <QStringList>
#include <functional>

class DvListBox : public QListWidget {
 public:
  DvListBox(QWidget* parent, int itemHeight);

  // Replaces the entries (only when they differ) and the selection; rows
  // are `widthHint` wide (0: the list's width). Reports nothing.
  void Show(const QStringList& texts, int selected, int widthHint);
  // The button face instead of the window colour behind the entries.
  void SetGrey(bool grey);

  std::function<void(int row)> onRow;
  std::function<void(int row)> onDoubleClick;
  std::function<void(int direction)> onSideKey;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int itemHeight_;
  bool showing_ = false;
  QStringList texts_;
};
