#pragma once
// Cell colours and font specs as Qt values, for drawing.
//
// Fixed colours 0x00BBGGRR become their RGB; system colours 0xFF0000nn are
// taken from a palette by a fixed table of roles (5 clWindow: Base, 8
// clWindowText: Text, 15 clBtnFace: Button...), so tests pass a fixed palette.
// A font's negative height is its pixel size; a positive height is the cell
// height, and the font gets the largest pixel size whose line height fits in
// it. Faces the system does not have are replaced: "MS Sans Serif" and
// "Arial" by DejaVu Sans, the Japanese default faces by the IPA Gothic faces.
// The character set is not used: Qt picks glyphs per character.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <cstdint>

#include "core/FontSpec.h"

QColor ToQColor(std::uint32_t color, const QPalette& palette);
// The same over the application's palette.
QColor ToQColor(std::uint32_t color);

// The palette group and role a system colour index stands for.
struct SystemColorRole {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};
SystemColorRole SystemColorToRole(int index);

// The family Qt is asked for in place of a face name (code page 932 bytes).
QString FontFamilyFor(const std::string& face);

QFont ToQFont(const FontSpec& spec);
