#include "cells/AppMessage.h"

#include "core/AppMessageBox.h"
#include "core/cmcGTex.h"
#include "platform/MessageBoxService.h"

int ShowAppMessage(cmcGTex& texts, std::string_view key, QObject* owner) {
  const std::string text = GetGTexLines(texts, key);
  const int answer = MessageBoxCp932(owner, text, texts.GetFirst("GI_Sys_AppTitle"),
                                     platform::mb::OkCancel | platform::mb::IconWarning);
  return answer == platform::mb::IdOk ? platform::mb::IdOk : platform::mb::IdCancel;
}
