#include "app/PortItemDelegate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <algorithm>
#include <charconv>

#include "platform/PortTable.h"

namespace {

// The port number of an item: a decimal, or an alias such as "COM7"; 0 for
// anything else.
int PortOfItem(const QString& text) {
  const std::string trimmed = text.trimmed().toStdString();
  int port = 0;
  const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), port);
  if (error == std::errc() && end == trimmed.data() + trimmed.size())
    return port >= 1 && port <= platform::PortTable::kMaxPort ? port : 0;
  return platform::PortTable::PortOfEntryName(trimmed);
}

// Room beside an item's text for the list's margins and scroll bar.
constexpr int kListMargin = 40;

}  // namespace

PortItemDelegate* PortItemDelegate::Install(QComboBox* box, const platform::SettingsStore* store) {
  auto* delegate = new PortItemDelegate(box, store);
  box->setItemDelegate(delegate);
  delegate->view_ = box->view();
  delegate->view_->installEventFilter(delegate);
  delegate->Refresh();
  return delegate;
}

PortItemDelegate::PortItemDelegate(QComboBox* box, const platform::SettingsStore* store)
    : QStyledItemDelegate(box),
      box_(box),
      store_(store),
      sourceFn_([] { return platform::SystemPortSources(); }) {}

void PortItemDelegate::SetSources(SourceFn sources) {
  sourceFn_ = std::move(sources);
  Refresh();
}

void PortItemDelegate::Refresh() {
  sources_ = sourceFn_ ? sourceFn_() : platform::PortSources{};
  lines_.clear();
  // The list is as wide as its longest line, however narrow the box.
  int widest = 0;
  const QFontMetrics metrics(box_->view()->font());
  for (int i = 0; i < box_->count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(ItemText(box_->itemText(i))));
  box_->view()->setMinimumWidth(widest > 0 ? widest + kListMargin : 0);
}

QString PortItemDelegate::ItemText(const QString& itemText) const {
  const int port = PortOfItem(itemText);
  if (port == 0) return itemText;
  auto found = lines_.find(port);
  if (found == lines_.end()) {
    const std::string line =
        platform::PortItemText(platform::DescribePort(port, store_, sources_));
    found = lines_.emplace(port, QString::fromStdString(line)).first;
  }
  return found->second;
}

QString PortItemDelegate::displayText(const QVariant& value, const QLocale& locale) const {
  if (value.typeId() == QMetaType::QString) return ItemText(value.toString());
  return QStyledItemDelegate::displayText(value, locale);
}

bool PortItemDelegate::eventFilter(QObject* watched, QEvent* event) {
  // The type first: while the box goes, its list still reports events, and
  // the box must not be asked anything then.
  if (event->type() == QEvent::Show && watched == view_) Refresh();
  return QStyledItemDelegate::eventFilter(watched, event);
}
