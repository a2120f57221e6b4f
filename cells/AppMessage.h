#pragma once
// The OK/Cancel question of the list edit commands: the text of a key under
// the application's title, with the warning icon, centred on the owner's
// monitor. Texts are code page 932; the box itself is the platform's (tests
// answer it with a script).
#include <string_view>

class QObject;
class cmcGTex;

// 1 (OK) when the user confirms, 2 for anything else (Cancel, a closed box,
// no display).
int ShowAppMessage(cmcGTex& texts, std::string_view key, QObject* owner = nullptr);
