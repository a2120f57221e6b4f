#pragma once
// A sheet of information (the radio's answer to a clone identification) in
// a small dialog with one OK button. It behaves like a modal dialog without
// running a loop of its own: the owner's window is disabled while it shows,
// and the dialog deletes itself when it closes (OK, Enter, Escape or the
// close box), which enables the owner again and gives it the focus.
//
// The dialog has no parent widget (disabling the owner must not disable
// it); the owner's window is its transient parent. It has no minimise or
// maximise box. The sheet shows whole, without scroll bars, in the dialog
// font of the text table; the dialog is centred over the owner and kept on
// the owner's monitor (a sheet wider than the work area starts at its left
// edge).
#include <QDialog>
#include <QPointer>
#include <QString>
#include <string>

class QPushButton;
class cmcGTex;
class cuiImageList;
class cuiSheet;

class cuiInformation : public QDialog {
 public:
  // Builds the sheet `sheetKey` and shows the dialog. The text table and
  // the image list must outlive it; the owner may go first.
  static cuiInformation* Open(QWidget* owner, const QString& caption, cmcGTex& texts,
                              const std::string& sheetKey, cuiImageList* images);
  // Releases the sheet, then enables and focuses the owner.
  ~cuiInformation() override;
  cuiInformation(const cuiInformation&) = delete;
  cuiInformation& operator=(const cuiInformation&) = delete;

  QPushButton* OkButton() const { return ok_; }
  cuiSheet* Sheet() const { return sheet_; }

 private:
  cuiInformation(QWidget* owner, const QString& caption, cmcGTex& texts,
                 const std::string& sheetKey, cuiImageList* images);
  void Place();
  // Widens the sheet's panel by what the laid-out grid still lacks (its
  // frames are only known once the dialog shows).
  void FitSheet();

  QPointer<QWidget> owner_;
  QWidget* host_ = nullptr;
  cuiSheet* sheet_ = nullptr;
  QPushButton* ok_ = nullptr;
};
