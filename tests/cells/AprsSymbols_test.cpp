// kw-test: link=rx_format
// The position-report symbols: the names the program gives (checked against
// the full list of named symbols), the overlay form, the 74 selectable codes
// and the lookups that must never read past a table.
#include "cells/rxformat/AprsSymbols.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Named {
  char symbol;
  const char* english;
};

// Every named symbol of the two tables.
const Named kPrimary[] = {
    {'!', "Sheriff"},         {'#', "Digipeater"},
    {'&', "Gateway"},         {'\'', "Small Aircraft"},
    {'+', "Red Cross"},       {',', "Boy Scouts"},
    {'-', "House QTH (VHF)"}, {'.', "X"},
    {'/', "Red Dot"},         {':', "Fire"},
    {';', "Campground"},      {'<', "Motorcycle"},
    {'=', "Railroad Engine"}, {'>', "Car"},
    {'C', "Canoe"},           {'E', "Eyeball"},
    {'K', "School"},          {'L', "PC User"},
    {'O', "Balloon"},         {'P', "Police"},
    {'R', "Recreational Vehicle"}, {'S', "Shuttle"},
    {'T', "SSTV"},            {'U', "Bus"},
    {'V', "ATV"},             {'W', "WX Service"},
    {'X', "Helicopter"},      {'Y', "Yacht"},
    {'[', "Person"},          {'\\', "DF station"},
    {'^', "Large Aircraft"},  {'_', "WX Station"},
    {'`', "Dish Antenna"},    {'a', "Ambulance"},
    {'b', "Bicycle"},         {'f', "Fire Truck"},
    {'g', "Glider"},          {'h', "Hospital"},
    {'j', "Jeep"},            {'k', "Truck"},
    {'n', "Node"},            {'p', "Rover"},
    {'r', "Repeater"},        {'s', "Ship(powerboat)"},
    {'u', "Truck(18-wheeler)"}, {'v', "Van"},
    {'y', "Yagi @ QTH"},
};
const Named kAlternate[] = {
    {'#', "Overlayed Digipeater"}, {'&', "Overlayed Gateway"},
    {',', "Girl Scouts"},          {'-', "House (HF)"},
    {'.', "Big Question Mark"},    {'0', "Circle"},
    {';', "Park/Picnic Area"},     {'>', "Overlayed Car"},
    {'L', "Lighthouse"},           {'S', "Satellite"},
    {'U', "Sunny"},                {'W', "Overlayed WX Service"},
    {'Y', "Radio"},                {'^', "Aircraft"},
    {'_', "Overlayed WX Station"}, {'a', "Overlayed Diamond"},
    {'c', "RACES"},                {'g', "Gale Flags"},
    {'h', "Ham Store"},            {'j', "Work Zone"},
    {'m', "Speedpost(Value Signpost)"}, {'n', "Triangle"},
    {'o', "Small Circle"},         {'s', "Overlayed Ship"},
    {'t', "Tornado"},              {'u', "Overlayed Truck"},
    {'v', "Overlayed Van"},        {'x', "Wreck"},
};

std::string Code(char table, char symbol) { return {table, symbol}; }

TEST(AprsSymbols, NamesEveryNamedSymbolAndNoOther) {
  std::set<std::string> named;
  for (const Named& n : kPrimary) {
    std::string name;
    EXPECT_TRUE(GetAprsSymbolName(Code('/', n.symbol), kAprsLanguageEnglish, name)) << n.symbol;
    EXPECT_EQ(name, n.english);
    std::string japanese;
    EXPECT_TRUE(GetAprsSymbolName(Code('/', n.symbol), kAprsLanguageJapanese, japanese));
    EXPECT_FALSE(japanese.empty());
    named.insert(Code('/', n.symbol));
  }
  for (const Named& n : kAlternate) {
    std::string name;
    EXPECT_TRUE(GetAprsSymbolName(Code('\\', n.symbol), kAprsLanguageEnglish, name)) << n.symbol;
    EXPECT_EQ(name, n.english);
    named.insert(Code('\\', n.symbol));
  }
  for (char table : {'/', '\\'})
    for (int s = '!'; s <= '~'; ++s) {
      const std::string code = Code(table, static_cast<char>(s));
      if (named.count(code)) continue;
      std::string name;
      EXPECT_FALSE(GetAprsSymbolName(code, kAprsLanguageEnglish, name)) << code;
      EXPECT_EQ(name, code);
    }
}

