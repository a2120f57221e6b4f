#include "core/ComPortNumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct PortCase {
  std::string text;
  std::optional<int> port;
};

TEST(ComPortNumber, ReadsWholeNumbersOfTheRangeOnly) {
  const PortCase cases[] = {
      {"1", 1},         {"256", 256},    {" 12 ", 12},         {"\t7\r\n", 7},
      {"007", 7},       {"0", {}},       {"257", {}},          {"abc", {}},
      {"", {}},         {"   ", {}},     {"3.5", {}},          {"-1", {}},
      {"+3", {}},       {"1 2", {}},     {"COM3", {}},         {"3a", {}},
      {"99999999999999999999", {}},      {"\xef\xbc\x93", {}},  // a full-width 3
  };
  for (const PortCase& c : cases)
    EXPECT_EQ(core::ReadComPortNumber(c.text), c.port) << '"' << c.text << '"';
}

}  // namespace
