#include "platform/MessageBoxService.h"

#include <cstdio>

namespace platform {
namespace {

class HeadlessMessageBoxes final : public MessageBoxService {
 public:
  int Show(const MessageBoxRequest& request) override {
    std::fprintf(stderr, "[%s] %s\n", request.caption.toUtf8().constData(),
                 request.text.toUtf8().constData());
    std::fflush(stderr);
    return mb::IdCancel;
  }
};

HeadlessMessageBoxes& HeadlessBoxes() {
  static HeadlessMessageBoxes headless;
  return headless;
}

MessageBoxService* g_messageBoxes = nullptr;

}  // namespace

MessageBoxService& MessageBoxes() { return g_messageBoxes ? *g_messageBoxes : HeadlessBoxes(); }

void InstallMessageBoxService(MessageBoxService* service) { g_messageBoxes = service; }

ScopedMessageBoxService::ScopedMessageBoxService(MessageBoxService* service)
    : previous_(g_messageBoxes) {
  g_messageBoxes = service;
}

ScopedMessageBoxService::~ScopedMessageBoxService() { g_messageBoxes = previous_; }

int ShowMessageBox(const QString& text, const QString& caption, unsigned flags, QObject* owner) {
  MessageBoxRequest request;
  request.text = text;
  request.caption = caption;
  request.flags = flags;
  request.owner = owner;
  return MessageBoxes().Show(request);
}

}  // namespace platform
