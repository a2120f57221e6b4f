// kw-test: link=kw_choicegen_lib
// The choice-list source: the reader refuses every malformed block, naming the
// line; the generator lays the options out column by column; and the lists
// themselves are the ones the cells need, with the values the tables of the
// program give or its cells imply, and an authored mark on every other list.
#include "support/ChoiceListSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ChoiceArea.h"
#include "ChoiceSource.h"

namespace {

using choicegen::ChoiceList;
using choicegen::ListClass;

std::vector<ChoiceList> Parse(const std::string& text, std::vector<std::string>* errors) {
  textgen::Diagnostics diag;
  diag.SetEcho(false);
  auto lists = choicegen::ParseChoiceSource(text, "src.txt", diag);
  if (errors) *errors = diag.Messages();
  return lists;
}

const char* const kGood =
    "# a comment\n"
    "list GI_Sheet_Sel_Test\n"
    "  id Flex0\n"
    "  columns 1\n"
    "  class given\n"
    "  0 | OFF | =\n"
    "  1 | ON | オン\n";

TEST(ChoiceSourceReader, ReadsABlock) {
  std::vector<std::string> errors;
  const auto lists = Parse(kGood, &errors);
  ASSERT_TRUE(errors.empty()) << errors.front();
  ASSERT_EQ(lists.size(), 1u);
  const ChoiceList& l = lists[0];
  EXPECT_EQ(l.key, "GI_Sheet_Sel_Test");
  EXPECT_EQ(l.listId, "Flex0");
  EXPECT_EQ(l.listClass, ListClass::kGiven);
  ASSERT_EQ(l.options.size(), 2u);
  EXPECT_EQ(l.options[0].japanese, "OFF");  // "=" copies the English caption
  EXPECT_EQ(l.options[1].japanese, "オン");
  EXPECT_EQ(l.options[1].line, 7);
  EXPECT_FALSE(l.Neutral());
}

// Each malformed source names its line and what is wrong with it.
TEST(ChoiceSourceReader, RefusesMalformedBlocks) {
  const std::string head = "list GI_Sheet_Sel_T\n  id Flex0\n  columns 1\n  class given\n";
  struct Case {
    std::string text;
    std::string where;  // "src.txt:<line>"
    std::string says;
  } cases[] = {
      {"  id Flex0\n", "src.txt:1", "before the first"},
      {"list Sheet_T\n  id Flex0\n  columns 1\n  class given\n  0 | A | =\n", "src.txt:1",
       "list key"},
      {head + "  0 | A | =\n  0 | B | =\n", "src.txt:6", "value 0 twice"},
      {head + "  256 | A | =\n", "src.txt:5", "0 to 255"},
      {head + "  x1 | A | =\n", "src.txt:5", "unknown line"},
      {head + "  1 | A\n", "src.txt:5", "an option is"},
      {head + "  1 | {A} | =\n", "src.txt:5", "brace"},
      {head + "  1 | A\\B | =\n", "src.txt:5", "backslash"},
      {head + "  1 | A |  |\n", "src.txt:5", "fourth field"},
      {head + "  1 | A | = | cell=x}\n", "src.txt:5", "brace in a cell text"},
      {head, "src.txt:1", "no option"},
      {"list GI_Sheet_Sel_T\n  columns 1\n  class given\n  0 | A | =\n", "src.txt:1", "no \"id\""},
      {"list GI_Sheet_Sel_T\n  id Flex0\n  columns 1\n  0 | A | =\n", "src.txt:1", "no \"class\""},
      {"list GI_Sheet_Sel_T\n  id Flex9\n  columns 1\n  class given\n  0 | A | =\n", "src.txt:2",
       "unknown list id"},
      {"list GI_Sheet_Sel_T\n  id Flex0\n  columns 1\n  class authored\n  0 | A | =\n", "src.txt:1",
       "needs its \"authored\" mark"},
      {head + "  authored because\n  0 | A | =\n", "src.txt:1", "carries the authored mark"},
      {head + "  0 | A | =\n  source x\n", "src.txt:6", "after the first option"},
      {"list GI_Sheet_Sel_T\n  id Flex0\n  columns 3\n  class given\n  0 | A | =\n  1 | B | =\n"
       "  2 | C | =\n  3 | D | =\n",
       "src.txt:1", "do not fill 3 columns"},  // 4 options in 2 rows fill only 2 columns
      {"list GI_Sheet_Sel_T\n  id Flex0\n  columns 1 spacers\n  class given\n  0 | A | =\n",
       "src.txt:1", "spacers need"},
      {head + "  0 | A | =\r\n", "src.txt:5", "carriage return"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> errors;
    Parse(c.text, &errors);
    ASSERT_FALSE(errors.empty()) << c.text;
    bool found = false;
    for (const std::string& e : errors)
      found |= e.find(c.where + ":") == 0 && e.find(c.says) != std::string::npos;
    EXPECT_TRUE(found) << c.text << "\nfirst error: " << errors.front();
  }
}

TEST(ChoiceSourceReader, RefusesAKeyDefinedInTwoFiles) {
  // Files of one folder are read in name order; the second definition is refused.
  const std::vector<ChoiceList> lists = kwtest::SourceChoiceLists();
  std::set<std::string> keys;
  for (const ChoiceList& l : lists) EXPECT_TRUE(keys.insert(l.key).second) << l.key;
}

// Options fill the columns from top to bottom, then left to right, so that
// stepping column by column visits them in the order the source gives.
TEST(ChoiceArea, LaysOptionsOutColumnByColumn) {
  std::string text =
      "list GI_Sheet_Sel_T\n  id CL_FlexMark_Mch\n  columns 3 spacers\n  class given\n";
  for (int v = 0; v < 7; ++v)
    text += "  " + std::to_string(v) + " | T" + std::to_string(v) + " | =\n";
  const auto lists = Parse(text, nullptr);
  ASSERT_EQ(lists.size(), 1u);
  const std::string sp = std::string("|") + choicegen::kChoiceSpacerCell + "|";
  const std::vector<std::string> expected = {
      "{S(%CL_FlexMark_Mch[0])}T0" + sp + "{S(%CL_FlexMark_Mch[3])}T3" + sp +
          "{S(%CL_FlexMark_Mch[6])}T6",
      "{S(%CL_FlexMark_Mch[1])}T1" + sp + "{S(%CL_FlexMark_Mch[4])}T4",
      "{S(%CL_FlexMark_Mch[2])}T2" + sp + "{S(%CL_FlexMark_Mch[5])}T5",
  };
  EXPECT_EQ(choicegen::CellLines(lists[0], false), expected);
}

// A cell text goes into the binding with every character that the binding
// reads specially escaped; an empty cell text stays an empty binding text.
TEST(ChoiceArea, EscapesCellTexts) {
  const auto lists = Parse(
      "list GI_Sheet_Sel_T\n  id Flex0\n  columns 1\n  class given\n"
      "  255 | OFF | オフ | cell=\n  1 | A | = | cell=1.5 (x)\n",
      nullptr);
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(choicegen::OptionCell(lists[0], lists[0].options[0], false), "{S(%Flex0[255]:)}OFF");
  EXPECT_EQ(choicegen::OptionCell(lists[0], lists[0].options[0], true), "{S(%Flex0[255]:)}オフ");
  EXPECT_EQ(choicegen::OptionCell(lists[0], lists[0].options[1], false),
            "{S(%Flex0[1]:1\\.5\\ \\(x\\))}A");
}

TEST(ChoiceArea, NeutralListsTakeTheEnglishTextAndEveryKeyIsRegistered) {
  const auto lists = Parse(std::string(kGood) +
                               "list GI_Sheet_Sel_N\n  id Flex0\n  columns 1\n  class given\n"
                               "  0 | 5kHz | =\n",
                           nullptr);
  const choicegen::AreaTexts area = choicegen::BuildArea(lists);
  EXPECT_NE(
      area.japanese.find("#GI_Sheet_Sel_Test_Cells\n{S(%Flex0[0])}OFF\n{S(%Flex0[1])}オン\n#\n"),
      std::string::npos);
  EXPECT_EQ(area.japanese.find("GI_Sheet_Sel_N_"), std::string::npos);
  EXPECT_NE(area.neutral.find("\nGI_Sheet_Sel_N_Cells\n"), std::string::npos);
  EXPECT_NE(area.neutral.find("\nGI_Sheet_Sel_Test_Style\nGI_Sheet_Sel_Test_BasicCell\n"),
            std::string::npos);
  EXPECT_NE(
      area.english.find("#GI_Sheet_Sel_N_Style\n\n#GI_Sheet_Sel_N_BasicCell\n{($Basic)($bMn)}\n"),
      std::string::npos);
  for (const char* base : {"\nGI_Sheet_Sel_*\n", "\nGI_Sheet_Common_SubBandMute*\n",
                           "\nGI_Sheet_Sel_Test*\n", "\nGI_Sheet_Sel_N*\n"})
    EXPECT_NE(area.keys.find(base), std::string::npos) << base;
}

// ---- The lists themselves ---------------------------------------------------

// Every list a choice cell can name: the set-mode, channel and repeater lists
// and the sub-band mute list.
const char* const kListNames[] = {"Common_APRS_Symbol",
                                  "Common_AutoReply",
                                  "Common_Auto_Dimmer",
                                  "Common_Auto_Dimmer_Tm",
                                  "Common_Auto_Power_OFF",
                                  "Common_Baro_Units",
                                  "Common_Beep_Level",
                                  "Common_BtAfOut",
                                  "Common_BtSerialFunc",
                                  "Common_CIV_BaudRate",
                                  "Common_Clock_Volt",
                                  "Common_Compass",
                                  "Common_Contrast",
                                  "Common_CsvDate",
                                  "Common_CsvSepdec",
                                  "Common_Data_Extension",
                                  "Common_DigiMoni",
                                  "Common_Dimmer",
                                  "Common_Display_Type",
                                  "Common_DprsTxFmt",
                                  "Common_DvDataTX",
                                  "Common_FanControl",
                                  "Common_FastData_GPSSpd",
                                  "Common_FastData_PTTDelay",
                                  "Common_GPS_PosRxSel",
                                  "Common_GPS_Select",
                                  "Common_GPS_Speed",
                                  "Common_GpsAutoTX",
                                  "Common_GpsAutoTX2",
                                  "Common_GpsCommentCh",
                                  "Common_GpsSymCh",
                                  "Common_GpsTX",
                                  "Common_Gps_Alarm_Bank_CH",
                                  "Common_Gps_Alarm_Bank_Group",
                                  "Common_Gps_Alarm_Type",
                                  "Common_Gps_Log_Interval",
                                  "Common_Heterodyne",
                                  "Common_HsMode",
                                  "Common_ItmType",
                                  "Common_KeyBoardType",
                                  "Common_Language",
                                  "Common_Linear_Measure",
                                  "Common_Mic_Level",
                                  "Common_Name_Size",
                                  "Common_ObjTimeStamp",
                                  "Common_ObjType",
                                  "Common_POS_Area2",
                                  "Common_PauseTimer",
                                  "Common_PhgdDir",
                                  "Common_PhgdDir_JPN",
                                  "Common_PhgdGain",
                                  "Common_PhgdHeight_ft",
                                  "Common_PhgdHeight_m",
                                  "Common_PhgdPow",
                                  "Common_Play_Skip_Time",
                                  "Common_RF_Power",
                                  "Common_RXHis_CsName_Chg",
                                  "Common_RXPos_Disp",
                                  "Common_RXPos_Disp_Tm",
                                  "Common_Rain_Units",
                                  "Common_RecCondition",
                                  "Common_RecMicSel",
                                  "Common_RecMode",
                                  "Common_RemoteMicKey_Nor",
                                  "Common_RemoteMicKey_Tx",
                                  "Common_ResumeTimer",
                                  "Common_RxCallDisp",
                                  "Common_RxRecord",
                                  "Common_SaveForm",
                                  "Common_Scan_Edge",
                                  "Common_Scroll",
                                  "Common_Speech_Alphabet",
                                  "Common_Speech_Language",
                                  "Common_Speech_RxCall",
                                  "Common_Speech_Speed",
                                  "Common_Speed_Units",
                                  "Common_SqlAtt",
                                  "Common_SqlDelay",
                                  "Common_Standby_Beep",
                                  "Common_TOT",
                                  "Common_TXCallDisp",
                                  "Common_TempSkipTimer",
                                  "Common_Temp_Units",
                                  "Common_Temp_Units_JPN",
                                  "Common_Time_Stamp",
                                  "Common_ToneControl",
                                  "Common_TouchOp_Auto_Dimmer",
                                  "Common_TouchOp_Sub",
                                  "Common_USA_Auto_RPT",
                                  "Common_UpDnMicBtKey_Nor",
                                  "Common_VOX_Delay",
                                  "Common_VOX_Sens",
                                  "Common_VOX_TOT",
                                  "Common_VcTxRptTime",
                                  "Common_WidSpd_Units",
                                  "DTMF_SPEED",
                                  "DTMF_TxKey",
                                  "GPS_Alarm",
                                  "Mch_Bank_Group",
                                  "Mch_DSQL",
                                  "Mch_DTCS",
                                  "Mch_DTCS_Polarity",
                                  "Mch_Dup",
                                  "Mch_Mode_Air",
                                  "Mch_Mode_Air_wDV",
                                  "Mch_Mode_Air_wFM",
                                  "Mch_Mode_Air_wFMN",
                                  "Mch_Mode_VU",
                                  "Mch_Mode_VU_wAM",
                                  "Mch_Mode_VU_wAMN",
                                  "Mch_Scan_Skip",
                                  "Mch_TFreq",
                                  "Mch_TSQL",
                                  "Mch_TS_Pitch_Air",
                                  "Mch_TS_Pitch_Air_w10",
                                  "Mch_TS_Pitch_Air_w12_5",
                                  "Mch_TS_Pitch_Air_w15",
                                  "Mch_TS_Pitch_Air_w20",
                                  "Mch_TS_Pitch_Air_w30",
                                  "Mch_TS_Pitch_Air_w5",
                                  "Mch_TS_Pitch_Air_w50",
                                  "Mch_TS_Pitch_Air_w6_25",
                                  "Mch_TS_Pitch_Exp_VU",
                                  "Mch_TS_Pitch_Exp_VU_w8_33",
                                  "Mch_TS_Pitch_Exp_VU_wAuto",
                                  "Mch_TS_Pitch_Jpn_VU",
                                  "Mch_TS_Pitch_Jpn_VU_w8_33",
                                  "Mch_TVCH_Skip",
                                  "MenuMode_Active_Band",
                                  "MenuMode_GpsFormat",
                                  "MenuMode_GpsFormat_JPN",
                                  "Misc_AutoOff",
                                  "Misc_Enable",
                                  "Misc_Enable_I",
                                  "Misc_OnOff",
                                  "Misc_OnOff2",
                                  "Misc_OnOff2_I",
                                  "Misc_OnOffAuto",
                                  "Misc_OnOff_I",
                                  "Misc_YesNo",
                                  "Misc_YesNo2",
                                  "Misc_YesNo2_I",
                                  "PgSrch_Mode_Air",
                                  "PgSrch_Mode_Bar",
                                  "PgSrch_Mode_VU",
                                  "PgSrch_TS_Pitch_Air",
                                  "PgSrch_TS_Pitch_Bar",
                                  "PgSrch_TS_Pitch_Exp_VU",
                                  "PgSrch_TS_Pitch_Jpn_VU",
                                  "Pg_Link",
                                  "Rpt_Dup_DV",
                                  "Rpt_Dup_FM",
                                  "Rpt_Dup_Simplex",
                                  "Rpt_Mode_DV",
                                  "Rpt_Mode_FM",
                                  "Rpt_Position",
                                  "Rpt_Rpt1use",
                                  "Rpt_Tone",
                                  "Rpt_Type",
                                  "SSID",
                                  "Tx_Message_Ch_No_Sel"};

TEST(ChoiceLists, HoldExactlyTheListsTheCellsName) {
  std::set<std::string> expected;
  for (const char* n : kListNames) expected.insert(std::string("GI_Sheet_Sel_") + n);
  expected.insert("GI_Sheet_Common_SubBandMute");
  ASSERT_EQ(expected.size(), 162u);
  std::set<std::string> actual;
  for (const ChoiceList& l : kwtest::SourceChoiceLists()) actual.insert(l.key);
  EXPECT_EQ(actual, expected);
}

// The lists whose values a table of the program gives or the cells' rules
// imply, written out by hand: list id, columns and values in reading order
// ("a-b" a range).
struct Expected {
  const char* name;
  const char* id;
  int columns;
  const char* values;
  ListClass listClass;
};

constexpr ListClass G = ListClass::kGiven;
constexpr ListClass D = ListClass::kDerived;

const Expected kExpected[] = {
    // Given.
    {"Mch_Dup", "Flex0", 1, "0-2", G},
    {"Mch_Scan_Skip", "Flex0", 1, "0,1,3", G},
    {"Mch_TSQL", "Flex0", 1, "0,1,3,5-11", G},
    {"Mch_TFreq", "Flex0", 10, "0-49", G},
    {"Mch_DTCS", "Flex0", 12, "0-103", G},
    {"Mch_DTCS_Polarity", "Flex0", 1, "0-3", G},
    {"Mch_DSQL", "Flex0", 1, "0,2,4", G},
    {"Misc_OnOff", "Flex0", 1, "0,1", G},
    {"Rpt_Tone", "Flex0", 1, "0-2", G},
    {"Rpt_Rpt1use", "Flex0", 1, "0,1", G},
    {"Rpt_Position", "Flex0", 1, "0-2", G},
    {"Mch_Bank_Group", "Flex0", 3, "255,0-25", G},
    {"Rpt_Dup_FM", "CL_FlexMark_RptDup", 1, "1,2", G},
    {"Common_CIV_BaudRate", "Flex0", 1, "2-5", G},
    {"Common_GpsAutoTX2", "Flex0", 1, "0,2-8", G},
    {"Common_ObjTimeStamp", "Flex0", 1, "1,2", G},
    {"Rpt_Type", "Flex0", 1, "0-3", G},
    {"Common_CsvDate", "Flex0", 1, "0-2", G},
    {"Common_APRS_Symbol", "Flex0", 5, "0-73,255", G},
    {"SubBandMute", "Flex0", 1, "0-3", G},
    // Derived: modes and steps by band, with the current value added.
    {"Mch_Mode_Air", "CL_FlexMark_Mch", 1, "3,4", D},
    {"Mch_Mode_Air_wFM", "CL_FlexMark_Mch", 1, "0,3,4", D},
    {"Mch_Mode_Air_wFMN", "CL_FlexMark_Mch", 1, "1,3,4", D},
    {"Mch_Mode_Air_wDV", "CL_FlexMark_Mch", 1, "5,3,4", D},
    {"Mch_Mode_VU", "CL_FlexMark_Mch", 1, "0,1,5", D},
    {"Mch_Mode_VU_wAM", "CL_FlexMark_Mch", 1, "0,1,5,3", D},
    {"Mch_Mode_VU_wAMN", "CL_FlexMark_Mch", 1, "0,1,5,4", D},
    {"Mch_TS_Pitch_Air", "CL_FlexMark_Mch", 1, "2,8,14", D},
    {"Mch_TS_Pitch_Air_w5", "CL_FlexMark_Mch", 1, "0,2,8,14", D},
    {"Mch_TS_Pitch_Air_w6_25", "CL_FlexMark_Mch", 1, "1,2,8,14", D},
    {"Mch_TS_Pitch_Air_w10", "CL_FlexMark_Mch", 1, "2,4,8,14", D},
    {"Mch_TS_Pitch_Air_w12_5", "CL_FlexMark_Mch", 1, "2,5,8,14", D},
    {"Mch_TS_Pitch_Air_w15", "CL_FlexMark_Mch", 1, "2,6,8,14", D},
    {"Mch_TS_Pitch_Air_w20", "CL_FlexMark_Mch", 1, "2,7,8,14", D},
    {"Mch_TS_Pitch_Air_w30", "CL_FlexMark_Mch", 1, "2,8,9,14", D},
    {"Mch_TS_Pitch_Air_w50", "CL_FlexMark_Mch", 1, "2,8,10,14", D},
    {"Mch_TS_Pitch_Exp_VU", "CL_FlexMark_Mch", 1, "0,1,4-10", D},
    {"Mch_TS_Pitch_Exp_VU_w8_33", "CL_FlexMark_Mch", 1, "0-2,4-10", D},
    {"Mch_TS_Pitch_Exp_VU_wAuto", "CL_FlexMark_Mch", 1, "0,1,4-10,14", D},
    {"Mch_TS_Pitch_Jpn_VU", "CL_FlexMark_Mch", 1, "0,1,4-10,14", D},
    {"Mch_TS_Pitch_Jpn_VU_w8_33", "CL_FlexMark_Mch", 1, "0-2,4-10,14", D},
    {"PgSrch_TS_Pitch_Air", "CL_FlexMark_PgSrch", 1, "2,8,14,255", D},
    {"PgSrch_TS_Pitch_Exp_VU", "CL_FlexMark_PgSrch", 1, "0,1,4-10,255", D},
    {"PgSrch_TS_Pitch_Jpn_VU", "CL_FlexMark_PgSrch", 1, "0,1,4-10,14,255", D},
    {"PgSrch_TS_Pitch_Bar", "CL_FlexMark_PgSrch", 1, "255", D},
    {"PgSrch_Mode_Air", "Flex0", 1, "3,4,255", D},
    {"PgSrch_Mode_VU", "Flex0", 1, "0,1,5,255", D},
    {"PgSrch_Mode_Bar", "Flex0", 1, "255", D},
    {"Rpt_Mode_DV", "Flex0", 1, "0", D},
    {"Rpt_Mode_FM", "Flex0", 1, "1,2", D},
    {"Rpt_Dup_DV", "CL_FlexMark_RptDup", 1, "0-2", D},
    {"Rpt_Dup_Simplex", "CL_FlexMark_RptDup", 1, "0", D},
    {"GPS_Alarm", "Flex0", 1, "0-30", D},
    {"Common_Gps_Alarm_Type", "Flex0", 1, "0-3", D},
    {"Common_Gps_Alarm_Bank_Group", "Flex0", 1, "0-27,255", D},
    {"Common_Gps_Alarm_Bank_CH", "Flex0", 1, "0-26,255", D},
    {"Pg_Link", "Flex0", 2, "255,0-24", D},
    {"Common_Linear_Measure", "Flex0", 1, "0,1", D},
    {"Common_Speed_Units", "Flex0", 1, "0-2", D},
    {"Common_Baro_Units", "Flex0", 1, "0-3", D},
    {"Common_Rain_Units", "Flex0", 1, "0,1", D},
    {"Common_WidSpd_Units", "Flex0", 1, "0-2", D},
    {"Common_Temp_Units", "Flex0", 1, "0,1", D},
    {"Common_Temp_Units_JPN", "Flex0", 1, "0,1", D},
    {"MenuMode_GpsFormat", "Flex0", 1, "0,1", D},
    {"MenuMode_GpsFormat_JPN", "Flex0", 1, "0,1", D},
    {"Common_PhgdPow", "Flex0", 1, "0-9", D},
    {"Common_PhgdHeight_m", "Flex0", 1, "0-9", D},
    {"Common_PhgdHeight_ft", "Flex0", 1, "0-9", D},
    {"Common_PhgdGain", "Flex0", 1, "0-9", D},
    {"Common_PhgdDir", "Flex0", 1, "0-8", D},
    {"Common_PhgdDir_JPN", "Flex0", 1, "0-8", D},
    {"Common_GpsAutoTX", "Flex0", 1, "0-8", D},
};

std::vector<int> ParseValues(const std::string& text) {
  std::vector<int> values;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto comma = text.find(',', start);
    const std::string part = text.substr(start, comma == std::string::npos ? comma : comma - start);
    const auto dash = part.find('-');
    const int first = std::stoi(part.substr(0, dash));
    const int last = dash == std::string::npos ? first : std::stoi(part.substr(dash + 1));
    for (int v = first; v <= last; ++v) values.push_back(v);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return values;
}

std::string KeyOf(const char* name) {
  return std::string(name) == "SubBandMute" ? "GI_Sheet_Common_SubBandMute"
                                            : std::string("GI_Sheet_Sel_") + name;
}

TEST(ChoiceLists, GivenAndDerivedListsMatchTheirExpectation) {
  ASSERT_EQ(std::size(kExpected), 73u);  // 20 given, 53 derived
  for (const Expected& e : kExpected) {
    const ChoiceList* l = kwtest::FindSourceList(KeyOf(e.name));
    ASSERT_NE(l, nullptr) << e.name;
    EXPECT_EQ(l->listId, e.id) << e.name;
    EXPECT_EQ(l->columns, e.columns) << e.name;
    EXPECT_EQ(kwtest::SourceValues(l->key), ParseValues(e.values)) << e.name;
    EXPECT_EQ(l->listClass, e.listClass) << e.name;
    EXPECT_TRUE(l->authored.empty()) << e.name << " carries an authored mark";
  }
}

// Every other list is the program's own reading and says so.
TEST(ChoiceLists, EveryOtherListIsMarkedAuthored) {
  std::set<std::string> expected;
  for (const Expected& e : kExpected) expected.insert(KeyOf(e.name));
  int authored = 0;
  for (const ChoiceList& l : kwtest::SourceChoiceLists()) {
    if (expected.count(l.key)) continue;
    ++authored;
    EXPECT_EQ(l.listClass, ListClass::kAuthored) << l.key;
    EXPECT_FALSE(l.authored.empty()) << l.key;
  }
  EXPECT_EQ(authored, 89);
}

// Lists used with an explicit id carry it; every other list uses Flex0.
TEST(ChoiceLists, ExplicitIdListsAreTheModeStepAndDuplexLists) {
  for (const ChoiceList& l : kwtest::SourceChoiceLists()) {
    const std::string name = l.key.substr(std::string("GI_Sheet_Sel_").size());
    std::string id = "Flex0";
    if (name.rfind("Mch_Mode_", 0) == 0 || name.rfind("Mch_TS_Pitch_", 0) == 0)
      id = "CL_FlexMark_Mch";
    else if (name.rfind("PgSrch_TS_Pitch_", 0) == 0)
      id = "CL_FlexMark_PgSrch";
    else if (name.rfind("Rpt_Dup_", 0) == 0)
      id = "CL_FlexMark_RptDup";
    EXPECT_EQ(l.listId, id) << l.key;
  }
}

std::string EnglishOf(const std::string& key, int value) {
  const ChoiceList* l = kwtest::FindSourceList(key);
  if (l) {
    for (const choicegen::Option& o : l->options)
      if (o.value == value) return o.english;
  }
  return "<none>";
}

TEST(ChoiceLists, SpotTexts) {
  struct Case {
    const char* name;
    int value;
    const char* text;
  } cases[] = {
      {"Mch_TFreq", 8, "88.5Hz"},
      {"Mch_DTCS", 0, "023"},
      {"Mch_DTCS", 103, "754"},
      {"Rpt_Type", 2, "FM Repeater"},
      {"Common_CsvDate", 1, "mm/dd/yyyy"},
      {"SubBandMute", 3, "Mute & Beep"},
      {"Common_APRS_Symbol", 12, "Car"},
      {"Common_APRS_Symbol", 58, "Quor Radio"},
      {"Common_CIV_BaudRate", 2, "4800bps"},
      {"Common_CIV_BaudRate", 5, "Auto"},
      {"Mch_Bank_Group", 0, "A"},
      {"Mch_Bank_Group", 25, "Z"},
      {"Mch_TSQL", 11, "TONE(T)/TSQL(R)"},
      {"Mch_DTCS_Polarity", 2, "TR-RN"},
      {"Common_Scan_Edge", 0, "ALL"},
      {"Common_Scan_Edge", 1, "P0"},
  };
  for (const Case& c : cases) EXPECT_EQ(EnglishOf(KeyOf(c.name), c.value), c.text) << c.name;
}

// Only the lists that show an option as an empty cell declare a cell text.
TEST(ChoiceLists, CellTextsOnlyWhereAnEmptyCellIsMeant) {
  std::set<std::string> declared;
  for (const ChoiceList& l : kwtest::SourceChoiceLists())
    for (const choicegen::Option& o : l.options)
      if (o.hasCellText) {
        EXPECT_EQ(o.cellText, "") << l.key;
        declared.insert(l.key + "[" + std::to_string(o.value) + "]");
      }
  EXPECT_EQ(declared,
            (std::set<std::string>{"GI_Sheet_Sel_Mch_Bank_Group[255]", "GI_Sheet_Sel_Pg_Link[255]",
                                   "GI_Sheet_Sel_Rpt_Dup_DV[0]"}));
}

// A list with words gets Japanese words: wherever an English caption holds a
// word (a capital or small letter followed by two or more small ones) that is
// no unit, the Japanese caption differs.
TEST(ChoiceLists, WordsHaveJapaneseCaptions) {
  const std::set<std::string> units = {"sec", "min", "bps", "mbar", "mmHg", "inHg", "yyyy", "mph"};
  auto isLower = [](char c) { return c >= 'a' && c <= 'z'; };
  for (const ChoiceList& l : kwtest::SourceChoiceLists()) {
    for (const choicegen::Option& o : l.options) {
      bool word = false;
      std::string run;
      for (const char c : o.english + " ") {
        if (isLower(c) || (c >= 'A' && c <= 'Z')) {
          run += c;
          continue;
        }
        if (run.size() >= 3 && std::all_of(run.begin() + 1, run.end(), isLower) &&
            !units.count(run))
          word = true;
        run.clear();
      }
      if (word) {
        EXPECT_NE(o.japanese, o.english) << l.key << " " << o.value << " " << o.english;
      }
    }
  }
}

}  // namespace
