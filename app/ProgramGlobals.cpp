#include "app/ProgramGlobals.h"

#include "app/MainController.h"
#include "app/cuiMain.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/cmcHelpGTex.h"
#include "core/indEnviron.h"
#include "model/cmcIcfFile.h"
#include "resources/text/TextTables.h"

ProgramGlobals::ProgramGlobals(indEnviron& settings) {
  texts_ = std::make_unique<cmcGTex>();
  SelectTextTable(*texts_, ChooseTextTable(settings));
  cmcIcfFile::SetTextSource(
      [texts = texts_.get()](std::string_view key) { return texts->GetFirst(key); });
  helpTopics_ = std::make_unique<cmcHelpGTex>();
  helpTopics_->SetSource(kwres::kHelpTopicMap);
  bus_ = std::make_unique<ScopedEvMan>();
  controller_ = std::make_unique<ScopedController>(settings, *texts_);
}

ProgramGlobals::~ProgramGlobals() {
  controller_.reset();
  bus_.reset();
  helpTopics_.reset();
  cmcIcfFile::SetTextSource({});
  texts_.reset();
}

cuiMain& ProgramGlobals::Controller() { return controller_->Get(); }
