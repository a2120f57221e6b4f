#include "sheet/ShortcutText.h"

#include <array>
#include <cctype>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !EqualNoCase(text.substr(0, prefix.size()), prefix))
    return false;
  text.remove_prefix(prefix.size());
  return true;
}

struct NamedKey {
  std::string_view name;
  int key;
};

constexpr std::array<NamedKey, 15> kNamedKeys{{
    {"BkSp", Qt::Key_Backspace},
    {"Tab", Qt::Key_Tab},
    {"Esc", Qt::Key_Escape},
    {"Enter", Qt::Key_Return},
    {"Space", Qt::Key_Space},
    {"PgUp", Qt::Key_PageUp},
    {"PgDn", Qt::Key_PageDown},
    {"End", Qt::Key_End},
    {"Home", Qt::Key_Home},
    {"Left", Qt::Key_Left},
    {"Up", Qt::Key_Up},
    {"Right", Qt::Key_Right},
    {"Down", Qt::Key_Down},
    {"Ins", Qt::Key_Insert},
    {"Del", Qt::Key_Delete},
}};

// The Qt key of a key name, 0 when it is none.
int KeyOfName(std::string_view name) {
  if (name.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (c >= 'A' && c <= 'Z') return Qt::Key_A + (c - 'A');
    if (c >= '0' && c <= '9') return Qt::Key_0 + (c - '0');
    return 0;
  }
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return 0;
      n = n * 10 + (c - '0');
    }
    if (name[1] != '0' && n >= 1 && n <= 12) return Qt::Key_F1 + (n - 1);
    return 0;
  }
  for (const NamedKey& k : kNamedKeys)
    if (EqualNoCase(name, k.name)) return k.key;
  return 0;
}

}  // namespace

QList<QKeySequence> TextToShortcuts(std::string_view text) {
  int modifiers = 0;
  for (;;) {
    if (TakePrefix(text, "Shift+"))
      modifiers |= Qt::SHIFT;
    else if (TakePrefix(text, "Ctrl+"))
      modifiers |= Qt::CTRL;
    else if (TakePrefix(text, "Alt+"))
      modifiers |= Qt::ALT;
    else
      break;
  }
  if (text.empty()) return {};
  const int key = KeyOfName(text);
  if (key == 0) return {};
  QList<QKeySequence> sequences{QKeySequence(key | modifiers)};
  if (key == Qt::Key_Return) sequences.append(QKeySequence(Qt::Key_Enter | modifiers));
  return sequences;
}
