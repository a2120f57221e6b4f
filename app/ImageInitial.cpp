// The initial image: what a new document holds and where the destination's
// settings come from when another image is normalised.
#include "app/ImagePasses.h"
#include "model/DefaultImage.h"
#include "model/InitialImage.h"
#include "model/indDestination.h"

namespace imagepass {

cmcEeprom BuildInitialImage(const indDestination& destination, bool firstInfoFlag) {
  const int code = destination.Code();
  const int d = code >= 0 && code < kDefaultImageCount ? code : 0;
  const indDestination plan(d, destination.SecondFlag(), destination.ThirdFlag());
  cmcEeprom image = FullImageFromDefault(BuildDefaultImage(d));
  PrepareImage(image, plan);
  NormalizeImage(image, image, plan, firstInfoFlag);
  return image;
}

}  // namespace imagepass
