#include "core/AppMessageBox.h"

#include "core/TextTableChoice.h"
#include "core/WindowPlacement.h"
#include "platform/Cp932.h"
#include "platform/MessageBoxService.h"

namespace {

// The old conversion buffer held 1000 units with the terminator.
constexpr qsizetype kMaxUnits = 999;

}  // namespace

QString CutMessageText(const QString& text) {
  if (text.size() <= kMaxUnits) return text;
  qsizetype keep = kMaxUnits - 1;
  if (text.at(keep - 1).isHighSurrogate()) --keep;
  return text.left(keep) + QChar(0x2026);
}

int MessageBoxCp932(QObject* owner, std::string_view text, std::string_view caption,
                    unsigned flags) {
  const platform::Cp932Display display = CurrentTextDisplay();
  return AppMessageBox(owner, CutMessageText(platform::Cp932ToUnicode(text, display)),
                       CutMessageText(platform::Cp932ToUnicode(caption, display)), flags);
}

int AppMessageBox(QObject* owner, const QString& text, const QString& caption, unsigned flags) {
  platform::MessageBoxRequest request;
  request.text = text;
  request.caption = caption;
  request.flags = flags;
  request.owner = owner;
  if (const auto area = placement::GetMonitorWorkArea(owner)) request.workArea = area->ToQRect();
  return platform::MessageBoxes().Show(request);
}
