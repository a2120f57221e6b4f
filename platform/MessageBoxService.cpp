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

HeadlessMessageBoxes& Headless() {
  static HeadlessMessageBoxes headless;
  return headless;
}

MessageBoxService* g_service = nullptr;

}  // namespace

MessageBoxService& MessageBoxes() { return g_service ? *g_service : Headless(); }

void InstallMessageBoxService(MessageBoxService* service) { g_service = service; }

ScopedMessageBoxService::ScopedMessageBoxService(MessageBoxService* service)
    : previous_(g_service) {
  g_service = service;
}

ScopedMessageBoxService::~ScopedMessageBoxService() { g_service = previous_; }

int ShowMessageBox(const QString& text, const QString& caption, unsigned flags, QObject* owner) {
  MessageBoxRequest request;
  request.text = text;
  request.caption = caption;
  request.flags = flags;
  request.owner = owner;
  return MessageBoxes().Show(request);
}

}  // namespace platform
