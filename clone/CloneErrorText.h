#pragma once
// The text of the one message box that ends a failed clone run.
#include <string>
#include <string_view>

class cmcGTex;

// Number of values of "GI_Mess_CloneErr_Head" (codes 0..17).
constexpr int kCloneErrorCodeCount = 18;

// The head value shown for a result code: the code itself for 0..17, else
// code 1's ("Cannot Clone."). The table is never indexed by a raw code, so an
// unknown code can neither show a neighbouring key's text nor run off the
// table's end.
int CloneErrorHeadIndex(int code);

// The whole box text for a code (CP932): the head, "\n\n", then the check
// lines joined with "\n". Code 2 fills the port number into the head; with a
// port outside 1..256 the text is instead the lines of
// "GI_Mess_ComSettingErr_Head". Code 0 gives the empty text (no box).
// With `accessGroup` (the port was refused to the user), codes 2 and 4 end
// with a line that names the group which grants access to the port.
std::string CloneErrorText(cmcGTex& texts, int code, int port,
                           std::string_view accessGroup = {});

// Replaces the first "%d" of a template by the decimal value (no printf:
// the template comes from a table, not from the code).
std::string FillDecimalPlaceholder(std::string_view templ, long long value);

// Number of printf-style placeholders ("%" followed by anything but "%") in a
// text, for the table checks.
int CountPlaceholders(std::string_view text);
