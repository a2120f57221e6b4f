#pragma once
// A printer service for tests: every accepted set-up makes a new PDF writer
// (600 dpi, A4, no margins) at the next path, so each print run writes its
// own file; set-up answers come from a queue (accept when it is empty), and
// "no printer" can be switched on. Installed for the object's lifetime.
// Header-only: the tests that print link Qt Gui anyway.
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

#include "platform/PrinterService.h"

namespace kwtest {

class ScriptedPrinter final : public platform::PrinterService {
 public:
  static constexpr int kDpi = 600;

  // Files go into `folder` as print-1.pdf, print-2.pdf ...
  explicit ScriptedPrinter(QString folder) : folder_(std::move(folder)), scope_(this) {}

  void SetNoPrinter(bool on) { noPrinter_ = on; }
  void AnswerSetup(bool accept) { answers_.push_back(accept); }
  // The next accepted set-up prints there (a missing folder makes the
  // printer fail to begin).
  void SetNextPath(const QString& path) { nextPath_ = path; }

  // Before the first set-up: a writer that never prints (its file is not
  // counted among the paths).
  QPagedPaintDevice* Printer() override {
    if (noPrinter_) return nullptr;
    if (!writer_) Make(false);
    return writer_.get();
  }
  bool Setup(QObject*) override {
    ++setups_;
    bool accept = true;
    if (!answers_.empty()) {
      accept = answers_.front();
      answers_.pop_front();
    }
    if (accept) Make(true);
    return accept;
  }

  int Setups() const { return setups_; }
  // The paths of the writers made, in order.
  const std::vector<QString>& Paths() const { return paths_; }
  QString LastPath() const { return paths_.empty() ? QString() : paths_.back(); }
  // Finishes the current writer (its file is complete once painting ended).
  void Drop() { writer_.reset(); }

 private:
  void Make(bool forSetup) {
    QString path = folder_ + QStringLiteral("/unused.pdf");
    if (forSetup) {
      path = nextPath_.isEmpty() ? folder_ + QStringLiteral("/print-%1.pdf").arg(paths_.size() + 1)
                                 : nextPath_;
      nextPath_.clear();
    }
    writer_ = std::make_unique<QPdfWriter>(path);
    writer_->setResolution(kDpi);
    writer_->setPageSize(QPageSize(QPageSize::A4));
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (forSetup) paths_.push_back(path);
  }

  QString folder_;
  platform::ScopedPrinterService scope_;
  std::unique_ptr<QPdfWriter> writer_;
  std::deque<bool> answers_;
  QString nextPath_;
  std::vector<QString> paths_;
  bool noPrinter_ = false;
  int setups_ = 0;
};

}  // namespace kwtest
