#include "app/DvListBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "app/DvFormKit.h"

namespace {

constexpr int kTextInset = 3;

// Paints an entry by the dialogs' rules, from the list's palette.
class DvItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QWidget* list = option.widget;
    const QPalette& palette = option.palette;
    const bool enabled = option.state.testFlag(QStyle::State_Enabled);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool listFocus = list && list->hasFocus();
    QColor back = palette.color(QPalette::Active, QPalette::Base);
    QColor text = palette.color(QPalette::Active, QPalette::Text);
    if (!enabled) {
      back = palette.color(QPalette::Active, QPalette::Button);
      text = palette.color(QPalette::Disabled, QPalette::Text);
    } else if (selected && listFocus && option.state.testFlag(QStyle::State_HasFocus)) {
      back = palette.color(QPalette::Active, QPalette::Highlight);
      text = palette.color(QPalette::Active, QPalette::HighlightedText);
    } else if (selected && !listFocus) {
      back = palette.color(QPalette::Active, QPalette::Button);
      text = palette.color(QPalette::Active, QPalette::WindowText);
    }
    painter->save();
    painter->fillRect(option.rect, back);
    painter->setPen(text);
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(kTextInset, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }
};

}  // namespace

DvListBox::DvListBox(QWidget* parent, int itemHeight)
    : QListWidget(parent), itemHeight_(itemHeight) {
  setItemDelegate(new DvItemDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setUniformItemSizes(true);
  setTextElideMode(Qt::ElideNone);
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!showing_ && row >= 0 && onRow) onRow(row);
  });
  connect(this, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
    if (!showing_ && item && onRow) onRow(row(item));
  });
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (!showing_ && item && onDoubleClick) onDoubleClick(row(item));
  });
}

void DvListBox::Show(const QStringList& texts, int selected, int widthHint) {
  showing_ = true;
  if (texts != texts_ || (count() > 0 && item(0)->sizeHint().width() != widthHint)) {
    clear();
    for (const QString& text : texts) {
      auto* entry = new QListWidgetItem(text, this);
      entry->setSizeHint(QSize(widthHint, itemHeight_));
    }
    texts_ = texts;
  }
  if (selected >= 0 && selected < count()) {
    setCurrentRow(selected);
    scrollToItem(item(selected));
  } else {
    setCurrentRow(-1);
    clearSelection();
  }
  showing_ = false;
}

void DvListBox::SetGrey(bool grey) {
  dvform::SetBackground(this, grey ? QPalette::Button : QPalette::Base);
}

void DvListBox::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) &&
      event->modifiers() == Qt::NoModifier) {
    if (onSideKey) onSideKey(event->key() == Qt::Key_Right ? +1 : -1);
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}
