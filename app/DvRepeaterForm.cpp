#include "app/DvRepeaterForm.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

#include "app/DvCallSignPicker.h"
#include "app/DvFormKit.h"
#include "app/DvListBox.h"
#include "app/DvRouteEditor.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"

namespace {

using dvform::kButtonWidth;
using dvform::kFrameInset;
using dvform::kListHeight;
using dvform::TableText;
constexpr char kLabelKey[] = "GI_AppInd_Call_Sign_DR_Label";
constexpr char kButtonKey[] = "GI_AppInd_Call_Sign_Setting_Buttons";
constexpr char kCaptionKey[] = "GI_AppInd_Call_Sign_DR_Caption";

// Labels of kLabelKey.
enum RouteLabel {
  kLabelCalled = 0,
  kLabelSelect = 1,
  kLabelYour = 2,
  kLabelCallSigns = 5,
  kLabelAccess = 6,
  kLabelCallSetting = 7,
  kLabelGatewayAuto = 8,
};

template <std::size_t N>
QString FieldText(const datText<N>& field) {
  std::string_view text(field.data(), N);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return platform::Cp932ToUnicode(text);
}

QString BytesText(const std::string& bytes) { return platform::Cp932ToUnicode(bytes); }

// The called edit holds what reads back within 16 bytes.
class CalledTextLimit : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const QString limited = LimitCalledText(input);
    if (limited != input) {
      input = limited;
      pos = std::min(pos, static_cast<int>(input.size()));
    }
    return Acceptable;
  }
};

// A read-only text the user never tabs to.
QLineEdit* ShowOnlyEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::NoFocus);
  return edit;
}

}  // namespace

