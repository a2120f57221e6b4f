#pragma once
// Code page 932 <-> Unicode at the boundary between the program's byte texts
// and Qt (glibc iconv "CP932", where 0x5C and 0x7E stay backslash and tilde).
#include <QString>
#include <string>
#include <string_view>

namespace platform {

enum class Cp932Display {
  Japanese,  // every byte as code page 932
  Western,   // the English interface shows 0xB0 and 0xB7 as U+00B0 and U+00B7
};

// Never stops early: a byte that cannot start a character, a lead byte before
// a non-trail byte or at the end, and a pair that does not decode each give
// one U+FFFD (the pair as a whole).
QString Cp932ToUnicode(std::string_view bytes, Cp932Display display = Cp932Display::Japanese);

// Characters code page 932 lacks become "?"; *lossy (when given) tells whether
// that happened.
std::string UnicodeToCp932(const QString& text, bool* lossy = nullptr);

}  // namespace platform
