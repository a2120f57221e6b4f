#include "support/cells/CellFrameRig.h"

#include "cells/FrameCases.h"
#include "support/model/CellFixtureImage.h"

namespace kwtest {

CellFrameRig::CellFrameRig()
    : destination(indDestination(0)),
      image(MakeCellFixtureImage()),
      host(image),
      frame(settings.Get(), texts, host, table) {
  RegisterFrameCases(table);
  bus->AddListener(this, [this](const cmcEvent& event) {
    if (event.mode != cmcEvent::Query) events.push_back({event.id, event.mode, event.p1, event.p2});
  });
}

CellFrameRig::~CellFrameRig() { bus->RemoveListener(this); }

std::unique_ptr<FixtureSheet> CellFrameRig::Sheet(const std::string& name) {
  return std::make_unique<FixtureSheet>(frame.Handler(), name, bus.Bus());
}

}  // namespace kwtest
