#include "platform/InputMethodSwitch.h"

namespace platform {
namespace {
bool g_allowed = true;
}  // namespace

void SetInputMethodsAllowed(bool allowed) { g_allowed = allowed; }

bool InputMethodsAllowed() { return g_allowed; }

}  // namespace platform
