#include "support/model/ListFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "model/BankTable.h"
#include "model/DefaultImage.h"
#include "model/DefaultInitialImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace kwtest {

namespace {

struct Line {
  std::string what;
  std::vector<std::string> args;              // positional words
  std::map<std::string, std::string> fields;  // key=value, quotes removed
};

// Splits at blanks; a value in double quotes keeps its blanks.
bool Tokenize(const std::string& text, Line& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
      ++i;
      continue;
    }
    std::string word;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') {
      if (text[i] == '"') {
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string::npos) return false;
        word.append(text, i + 1, close - i - 1);
        i = close + 1;
      } else {
        word += text[i++];
      }
    }
    words.push_back(word);
  }
  line.what = words[0];
  for (std::size_t k = 1; k < words.size(); ++k) {
    const std::size_t eq = words[k].find('=');
    if (eq == std::string::npos)
      line.args.push_back(words[k]);
    else
      line.fields[words[k].substr(0, eq)] = words[k].substr(eq + 1);
  }
  return true;
}

class Applier {
 public:
  Applier(cmcEeprom& image, std::string where) : image_(image), where_(std::move(where)) {}

  void Apply(const Line& line) {
    if (line.what == "channel")
      Channel(line);
    else if (line.what == "repeater")
      Repeater(line);
    else if (line.what == "group-name")
      GroupName(line);
    else if (line.what == "yourcall")
      YourCall(line);
    else if (line.what == "gps")
      Gps(line);
    else if (line.what == "gps-alarm")
      Alarm(line);
    else if (line.what == "selected-channel")
      SetSelectedChannel(image_, Selected(line));
    else if (line.what == "selected-repeater")
      SetSelectedRepeater(image_, Selected(line));
    else if (line.what == "blank-repeater")
      BlankRepeater(line);
    else
      Fail("unknown entry " + line.what);
  }

 private:
  void Fail(const std::string& why) { ADD_FAILURE() << where_ << ": " << why; }

