#pragma once
// Named fields of the common settings block (offsets from its start,
// imageaccess::CommonBlock) that are read or written by more than the one
// cell that shows them: the units and the position format the converters
// follow, the GPS transmit settings, the conditions that grey other
// settings, and the home VFO. Fields the model already names keep that one
// name: the UTC offset, the GPS alarm, the position format, the home memory
// channel and the selected repeater (model/LayoutImage.h, with their
// accessors in model/GpsDateTime.h and model/ListCounts.h).
//
// A flag byte read as a condition counts as set when it is not 0; a store
// writes 0 or 1.
#include <cstdint>

#include "cells/SixFlags.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"

namespace commonset {

using imageaccess::CommonBlock;

constexpr std::int64_t OffsetOf(std::int64_t imageOffset) {
  return imageOffset - layout::kCommonSettings;
}

inline constexpr std::int64_t kLogSentences = 0x10;   // the GPS logger's sentence bits
inline constexpr std::int64_t kGpsTxMode = 0x30;      // 0 off, 1 D-PRS, 2 NMEA
inline constexpr std::int64_t kSentenceFlags = 0x31;  // six bytes: RMC GGA GLL GSA VTG GSV
inline constexpr int kSentenceCount = 6;
inline constexpr std::int64_t kGpsAutoTx = 0x37;
inline constexpr std::int64_t kWxAlert = 0x40;  // + band (0 A, 1 B)
inline constexpr std::int64_t kSystemLanguage = 0x57;
inline constexpr std::int64_t kPositionFormat = OffsetOf(layout::kGpsPositionFormat);
inline constexpr std::int64_t kAltitudeUnit = 0x59;  // 0 metres, else feet
inline constexpr std::int64_t kSpeedUnit = 0x5A;
inline constexpr std::int64_t kTemperatureUnit = 0x5B;
inline constexpr std::int64_t kPressureUnit = 0x5C;
inline constexpr std::int64_t kRainUnit = 0x5D;
inline constexpr std::int64_t kWindSpeedUnit = 0x5E;
inline constexpr std::int64_t kGpsSelect = 0x67;
inline constexpr std::int64_t kHomeVfo = 0x91;  // 32 bits, 0 none
inline constexpr std::int64_t kHomeMemory = OffsetOf(layout::kMemoryHomeChannel);
inline constexpr std::int64_t kHomeRepeater = OffsetOf(layout::kSelectedRepeater);
inline constexpr std::int64_t kGpsAlarm = OffsetOf(layout::kGpsAlarm);  // type, group, memory
inline constexpr std::int64_t kUtcOffset = OffsetOf(layout::kUtcOffset);
// The position report, the object and the item: data extension, and what
// says an altitude is sent (the position report's flag byte, the object's
// and item's own altitude unless empty).
inline constexpr std::int64_t kPositionExtension = 0x3F8;
inline constexpr std::int64_t kPositionAltitudeFlag = 0x3FE;
inline constexpr std::int64_t kObjectAltitude = 0x43E;
inline constexpr std::int64_t kObjectExtension = 0x446;
inline constexpr std::int64_t kItemAltitude = 0x48C;
inline constexpr std::int64_t kItemExtension = 0x494;

inline constexpr int kGpsTxNmea = 2;
inline constexpr int kGpsSelectManual = 3;
inline constexpr int kSystemJapanese = 1;
inline constexpr int kExtensionCourseSpeed = 1;
inline constexpr int kExtensionPhgd = 2;

// 0 hundredths of a minute, any other value seconds.
int PositionFormat(const CommonBlock& common);
bool MetricAltitude(const CommonBlock& common);
// The unit settings, numbered as their choice lists ("GI_Sheet_Sel_Common_
// Linear_Measure", "_Speed_Units", "_Temp_Units", "_Baro_Units",
// "_Rain_Units", "_WidSpd_Units").
int AltitudeUnit(const CommonBlock& common);
int SpeedUnit(const CommonBlock& common);
int TemperatureUnit(const CommonBlock& common);
int PressureUnit(const CommonBlock& common);
int RainUnit(const CommonBlock& common);
int WindSpeedUnit(const CommonBlock& common);
int GpsTxMode(const CommonBlock& common);
// The six sentence flags, each 0 or 1.
SixFlags SentenceFlags(const CommonBlock& common);
void SetSentenceFlags(CommonBlock& common, const SixFlags& flags);
int GpsAutoTx(const CommonBlock& common);
void SetGpsAutoTx(CommonBlock& common, int value);
bool WxAlertOn(const CommonBlock& common, int band);
std::uint32_t HomeVfo(const CommonBlock& common);
void ClearHomeVfo(CommonBlock& common);

}  // namespace commonset
