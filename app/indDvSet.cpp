#include "app/indDvSet.h"

#include <QDialog>
#include <QPoint>
#include <QStringList>
#include <algorithm>
#include <string>

#include "app/DvCallSignForm.h"
#include "app/DvCallSignPicker.h"
#include "app/DvRepeaterForm.h"
#include "app/DvRouteEditor.h"
#include "app/ModalRunner.h"
#include "core/TextTableChoice.h"
#include "core/WindowPlacement.h"
#include "core/indEnviron.h"
#include "model/datCh.h"
#include "platform/Fatal.h"
#include "platform/Monitors.h"
#include "sheet/FieldDialogFrame.h"
#include "sheet/cmcCellCapsule.h"

namespace {

[[noreturn]] void WrongKind(int kind) {
  platform::Fatal(QStringLiteral("Call sign dialog: kind %1 does not fit its field.").arg(kind));
}

}  // namespace

indDvSet::indDvSet(QWidget* owner, const DocumentContext& document, indEnviron& settings,
                   bool exclusion, std::function<void()> enableHelpWindows)
    : owner_(owner),
      document_(document),
      settings_(settings),
      exclusion_(exclusion),
      enableHelpWindows_(std::move(enableHelpWindows)) {}

bool indDvSet::CallSignSettingDialog(const cmcCellCapsule* capsule, int kind, CallSignField& field,
                                     const CallSignField* second, int left, int top) {
  if (kind < dvpick::kKindUr || kind > dvpick::kKindRpt2) WrongKind(kind);
  return RunSelector(capsule, kind, field, second, nullptr, left, top, owner_);
}

bool indDvSet::CallSignSettingDialog(const cmcCellCapsule* capsule, int kind, RouteName& name,
                                     const RouteName& accessName, int left, int top) {
  if (kind != dvpick::kKindCalled && kind != dvpick::kKindAccess) WrongKind(kind);
  return RunSelector(capsule, kind, name, nullptr, &accessName, left, top, owner_);
}

bool indDvSet::RunSelector(const cmcCellCapsule* capsule, int kind, std::span<char> value,
                           const CallSignField* second, const RouteName* accessName, int left,
                           int top, QWidget* opener) {
  DvCallSignPicker::Setup setup;
  setup.kind = kind;
  setup.value.assign(value.begin(), value.end());
  if (second) setup.second.assign(second->begin(), second->end());
  if (accessName)
    setup.accessName = *accessName;
  else
    SetText(setup.accessName, "");
  setup.exclusion = exclusion_;
  setup.japaneseDot = IsJapaneseUi(settings_);
  setup.detail = settings_.DrDetail != 0;
  DvCallSignPicker picker(document_.image, document_.texts, setup);

  auto* form = new DvCallSignForm(opener, picker, document_.texts, enableHelpWindows_);
  form->setWindowModality(Qt::WindowModal);
  Place(*form, capsule, left, top);
  const bool accepted = RunModalForm(*form) == QDialog::Accepted;
  // The setting belongs to the name selectors: the others never show it.
  if (picker.NameMode()) settings_.DrDetail = form->DetailChecked() ? 1 : 0;
  form->deleteLater();
  if (!accepted) return false;
  const std::optional<std::string> chosen = picker.Accept();
  if (!chosen) return false;
  std::copy_n(chosen->begin(), std::min(chosen->size(), value.size()), value.begin());
  return true;
}

bool indDvSet::RepeaterSettingDialog(const cmcCellCapsule* capsule, datCh& record, int left,
                                     int top) {
  DvRouteEditor editor(document_.image, document_.initial, document_.texts, exclusion_, record);
  // The forms the dialog opens are window-modal to it; they are only opened
  // while it runs below.
  DvRepeaterForm* form = nullptr;
  DvRepeaterForm::Chooser chooser = [this, &form, &editor](int kind, RouteName& name, QPoint at) {
    const RouteName access = editor.AccessName();
    return RunSelector(nullptr, kind, name, nullptr, &access, at.x(), at.y(), form);
  };
  DvRepeaterForm::Rpt2Chooser rpt2 = [this, &form](const QStringList& choices, int selected,
                                                   QPoint at) {
    return RunRpt2Select(form, choices, selected, at);
  };
  form = new DvRepeaterForm(owner_, editor, document_.texts, std::move(chooser), std::move(rpt2),
                            enableHelpWindows_);
  form->setWindowModality(Qt::WindowModal);
  Place(*form, capsule, left, top);
  const bool accepted = RunModalForm(*form) == QDialog::Accepted;
  form->deleteLater();
  if (!accepted) return false;
  record = editor.Accept();
  return true;
}

int indDvSet::RunRpt2Select(QWidget* opener, const QStringList& choices, int selected,
                            const QPoint& at) {
  auto* form =
      new DvRepeaterSelectForm(opener, choices, selected, document_.texts, enableHelpWindows_);
  form->setWindowModality(Qt::WindowModal);
  Place(*form, nullptr, at.x(), at.y());
  const bool accepted = RunModalForm(*form) == QDialog::Accepted;
  const int row = accepted ? form->Selected() : -1;
  form->deleteLater();
  return row;
}

void indDvSet::Place(QDialog& form, const cmcCellCapsule* capsule, int left, int top) const {
  if (left == -1 && top == -1) {
    if (capsule) fielddialog::PlaceAtCell(&form, *capsule);
    return;
  }
  form.move(left, top);
  const platform::ScreenRect placed =
      placement::FitFormToMonitor(platform::ScreenRect::FromQRect(form.frameGeometry()),
                                  std::nullopt, platform::CurrentMonitors().List());
  form.move(placed.left, placed.top);
}
