#pragma once
// The start of the tests of a list sheet's cases (GPS memories, repeaters):
// the cell handler's rig over the full initial image of destination 0 (empty
// lists) with the English table, the tree-node renames the cases post
// (event 50, as page and label), and a group's sheet as its list page shows
// it. A test fixture derives from it, fills its lists and registers its
// cases in SetUp.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/ListRangeAnswer.h"
#include "support/cells/CellFrameRig.h"
#include "support/cells/FixtureSheet.h"

namespace kwtest {

class ListCasesFixture : public ::testing::Test {
 protected:
  ListCasesFixture();
  ~ListCasesFixture() override;

  // The sheet `name` answering the list range `range`.
  std::unique_ptr<FixtureSheet> ListSheet(const std::string& name, ListRangeAnswer range);

  CellFrameRig rig_;
  struct Rename {
    std::intptr_t page;
    std::string text;
  };
  std::vector<Rename> renames_;
};

}  // namespace kwtest
