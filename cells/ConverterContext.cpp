#include "cells/ConverterContext.h"

#include "core/TextTableChoice.h"
#include "core/indEnviron.h"
#include "model/GpsDateTime.h"
#include "sheet/FieldDialogOpener.h"

ConverterContext::ConverterContext()
    : localNowMs(&gpstime::LocalNowMs), dialogs(InstalledFieldDialogOpener()) {}

ConverterContext ConverterContext::FromSettings(const indEnviron& env, int dateOrder,
                                                int positionFormat) {
  ConverterContext ctx;
  ctx.japaneseUi = IsJapaneseUi(env);
  ctx.systemJapanese = IsSystemJapanese();
  ctx.dateOrder = dateOrder;
  ctx.positionFormat = positionFormat;
  ctx.autoCorrect = env.AutoCorrect != 0;
  ctx.repeaterDialog = env.RepeaterDialog != 0;
  return ctx;
}

std::int64_t ConverterContext::LocalNowMs() const {
  return localNowMs ? localNowMs() : gpstime::LocalNowMs();
}
