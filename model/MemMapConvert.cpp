#include "model/MemMapConvert.h"

#include "model/MemMapRevision.h"

MemMapLoss& MemMapLoss::operator+=(const MemMapLoss& other) {
  refused = refused || other.refused;
  repeaters += other.repeaters;
  yourCalls += other.yourCalls;
  gpsMemories += other.gpsMemories;
  groups += other.groups;
  references += other.references;
  toneCodes += other.toneCodes;
  return *this;
}

MemMapLoss MemMapConvertImage(cmcEeprom& target, const cmcEeprom& source, int toRev, int fromRev) {
  MemMapLoss loss;
  toRev = MemMapNormalizeRevision(toRev);
  fromRev = MemMapNormalizeRevision(fromRev);
  if (toRev == fromRev) {
    if (&target != &source) target = source;
    return loss;
  }
  // Every step builds a new image, so target and source may be one object
  // and a refused step leaves the target as it was.
  cmcEeprom work;
  const cmcEeprom* from = &source;
  int rev = fromRev;
  while (rev != toRev) {
    cmcEeprom next;
    bool ok = false;
    if (rev < toRev) {
      ok = (rev == 1) ? ConvertImageV1ToV2(next, *from, &loss)
                      : ConvertImageV2ToV3(next, *from, &loss);
      ++rev;
    } else {
      ok = (rev == 3) ? ConvertImageV3ToV2(next, *from, &loss)
                      : ConvertImageV2ToV1(next, *from, &loss);
      --rev;
    }
    if (!ok) {
      loss.refused = true;
      return loss;
    }
    work = std::move(next);
    from = &work;
  }
  target = std::move(work);
  return loss;
}
