#include "support/cells/ListCasesFixture.h"

#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "model/DefaultImage.h"
#include "model/InitialImage.h"

namespace kwtest {

ListCasesFixture::ListCasesFixture() {
  rig_.image = FullImageFromDefault(BuildDefaultImage(0));
  SelectTextTable(rig_.texts, TextTable::English);
  rig_.bus->AddListener(this, [this](const cmcEvent& e) {
    if (e.id == ev::RenameTreeNode && e.Text()) renames_.push_back({e.p2, *e.Text()});
  });
}

ListCasesFixture::~ListCasesFixture() { rig_.bus->RemoveListener(this); }

std::unique_ptr<FixtureSheet> ListCasesFixture::ListSheet(const std::string& name,
                                                          ListRangeAnswer range) {
  auto sheet = rig_.Sheet(name);
  sheet->AnswerListRange(range);
  return sheet;
}

}  // namespace kwtest
