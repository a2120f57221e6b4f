#pragma once
// Colours as the cell markup names them ("clRed", "clWindow"...) and the
// values they stand for: 0x00BBGGRR for fixed colours (red in the low byte),
// 0xFF0000nn for the system colour with index nn, which the drawing side
// takes from the palette in force. Names are exact and case-sensitive
// ("clHightlightText" is spelt so); numbers are not colour names. Nothing
// here depends on Qt's widgets.
#include <cstdint>
#include <string_view>

namespace color {

inline constexpr std::uint32_t kSystemFlag = 0xFF000000u;

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kMaroon = 0x000080;
inline constexpr std::uint32_t kGreen = 0x008000;
inline constexpr std::uint32_t kOlive = 0x008080;
inline constexpr std::uint32_t kNavy = 0x800000;
inline constexpr std::uint32_t kPurple = 0x800080;
inline constexpr std::uint32_t kTeal = 0x808000;
inline constexpr std::uint32_t kGray = 0x808080;
inline constexpr std::uint32_t kSilver = 0xC0C0C0;
inline constexpr std::uint32_t kRed = 0x0000FF;
inline constexpr std::uint32_t kLime = 0x00FF00;
inline constexpr std::uint32_t kYellow = 0x00FFFF;
inline constexpr std::uint32_t kBlue = 0xFF0000;
inline constexpr std::uint32_t kFuchsia = 0xFF00FF;
inline constexpr std::uint32_t kAqua = 0xFFFF00;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

inline constexpr std::uint32_t kMenu = 0xFF000004;
inline constexpr std::uint32_t kWindow = 0xFF000005;
inline constexpr std::uint32_t kWindowText = 0xFF000008;
inline constexpr std::uint32_t kHighlight = 0xFF00000D;
inline constexpr std::uint32_t kHighlightText = 0xFF00000E;
inline constexpr std::uint32_t kBtnFace = 0xFF00000F;
inline constexpr std::uint32_t kGrayText = 0xFF000011;

inline constexpr bool IsSystem(std::uint32_t value) { return (value & 0xFF000000u) == kSystemFlag; }
// nn of a system colour 0xFF0000nn.
inline constexpr int SystemIndex(std::uint32_t value) { return static_cast<int>(value & 0xFFu); }
inline constexpr int Red(std::uint32_t value) { return static_cast<int>(value & 0xFFu); }
inline constexpr int Green(std::uint32_t value) { return static_cast<int>((value >> 8) & 0xFFu); }
inline constexpr int Blue(std::uint32_t value) { return static_cast<int>((value >> 16) & 0xFFu); }

}  // namespace color

// 0 and the value when the name is one of the 38 colour names; 1 and the
// value left as it was otherwise.
int ColorNameToColor(std::string_view name, std::uint32_t& value);