  std::uint32_t Number(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) Fail("not a number: " + text);
    return value;
  }
  std::uint32_t Arg(const Line& line, std::size_t k) {
    if (k >= line.args.size()) {
      Fail("missing argument");
      return 0;
    }
    return Number(line.args[k]);
  }
  bool Has(const Line& line, const char* key) { return line.fields.count(key) != 0; }
  std::uint32_t Field(const Line& line, const char* key, std::uint32_t otherwise) {
    return Has(line, key) ? Number(line.fields.at(key)) : otherwise;
  }
  template <std::size_t N>
  void Text(const Line& line, const char* key, datText<N>& field) {
    if (Has(line, key)) SetText(field, line.fields.at(key).c_str());
  }
  template <std::size_t N>
  void Bcd(const Line& line, const char* key, std::array<std::uint8_t, N>& bytes,
           const char* otherwise) {
    const std::string digits = Has(line, key) ? line.fields.at(key) : otherwise;
    if (digits.size() != 2 * N) return Fail(std::string("bad BCD ") + key);
    for (std::size_t k = 0; k < N; ++k)
      bytes[k] =
          static_cast<std::uint8_t>(((digits[2 * k] - '0') << 4) | (digits[2 * k + 1] - '0'));
  }
  std::uint16_t Selected(const Line& line) {
    if (!line.args.empty() && line.args[0] == "none") return 0xFFFF;
    return static_cast<std::uint16_t>(Arg(line, 0));
  }

  void Channel(const Line& line) {
    datCh r(&image_);
    r.Load(itemkind::kChannel, Arg(line, 0));
    r.flags |= datCh::kUsed;
    r.freq = Field(line, "freq", r.freq);
    r.duplex = Field(line, "duplex", r.duplex);
    r.offset = Field(line, "offset", r.offset);
    r.mode = Field(line, "mode", r.mode);
    Text(line, "name", r.name);
    Text(line, "ur", r.urCall);
    Text(line, "rpt1", r.rpt1Call);
    Text(line, "rpt2", r.rpt2Call);
    r.bank = datCh::kBankNone;
    if (Has(line, "bank")) {
      const std::string& bank = line.fields.at("bank");
      if (bank.size() != 1 || bank[0] < 'A' || bank[0] > 'Z') return Fail("bad bank " + bank);
      r.bank = static_cast<std::uint32_t>(bank[0] - 'A');
      r.bankSlot = Field(line, "slot", 0);
    }
    if (!r.StoreSelf()) Fail("channel not stored");
  }

  void Repeater(const Line& line) {
    const int g = static_cast<int>(Arg(line, 0));
    const int i = GetRptGroupFirst(image_, g) + GetRptGroupCount(image_, g);
    if (!RptListInsert(image_, g, i)) return Fail("repeater not inserted");
    datCh r(&image_);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    const std::string type = Has(line, "type") ? line.fields.at("type") : "DV";
    if (type == "DV")
      r.rptMode = layout::rpt::kTypeDv;
    else if (type == "FM")
      r.rptMode = layout::rpt::kTypeFm;
    else if (type == "FM-N")
      r.rptMode = layout::rpt::kTypeFmN;
    else
      return Fail("bad type " + type);
    Text(line, "name", r.name);
    Text(line, "call", r.rptCall);
    SetText(r.gwCall, "");
    Text(line, "gateway", r.gwCall);
    r.freq = Field(line, "freq", 0);
    r.duplex = Field(line, "duplex", 0);
    r.offset = Field(line, "offset", 0);
    r.useFrom = Field(line, "usefrom", 0);
    if (!r.StoreSelf()) Fail("repeater not stored");
  }

  void GroupName(const Line& line) {
    const std::uint32_t g = Arg(line, 0);
    if (g >= static_cast<std::uint32_t>(layout::kRptGroups)) return Fail("bad group");
    datText<16> name;
    SetText(name, "");
    Text(line, "name", name);
    image_.SetBlock(layout::kRptGroupNames + 16 * static_cast<std::int64_t>(g), name.data(),
                    static_cast<std::int64_t>(name.size()));
  }

  void BlankRepeater(const Line& line) {
    const std::uint32_t i = Arg(line, 0);
    if (i >= static_cast<std::uint32_t>(layout::kRptCapacity)) return Fail("bad repeater index");
    const std::vector<std::uint8_t> zeros(layout::kRptSize, 0);
    image_.SetBlock(layout::RptAddress(static_cast<int>(i)), zeros.data(), layout::kRptSize);
    datCh r(&image_);
    r.Load(itemkind::kBlankRepeater, i);
    if (!r.Store(itemkind::kRepeater, i)) Fail("blank repeater not stored");
  }

  void YourCall(const Line& line) {
    const int i = GetYourCallCount(image_);
    if (!UrListInsert(image_, i)) return Fail("your-call sign not inserted");
    datCh r(&image_);
    r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    Text(line, "name", r.name);
    Text(line, "call", r.urCall);
    if (!r.StoreSelf()) Fail("your-call sign not stored");
  }

  void Gps(const Line& line) {
    const int g = static_cast<int>(Arg(line, 0));
    const int p =
        GpsGroupCount(image_, g) > 0 ? GpsGroupLast(image_, g) + 1 : GpsOrderCount(image_);
    if (!GpsMemInsert(image_, g, p)) return Fail("GPS memory not inserted");
    datCh r(&image_);
    r.Load(itemkind::kGpsMemory, static_cast<std::uint32_t>(p));
    Text(line, "name", r.gpsName);
    Bcd(line, "date", r.gpsDate, "010126");
    Bcd(line, "time", r.gpsTime, "000000");
    if (!r.StoreSelf()) Fail("GPS memory not stored");
  }

  void Alarm(const Line& line) {
    GpsAlarm alarm;
    alarm.type = static_cast<std::uint8_t>(Field(line, "type", 0));
    alarm.group = static_cast<std::uint8_t>(Field(line, "group", 0));
    alarm.position = static_cast<std::uint16_t>(Field(line, "position", 0));
    SetGpsAlarm(image_, alarm);
  }

  cmcEeprom& image_;
  std::string where_;
};

}  // namespace

cmcEeprom InitialImageDest0() { return FullFromDefaultImage(BuildDefaultImage(0)); }

void ApplyListFixture(cmcEeprom& image, const std::string& name) {
  ScopedDestination destination{indDestination(0)};
  const std::string path = std::string(KW_TEST_DATA_DIR) + "/lists/" + name;
  std::ifstream file(path);
  if (!file) {
    ADD_FAILURE() << "cannot read " << path;
    return;
  }
  std::string text;
  for (int number = 1; std::getline(file, text); ++number) {
    if (const std::size_t hash = text.find('#'); hash != std::string::npos) {
      // A "#" inside quotes belongs to the value.
      if (std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(hash), '"') % 2 == 0)
        text.erase(hash);
    }
    if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
    Line line;
    if (!Tokenize(text, line)) {
      ADD_FAILURE() << name << ":" << number << ": unclosed quote";
      continue;
    }
    Applier(image, name + ":" + std::to_string(number)).Apply(line);
  }
  RebuildBankTable(image);
}

cmcEeprom LoadListFixture(const std::string& name) {
  cmcEeprom image = InitialImageDest0();
  ApplyListFixture(image, name);
  return image;
}

}  // namespace kwtest
