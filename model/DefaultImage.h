#pragma once
// The sixteen built-in default images, one per destination code 0..15: each a
// revision-3 image of 172928 bytes generated from the editable settings table
// resources/default-images/DefaultImageSettings.inc and the item-record codec
// (see the README there). Nothing is read from a clock, and the destination
// in force is the same afterwards.
#include <cstdint>
#include <string>
#include <vector>

#include "model/cmcEeprom.h"

inline constexpr std::int32_t kDefaultImageSize = 172928;
inline constexpr int kDefaultImageCount = 16;

// The default image of a destination; 16 or more (and below 0) give image 0.
cmcEeprom BuildDefaultImage(int destination);

// One row of the settings table.
struct DefaultImageSetting {
  int line = 0;  // line in the table source
  std::int64_t offset = 0;
  int width = 0;
  std::vector<std::uint8_t> value;  // width bytes (empty for band defaults)
  bool bandDefaults = false;        // the destination's three band-default records
  std::uint32_t destinations = 0;   // bit d: applies to destination d
  std::string note;
};

// The parsed table; a malformed row is an internal failure naming its line.
const std::vector<DefaultImageSetting>& DefaultImageSettings();
// Parses a table text; on error answers false with the line and reason.
bool ParseDefaultImageSettings(const std::string& text, std::vector<DefaultImageSetting>& rows,
                               std::string& error);
