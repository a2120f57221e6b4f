#include "cells/CommonSettings.h"

namespace commonset {

int PositionFormat(const CommonBlock& common) { return common.Get8(kPositionFormat); }

bool MetricAltitude(const CommonBlock& common) { return common.Get8(kAltitudeUnit) == 0; }

int AltitudeUnit(const CommonBlock& common) { return common.Get8(kAltitudeUnit); }

int SpeedUnit(const CommonBlock& common) { return common.Get8(kSpeedUnit); }

int TemperatureUnit(const CommonBlock& common) { return common.Get8(kTemperatureUnit); }

int PressureUnit(const CommonBlock& common) { return common.Get8(kPressureUnit); }

int RainUnit(const CommonBlock& common) { return common.Get8(kRainUnit); }

int WindSpeedUnit(const CommonBlock& common) { return common.Get8(kWindSpeedUnit); }

int GpsTxMode(const CommonBlock& common) { return common.Get8(kGpsTxMode); }

SixFlags SentenceFlags(const CommonBlock& common) {
  SixFlags flags{};
  for (int i = 0; i < kSentenceCount; ++i)
    flags[static_cast<std::size_t>(i)] = common.Get8(kSentenceFlags + i) != 0 ? 1 : 0;
  return flags;
}

void SetSentenceFlags(CommonBlock& common, const SixFlags& flags) {
  for (int i = 0; i < kSentenceCount; ++i)
    common.Set8(kSentenceFlags + i, flags[static_cast<std::size_t>(i)] != 0 ? 1 : 0);
}

int GpsAutoTx(const CommonBlock& common) { return common.Get8(kGpsAutoTx); }

void SetGpsAutoTx(CommonBlock& common, int value) {
  common.Set8(kGpsAutoTx, static_cast<std::uint8_t>(value));
}

bool WxAlertOn(const CommonBlock& common, int band) { return common.Get8(kWxAlert + band) != 0; }

std::uint32_t HomeVfo(const CommonBlock& common) { return common.Get32(kHomeVfo); }

void ClearHomeVfo(CommonBlock& common) { common.Set32(kHomeVfo, 0); }

}  // namespace commonset
