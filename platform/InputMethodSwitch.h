#pragma once
// The process-wide input-method switch: off, no widget of the program turns
// an input method on (the main window turns it off on a system whose
// language is not Japanese). On until switched.
namespace platform {

void SetInputMethodsAllowed(bool allowed);
bool InputMethodsAllowed();

}  // namespace platform
