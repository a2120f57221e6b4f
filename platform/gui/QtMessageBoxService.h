#pragma once
// Message boxes as QMessageBox: icon, buttons and default button from the
// classic flags, owned by the given widget, centred on the requested work
// area when one is given.
#include "platform/MessageBoxService.h"

class QMessageBox;

namespace platform {

class QtMessageBoxService final : public MessageBoxService {
 public:
  int Show(const MessageBoxRequest& request) override;

  // Builds the box without showing it (tests inspect it).
  static void Configure(QMessageBox& box, const MessageBoxRequest& request);
  // The answer (mb::Id*) for a QMessageBox::StandardButton; Cancel for none.
  static int AnswerFor(int standardButton);
};

}  // namespace platform
