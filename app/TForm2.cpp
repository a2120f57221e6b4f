#include "app/TForm2.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <QFileInfo>

#include "app/AppPictures.h"
#include "app/MainController.h"
#include "app/cuiMain.h"
#include "core/AppMessageBox.h"
#include "core/ComPortNumber.h"
#include "core/cmcGTex.h"
#include "platform/FileDialogService.h"
#include "platform/MessageBoxService.h"
#include "app/ComPortCombo.h"
#include "app/DialogTexts.h"
#include "app/PortItemDelegate.h"
#include "core/EventIds.h"
#include "core/FontSpec.h"
#include "core/TextTableChoice.h"
#include "core/WindowPlacement.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/Cp932.h"
#include "platform/PortTable.h"
#include "sheet/QtFontColor.h"

namespace {

constexpr int kMemoLines = 6;
constexpr int kIconSize = 32;

// The keys of the dialog's own texts.
std::string SetupKey(const char* name) { return std::string("GI_App_InitialSetup_") + name; }

using dialogtext::Caption;
using dialogtext::FontOf;

}  // namespace

TForm2::TForm2(QWidget* mainForm, cmcGTex& texts, indEnviron& settings)
    : QDialog(mainForm), mainForm_(mainForm), texts_(texts), settings_(settings) {
  setObjectName(QStringLiteral("setup"));
  setFont(FontOf(texts_, "CellModel_InitialDialog"));
  setWindowTitle(Caption(texts_, SetupKey("Form_Caption")));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* panel1 = new QFrame(this);
  panel1->setFrameShape(QFrame::StyledPanel);
  auto* panel1Box = new QVBoxLayout(panel1);

  auto* panel2 = new QFrame(panel1);
  auto* panel2Box = new QHBoxLayout(panel2);
  panel2Box->setContentsMargins(0, 0, 0, 0);
  Image1 = new QLabel(panel2);
  Image1->setPixmap(QPixmap::fromImage(
      apppictures::IconPictures().value(apppictures::kIconMain).scaled(kIconSize, kIconSize)));
  Image1->setAlignment(Qt::AlignTop);
  Memo1 = new QPlainTextEdit(panel2);
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->viewport()->setAutoFillBackground(false);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setPlainText(ToDisplayText(GetGTexLines(texts_, SetupKey("Memo_Caption"))));
  Memo1->setMinimumHeight(Memo1->fontMetrics().lineSpacing() * kMemoLines);
  panel2Box->addWidget(Image1);
  panel2Box->addWidget(Memo1, 1);

  auto* panel3 = new QFrame(panel1);
  auto* grid = new QGridLayout(panel3);
  grid->setContentsMargins(0, 0, 0, 0);
  rbCom = new QRadioButton(Caption(texts_, SetupKey("ComPort_Caption")), panel3);
  // The list is filled anew each time it opens, keeping the typed text.
  cbComm = new ComPortComboBox(panel3, &settings_.Store());
  // The list names the device and cable behind each number.
  PortItemDelegate::Install(cbComm, &settings_.Store());
  rbIcf = new QRadioButton(Caption(texts_, SetupKey("Icf_Caption")), panel3);
  btIcfSel = new QPushButton(Caption(texts_, SetupKey("Icf_Btn_Caption")), panel3);
  lbIcfName = new QLabel(panel3);
  lbIcfName->setFont(FontOf(texts_, "CellModel_BasicDialog"));
  lbIcfName->setFrameShape(QFrame::StyledPanel);
  lbIcfName->setMinimumWidth(lbIcfName->fontMetrics().averageCharWidth() * 40);
  grid->addWidget(rbCom, 0, 0);
  grid->addWidget(cbComm, 0, 1);
  grid->addWidget(rbIcf, 1, 0);
  grid->addWidget(btIcfSel, 1, 1);
  grid->addWidget(lbIcfName, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  auto* group = new QButtonGroup(this);
  group->addButton(rbCom);
  group->addButton(rbIcf);

  panel1Box->addWidget(panel2, 1);
  panel1Box->addWidget(panel3);

  // The table lists OK first, then Cancel.
  Button1 = new QPushButton(Caption(texts_, "GI_AppInd_Opt_ComSel_Buttons", 0), this);
  Button2 = new QPushButton(Caption(texts_, "GI_AppInd_Opt_ComSel_Buttons", 1), this);
  Button1->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto* box = new QVBoxLayout(this);
  box->addWidget(panel1, 1);
  box->addLayout(buttons);
  box->setSizeConstraint(QLayout::SetFixedSize);

  connect(rbCom, &QRadioButton::clicked, this, [this] { rbComClick(); });
  connect(rbIcf, &QRadioButton::clicked, this, [this] { rbIcfClick(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { close(); });
  connect(btIcfSel, &QPushButton::clicked, this, [this] { btIcfSelClick(); });

  FillPorts();
  if (settings_.ComPort >= 1 && settings_.ComPort <= platform::PortTable::kMaxPort)
    cbComm->setEditText(QString::number(settings_.ComPort));
  fileName_.clear();
  rbCom->setChecked(true);
  rbComClick();

  adjustSize();
  const placement::MonitorList monitors = platform::CurrentMonitors().List();
  const std::optional<platform::ScreenRect> area = placement::GetMonitorWorkArea(mainForm_);
  platform::ScreenRect rect = platform::ScreenRect::FromSize(0, 0, width(), height());
  if (area) rect = placement::CenterForm(rect, *area, monitors);
  rect = placement::KeepFormOnScreen(rect, monitors);
  rect = placement::LimitFormSize(rect, std::nullopt, monitors);
  move(rect.left, rect.top);

  EvMan().AddListener<TForm2, &TForm2::OnEvent>(this);
}

TForm2::~TForm2() {
  if (!closed_) EvMan().RemoveListener<TForm2, &TForm2::OnEvent>(this);
}

void TForm2::FillPorts() { FillComPortCombo(cbComm, &settings_.Store()); }

void TForm2::rbComClick() {
  mode_ = kComPort;
  cbComm->setEnabled(true);
  btIcfSel->setEnabled(false);
  lbIcfName->setEnabled(false);
}

void TForm2::rbIcfClick() {
  mode_ = kDataFile;
  cbComm->setEnabled(false);
  btIcfSel->setEnabled(true);
  lbIcfName->setEnabled(true);
}

void TForm2::Button1Click() {
  if (mode_ == kComPort) {
    const std::optional<int> port = core::ReadComPortNumber(cbComm->currentText().toStdString());
    if (!port) {
      AppMessageBox(this, ToDisplayText(GetGTexLines(texts_, "GI_AppInd_Opt_ComSel_Notice")),
                    Caption(texts_, "GI_Sys_AppTitle"),
                    platform::mb::Ok | platform::mb::IconWarning);
      return;
    }
    settings_.ComPort = *port;
    EvMan().Send(ev::CloneInfoConfirmed);
    return;
  }
  if (cuiMain* controller = ControllerIfInstalled()) controller->LoadInitialData(fileName_);
}

void TForm2::btIcfSelClick() {
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogRequest::Kind::Open;
  if (const cuiMain* controller = ControllerIfInstalled())
    request.folder = QString::fromStdString(controller->DefaultFolder());
  request.filter = Caption(texts_, "GI_Sys_Dialog_FOpen", 1);
  request.defaultExtension = Caption(texts_, "GI_Sys_Dialog_FOpen", 0);
  request.owner = this;
  const platform::FileDialogResult chosen = platform::FileDialogs().Run(request);
  if (!chosen.accepted) return;
  fileName_ = chosen.path.toStdString();
  lbIcfName->setText(QFileInfo(chosen.path).fileName());
}

void TForm2::reject() { close(); }

void TForm2::closeEvent(QCloseEvent* event) {
  // A clone run of the setup is going: only the setup's end closes.
  if (!isEnabled() && !setupEnded_) {
    event->ignore();
    return;
  }
  FormClose();
  QDialog::closeEvent(event);
}

void TForm2::FormClose() {
  if (closed_) return;
  closed_ = true;
  if (mainForm_) {
    const placement::MonitorList monitors = platform::CurrentMonitors().List();
    const std::optional<platform::ScreenRect> area = placement::GetMonitorWorkArea(this);
    platform::ScreenRect rect = platform::ScreenRect::FromQRect(mainForm_->geometry());
    rect = placement::FitFormToMonitor(rect, area, monitors);
    rect = placement::LimitFormSize(rect, area, monitors);
    mainForm_->move(rect.left, rect.top);
    mainForm_->resize(rect.Width(), rect.Height());
  }
  EvMan().Send(ev::ShowMainForm);
  EvMan().Send(ev::RefreshToolBar);
  EvMan().RemoveListener<TForm2, &TForm2::OnEvent>(this);
  deleteLater();
}

void TForm2::OnEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::CloneIdentifyStart:
      if (isVisible()) setEnabled(false);
      break;
    case ev::CloneRunEnded:
      if (isVisible() && event.p1 == 0) setEnabled(true);
      break;
    case ev::CloseSetupDialog:
    case ev::CloseSetupDialog2:
      // 16 and above name no destination: the setup is not done.
      setupEnded_ = true;
      if (settings_.EtcData.destination < dst_EtcData::kNoDestination) {
        settings_.SetupDone = 1;
        EvMan().Send(ev::SetupDoneWithoutRadio);
      } else {
        settings_.SetupDone = 0;
      }
      close();
      break;
    default: break;
  }
}