TEST(AprsSymbols, OverlayQuorAndUnnamedCodes) {
  struct Case {
    std::string code;
    bool found;
    const char* name;
  };
  const Case cases[] = {
      {"/>", true, "Car"},
      {"A>", true, "Overlayed Car (A)"},
      {"\\>", true, "Overlayed Car"},
      {"9#", true, "Overlayed Digipeater (9)"},
      {"QY", true, "Quor Radio"},
      {"\\Y", true, "Radio"},
      {"RY", true, "Radio (R)"},
      {"/$", false, "/$"},
      {"A$", false, "A$"},
      {"a>", false, "a>"},            // not a table character
      {"/ ", false, "/ "},            // symbol below "!"
      {"/\x7F", false, "/"},          // DEL: past "~", and not printable
      {"\\\x80", false, "\\"},        // past the table, never read
      {"\xFF\xFF", false, ""},
      {"/", false, "/"},              // too short
  };
  for (const Case& c : cases) {
    std::string name = "old";
    EXPECT_EQ(GetAprsSymbolName(c.code, kAprsLanguageEnglish, name), c.found) << c.code;
    EXPECT_EQ(name, c.name) << c.code;
  }
  std::string ja;
  EXPECT_TRUE(GetAprsSymbolName("A>", kAprsLanguageJapanese, ja));
  EXPECT_EQ(ja, "\x8E\xA9\x93\xAE\x8E\xD4(\x83I\x81[\x83o\x81[\x83\x8C\x83" "C) (A)");
}

TEST(AprsSymbols, SelectableCodesAndTheirIndexes) {
  EXPECT_EQ(FindAprsSymbolIndex("A>", true), 52);
  EXPECT_EQ(FindAprsSymbolIndex("A>", false), 255);
  EXPECT_EQ(FindAprsSymbolIndex("\\>", false), 52);
  EXPECT_EQ(FindAprsSymbolIndex("QY", true), 58);
  EXPECT_EQ(FindAprsSymbolIndex("/$", true), 255);
  EXPECT_EQ(FindAprsSymbolIndex("/", true), 255);
  for (int i = 0; i < 74; ++i) {
    const auto code = GetAprsSymbolCode(i);
    ASSERT_TRUE(code);
    const std::string text = Code(code->table, code->symbol);
    EXPECT_EQ(FindAprsSymbolIndex(text, false), i) << text;
    std::string name;
    EXPECT_TRUE(GetAprsSymbolName(text, kAprsLanguageEnglish, name)) << text;
  }
  EXPECT_FALSE(GetAprsSymbolCode(74));
  EXPECT_FALSE(GetAprsSymbolCode(255));
  EXPECT_FALSE(GetAprsSymbolCode(-1));
}

TEST(AprsSymbols, CharacterClasses) {
  EXPECT_TRUE(IsAprsTableChar('/'));
  EXPECT_TRUE(IsAprsTableChar('\\'));
  EXPECT_TRUE(IsAprsTableChar('Z'));
  EXPECT_FALSE(IsAprsTableChar('a'));
  EXPECT_TRUE(IsAprsPrimaryTable('/'));
  EXPECT_FALSE(IsAprsPrimaryTable('\\'));
  EXPECT_TRUE(IsAprsAlternateTable('0'));
  EXPECT_FALSE(IsAprsAlternateTable('/'));
  EXPECT_TRUE(IsAprsOverlayChar('9'));
  EXPECT_FALSE(IsAprsOverlayChar('['));
  EXPECT_TRUE(IsAllowedTextChar('!'));
  EXPECT_TRUE(IsAllowedTextChar('~'));
  EXPECT_FALSE(IsAllowedTextChar(' '));
  EXPECT_FALSE(IsAllowedTextChar('\x7F'));
}

}  // namespace
