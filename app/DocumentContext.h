#pragma once
// What a document command works on, handed to it by the main controller so
// that the command needs no window: the current and initial images, the copy
// buffer, the event bus and the text table. Message boxes and the clock are
// reached through their platform services. A view: the controller owns all
// of it and outlives every command call.
#include <functional>

class cmcEeprom;
class cmcEvMan;
class cmcGTex;
class datClipCh;

struct DocumentContext {
  cmcEeprom& image;
  cmcEeprom& initial;
  datClipCh& clip;
  cmcEvMan& bus;
  cmcGTex& texts;
  // Marks the document modified (the controller's SetModified); a command
  // calls it once it has written into the image. Empty: nobody is told.
  std::function<void()> setModified = {};
};