DvRepeaterForm::DvRepeaterForm(QWidget* parent, DvRouteEditor& editor, cmcGTex& texts,
                               Chooser chooser, Rpt2Chooser rpt2Chooser,
                               std::function<void()> onShow)
    : QDialog(parent),
      editor_(editor),
      texts_(texts),
      chooser_(std::move(chooser)),
      rpt2Chooser_(std::move(rpt2Chooser)),
      onShow_(std::move(onShow)) {
  dvform::SetUpForm(*this, "DvRepeaterForm", texts_, kCaptionKey, 0);

  const QFontMetrics metrics(font());
  const int u = metrics.height();
  const int w = metrics.horizontalAdvance(QLatin1Char('W'));
  const int editWidth = 12 * w;
  const int buttonWidth = metrics.horizontalAdvance(QStringLiteral("...")) + u;
  const int buttonHeight = (3 * u) / 2;
  // A line edit needs room for its frame around the text.
  const int editHeight = std::max(u, QLineEdit().sizeHint().height());
  const int rowTop = 3 * u;
  const int groupHeight = rowTop + std::max(editHeight, buttonHeight) + (3 * u) / 2;
  const int labelAbove = (6 * u) / 5;

  // Top panel: the access repeater, then the call setting.
  auto* accessGroup = new QGroupBox(TableText(texts_, kLabelKey, kLabelAccess), this);
  access_ = ShowOnlyEdit(accessGroup);
  access_->setObjectName(QStringLiteral("access"));
  access_->setGeometry(u, rowTop + (buttonHeight - editHeight) / 2, editWidth, editHeight);
  accessButton_ = new QPushButton(QStringLiteral("..."), accessGroup);
  accessButton_->setObjectName(QStringLiteral("accessButton"));
  accessButton_->setGeometry(u + editWidth + u / 2, rowTop, buttonWidth, buttonHeight);
  const int accessWidth = editWidth + buttonWidth + (5 * u) / 2;
  accessGroup->setGeometry(u, u, accessWidth, groupHeight);

  callSetting_ = new QGroupBox(TableText(texts_, kLabelKey, kLabelCallSetting), this);
  auto* calledLabel = new QLabel(TableText(texts_, kLabelKey, kLabelCalled), callSetting_);
  calledLabel->setGeometry(u, rowTop - labelAbove, editWidth, u);
  called_ = new QLineEdit(callSetting_);
  called_->setObjectName(QStringLiteral("called"));
  called_->setValidator(new CalledTextLimit(called_));
  called_->setGeometry(u, rowTop, editWidth, buttonHeight);
  calledButton_ = new QPushButton(QStringLiteral("..."), callSetting_);
  calledButton_->setObjectName(QStringLiteral("calledButton"));
  calledButton_->setGeometry(u + editWidth + u / 2, rowTop, buttonWidth, buttonHeight);
  const int selectLeft = calledButton_->geometry().right() + 1 + u;
  auto* selectLabel = new QLabel(TableText(texts_, kLabelKey, kLabelSelect), callSetting_);
  selectLabel->setGeometry(selectLeft, rowTop - labelAbove, editWidth, u);
  select_ = ShowOnlyEdit(callSetting_);
  select_->setObjectName(QStringLiteral("select"));
  select_->setGeometry(selectLeft, rowTop + (buttonHeight - editHeight) / 2, editWidth, editHeight);
  selectButton_ = new QPushButton(QStringLiteral("..."), callSetting_);
  selectButton_->setObjectName(QStringLiteral("selectButton"));
  selectButton_->setGeometry(selectLeft + editWidth + u / 2, rowTop, buttonWidth, buttonHeight);
  const int callSettingWidth = selectButton_->geometry().right() + 1 + u;
  callSetting_->setGeometry(u + accessWidth + u / 2, u, callSettingWidth, groupHeight);
  const int topPanelHeight = u + groupHeight;

  // Client panel: the call signs the route gives.
  const int callSignWidth = accessWidth + u / 2 + callSettingWidth;
  auto* callSigns = new QGroupBox(TableText(texts_, kLabelKey, kLabelCallSigns), this);
  const int margin = u;
  const int boxWidth = (callSignWidth - 2 * margin - 4 * u) / 3;
  static const char* const kBoxNames[] = {"ur", "rpt1", "rpt2"};
  for (int k = 0; k < 3; ++k) {
    const int x = margin + k * (boxWidth + 2 * u);
    auto* label = new QLabel(TableText(texts_, kLabelKey, kLabelYour + k), callSigns);
    label->setGeometry(x, rowTop - labelAbove, boxWidth, u);
    // Shown only, on the button face; not greyed out, so that they read well.
    auto* box = ShowOnlyEdit(callSigns);
    box->setObjectName(QLatin1String(kBoxNames[k]));
    dvform::SetBackground(box, QPalette::Button);
    box->setGeometry(x, rowTop + (buttonHeight - editHeight) / 2, boxWidth, editHeight);
    boxes_[k] = box;
  }
  callSigns->setGeometry(u, topPanelHeight + u / 2, callSignWidth, groupHeight);

  // Bottom panel: the hidden "Gateway Auto Set", OK and Cancel.
  const int bottomTop = 2 * topPanelHeight;
  const int formButtonHeight = 2 * u;
  auto* gatewayAuto = new QCheckBox(TableText(texts_, kLabelKey, kLabelGatewayAuto), this);
  gatewayAuto->setChecked(true);
  gatewayAuto->setEnabled(false);
  gatewayAuto->hide();
  gatewayAuto->setGeometry(u, bottomTop, callSignWidth / 2, formButtonHeight);
  cancel_ = new QPushButton(TableText(texts_, kButtonKey, 1), this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  const int groupRight = u + callSignWidth;
  cancel_->setGeometry(groupRight - u - kButtonWidth, bottomTop, kButtonWidth, formButtonHeight);
  ok_ = new QPushButton(TableText(texts_, kButtonKey, 0), this);
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setDefault(true);
  ok_->setGeometry(cancel_->x() - u - kButtonWidth, bottomTop, kButtonWidth, formButtonHeight);
  setFixedSize(callSignWidth + 2 * u, bottomTop + formButtonHeight + u);

  setTabOrder(accessButton_, called_);
  setTabOrder(called_, calledButton_);
  setTabOrder(calledButton_, selectButton_);
  setTabOrder(selectButton_, ok_);
  setTabOrder(ok_, cancel_);

  connect(accessButton_, &QPushButton::clicked, this, [this] { ChooseAccess(); });
  connect(calledButton_, &QPushButton::clicked, this, [this] { ChooseCalled(); });
  connect(selectButton_, &QPushButton::clicked, this, [this] { SelectRpt2(); });
  // Only the user's own typing counts: texts the form sets are not read back.
  connect(called_, &QLineEdit::textEdited, this, [this](const QString& text) {
    editor_.TypeCalled(ReadBackName16(text));
    Render();
  });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  Render();
}

void DvRepeaterForm::Render() {
  access_->setText(BytesText(editor_.AccessText()));
  if (editor_.CalledRevision() != calledRevision_) {
    calledRevision_ = editor_.CalledRevision();
    called_->setText(LimitCalledText(BytesText(editor_.CalledText())));
  }
  select_->setText(BytesText(editor_.SelectText()));
  select_->setEnabled(editor_.SelectEnabled());
  selectButton_->setEnabled(editor_.SelectEnabled());
  dvform::SetBackground(select_, editor_.SelectEnabled() ? QPalette::Base : QPalette::Button);
  boxes_[0]->setText(FieldText(editor_.Ur()));
  boxes_[1]->setText(FieldText(editor_.Rpt1()));
  boxes_[2]->setText(FieldText(editor_.Rpt2()));
}

void DvRepeaterForm::ChooseAccess() {
  RouteName name = editor_.AccessName();
  const QPoint at = access_->mapToGlobal(QPoint(0, 2 * access_->height()));
  if (!chooser_ || !chooser_(dvpick::kKindAccess, name, at)) return;
  editor_.ChooseAccess(name);
  Render();
}

void DvRepeaterForm::ChooseCalled() {
  RouteName name = editor_.DestName();
  const QPoint at(callSetting_->mapToGlobal(QPoint(0, 0)).x(),
                  called_->mapToGlobal(QPoint(0, 2 * called_->height())).y());
  if (!chooser_ || !chooser_(dvpick::kKindCalled, name, at)) return;
  editor_.ChooseCalled(name);
  Render();
}

void DvRepeaterForm::SelectRpt2() {
  QStringList choices;
  for (const Rpt2Choice& choice : editor_.Choices()) {
    std::string_view text(choice.text);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    choices << (choice.mode == kRpt2NamedRpt ? platform::Cp932ToUnicode(text)
                                             : ToDisplayText(text));
  }
  if (!rpt2Chooser_) return;
  const int row = rpt2Chooser_(choices, editor_.Rpt2Selected(),
                               select_->mapToGlobal(QPoint(0, select_->height())));
  // The route follows at once, not through the select edit's change.
  if (editor_.PickRpt2(row)) Render();
}

void DvRepeaterForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (onShow_) onShow_();
  cancel_->setFocus(Qt::OtherFocusReason);
}

