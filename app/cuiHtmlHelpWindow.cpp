#include "app/cuiHtmlHelpWindow.h"

#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

cuiHtmlHelpWindow::cuiHtmlHelpWindow(Kind kind, const QStringList& buttonTexts)
    : QWidget(nullptr), kind_(kind) {
  setAttribute(Qt::WA_DeleteOnClose, true);
  setAttribute(Qt::WA_QuitOnClose, false);
  if (kind == Kind::Popup) {
    setObjectName(QLatin1String(kPopupName));
    // No minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
  } else {
    setObjectName(QLatin1String(kTopicName));
    setWindowFlags(Qt::Window);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (kind == Kind::Topic) {
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 4);
    auto button = [&](int i, const char* fallback) {
      auto* b = new QToolButton(this);
      b->setText(i < buttonTexts.size() ? buttonTexts[i] : QLatin1String(fallback));
      bar->addWidget(b);
      return b;
    };
    back_ = button(0, "Back");
    forward_ = button(1, "Forward");
    contents_ = button(2, "Contents");
    bar->addStretch(1);
    layout->addLayout(bar);
  }
  browser_ = new QTextBrowser(this);
  // Links are resolved by FollowLink so that none leads out of the bundle.
  browser_->setOpenLinks(false);
  browser_->setOpenExternalLinks(false);
  layout->addWidget(browser_);

  connect(browser_, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& link) { FollowLink(link); });
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl&) {
    setWindowTitle(browser_->documentTitle());
    UpdateButtons();
  });
  if (kind == Kind::Topic) {
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QToolButton::clicked, this, [this] {
      if (!bundle_.Folder().isEmpty()) browser_->setSource(bundle_.IndexUrl());
    });
    connect(browser_, &QTextBrowser::historyChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
  }
}

void cuiHtmlHelpWindow::ShowPage(const cuiHtmlHelpBundle& bundle, const QUrl& url) {
  if (bundle.Folder() != bundle_.Folder()) browser_->clearHistory();
  bundle_ = bundle;
  browser_->setSearchPaths({bundle_.Folder()});
  browser_->setSource(url);
  UpdateButtons();
}

QUrl cuiHtmlHelpWindow::CurrentUrl() const { return browser_->source(); }

bool cuiHtmlHelpWindow::FollowLink(const QUrl& link) {
  QUrl target = link;
  if (link.isRelative()) {
    // An anchor on the same page ("#frequency") or another page of the bundle.
    target = browser_->source().resolved(link);
  }
  if (!bundle_.Contains(target)) return false;
  browser_->setSource(target);
  return true;
}

void cuiHtmlHelpWindow::UpdateButtons() {
  if (kind_ != Kind::Topic) return;
  back_->setEnabled(browser_->isBackwardAvailable());
  forward_->setEnabled(browser_->isForwardAvailable());
  contents_->setEnabled(!bundle_.Folder().isEmpty());
}
