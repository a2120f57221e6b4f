// The checks of tree and tool-bar bodies find every malformed line, by its
// value number, and pass well-formed bodies.
#include "sheet/MarkupBodyCheck.h"

#include <gtest/gtest.h>

#include <set>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "tests/sheet/SheetFixture.h"

namespace {

using kwtest::LoadTable;

std::vector<std::string> Body(const std::string& key, const std::vector<std::string>& body) {
  std::vector<std::string> lines = {"#" + key + "_BasicCell", "{($Basic)}", "#" + key + "_Body"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back("#");
  return lines;
}

// The values with faults (a line may have several).
std::vector<int> Values(const std::vector<BodyLineFault>& faults) {
  std::set<int> values;
  for (const BodyLineFault& f : faults) values.insert(f.value);
  return {values.begin(), values.end()};
}

class BodyCheckTest : public ::testing::Test {
 protected:
  std::vector<BodyLineFault> Tree(const std::vector<std::string>& body) {
    LoadTable(gtex_, Body("GI_Tree_T", body));
    return CheckTreeBody(gtex_, "GI_Tree_T");
  }
  std::vector<BodyLineFault> ToolBar(const std::vector<std::string>& body) {
    LoadTable(gtex_, Body("GI_ToolBar_T", body));
    return CheckToolBarBody(gtex_, "GI_ToolBar_T");
  }
  ScopedEvMan bus_;
  cmcGTex gtex_;
};

TEST_F(BodyCheckTest, WellFormedBodiesPass) {
  EXPECT_TRUE(
      Tree({
               "+\t\t{(ImageIndex=0)(%CallSheet:GI_Sheet_TopPage)}",
               " +Memory CH\t{(ImageIndex=1)(%CallSheet:GI_Sheet_TreeTop)}",
               "   +  0 -  99\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_MemoryCH,0,0)}",
               " +CALL CH\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_CallCh,47)}",
           })
          .empty());
  EXPECT_TRUE(Tree({}).empty());
  EXPECT_TRUE(ToolBar({"New\t\t{(ImageIndex=0)(%CL_Menu_File_New)}", "-", "/",
                       "Clone Info.\t{(ImageIndex=9)(%CL_Menu_Clone_Info)}"})
                  .empty());
  EXPECT_TRUE(ToolBar({}).empty());
}

TEST_F(BodyCheckTest, MalformedTreeLinesAreFound) {
  struct Case {
    const char* what;
    std::vector<std::string> body;
    std::vector<int> values;
  };
  const std::string ok = "{(ImageIndex=1)(%CallSheet:GI_Sheet_TreeTop)}";
  const Case cases[] = {
      {"no plus", {" +A\t" + ok, " B\t" + ok}, {1}},
      {"shallower than the first", {" +A\t" + ok, "  +B\t" + ok, "+C\t" + ok}, {2}},
      {"between two levels", {"+A\t" + ok, "   +B\t" + ok, "  +C\t" + ok}, {2}},
      {"unpaired brace", {"+A\t{(ImageIndex=1)(%CallSheet:GI_Sheet_TreeTop)"}, {0}},
      {"nested brace", {"+A\t{{(ImageIndex=1)}(%CallSheet:GI_Sheet_TreeTop)}"}, {0}},
      {"text after the braces", {"+A\t" + ok + "\tB"}, {0}},
      {"two cells", {"+A|B\t" + ok}, {0}},
      {"no page", {"+A\t{(ImageIndex=1)(%CL_Null)}"}, {0}},
      {"no image", {"+A\t{(%CallSheet:GI_Sheet_TreeTop)}"}, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Values(Tree(c.body)), c.values);
  }
}

TEST_F(BodyCheckTest, MalformedToolBarLinesAreFound) {
  struct Case {
    const char* what;
    std::vector<std::string> body;
    std::vector<int> values;
  };
  const Case cases[] = {
      {"no caption", {"-", "\t\t{(ImageIndex=0)(%CL_Menu_File_New)}"}, {1}},
      {"no image", {"New\t{(%CL_Menu_File_New)}"}, {0}},
      {"no cell id", {"New\t{(ImageIndex=0)}"}, {0}},
      {"unpaired brace", {"New\t{(ImageIndex=0)(%CL_Menu_File_New)"}, {0}},
      {"text after the braces", {"New\t{(ImageIndex=0)(%CL_Menu_File_New)}\tOld"}, {0}},
      {"two cells", {"-", "New|Old\t{(ImageIndex=0)(%CL_Menu_File_New)}"}, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Values(ToolBar(c.body)), c.values);
  }
}

}  // namespace
