#pragma once
// Message boxes behind an interface, so every question the program asks can
// be answered by a script in tests. Flags and answers keep the values the
// callers have always used (the classic message-box constants).
#include <QRect>
#include <QString>

class QObject;

namespace platform {

namespace mb {
// Buttons (low nibble).
constexpr unsigned Ok = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned YesNoCancel = 0x3;
constexpr unsigned YesNo = 0x4;
// Icons.
constexpr unsigned IconError = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconWarning = 0x30;
constexpr unsigned IconInformation = 0x40;
// Default button.
constexpr unsigned DefButton2 = 0x100;
constexpr unsigned DefButton3 = 0x200;
// Answers.
constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
}  // namespace mb

struct MessageBoxRequest {
  QString text;
  QString caption;
  unsigned flags = 0;
  QObject* owner = nullptr;  // a QWidget when there is one
  QRect workArea;            // work area the box is centred on (empty: the service decides)
};

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows the box and returns the button pressed (mb::Id*).
  virtual int Show(const MessageBoxRequest& request) = 0;
};

// The process-wide service. Without an installed one, boxes go to stderr and
// answer Cancel (no display, no person).
MessageBoxService& MessageBoxes();

// Installs a service for the whole process (the application installs the
// widget one at start-up); nullptr restores the headless default.
void InstallMessageBoxService(MessageBoxService* service);

// Installs a service for a scope and puts the previous one back.
class ScopedMessageBoxService {
 public:
  explicit ScopedMessageBoxService(MessageBoxService* service);
  ~ScopedMessageBoxService();
  ScopedMessageBoxService(const ScopedMessageBoxService&) = delete;
  ScopedMessageBoxService& operator=(const ScopedMessageBoxService&) = delete;

 private:
  MessageBoxService* previous_;
};

// Shorthand: shows a box through the current service.
int ShowMessageBox(const QString& text, const QString& caption, unsigned flags,
                   QObject* owner = nullptr);

}  // namespace platform