DvRepeaterSelectForm::DvRepeaterSelectForm(QWidget* parent, const QStringList& choices,
                                           int selected, cmcGTex& texts,
                                           std::function<void()> onShow)
    : QDialog(parent), onShow_(std::move(onShow)) {
  dvform::SetUpForm(*this, "DvRepeaterSelectForm", texts, kCaptionKey, 3);
  const QFontMetrics metrics(font());
  const int u = metrics.height();
  const int listWidth = 20 * metrics.horizontalAdvance(QLatin1Char('W'));

  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  list_ = new DvListBox(frame, u + 2);
  list_->setObjectName(QStringLiteral("choices"));
  list_->setGeometry(u, u, listWidth, kListHeight);
  list_->Show(choices, selected, 0);
  list_->SetGrey(false);
  list_->onDoubleClick = [this](int) { accept(); };
  frame->setGeometry(kFrameInset, kFrameInset, listWidth + 2 * u, kListHeight + 2 * u);

  const int buttonTop = frame->height() + u;
  auto* cancel = new QPushButton(TableText(texts, kButtonKey, 1), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setGeometry(kFrameInset + frame->width() - u - kButtonWidth, buttonTop, kButtonWidth,
                      2 * u);
  auto* ok = new QPushButton(TableText(texts, kButtonKey, 0), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  ok->setGeometry(cancel->x() - u - kButtonWidth, buttonTop, kButtonWidth, 2 * u);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  setFixedSize(frame->width() + 2 * kFrameInset, buttonTop + 2 * u + u / 2);
}

int DvRepeaterSelectForm::Selected() const {
  const QList<QListWidgetItem*> chosen = list_->selectedItems();
  return chosen.isEmpty() ? -1 : list_->row(chosen.front());
}

void DvRepeaterSelectForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (onShow_) onShow_();
  list_->setFocus(Qt::OtherFocusReason);
}
