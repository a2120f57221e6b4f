// Checks of whole images: the data check of a loaded image and the start-up
// check that the image size holds the software area.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstring>

#include "app/ImagePasses.h"
#include "model/LayoutImage.h"
#include "model/MemMapRevision.h"
#include "platform/Fatal.h"

namespace imagepass {

bool CheckDataFile(const cmcEeprom& image, bool checkFormatName, int revision) {
  const int layoutByte = MemMapReadRegion50Byte(image, revision);
  if (layoutByte < 1 || layoutByte > 3) return true;
  if (!checkFormatName) return false;
  const std::uint8_t* signature = MemMapRegion53Ptr(image, revision);
  constexpr std::size_t kSignatureLength = sizeof(layout::kSignatureText) - 1;
  return signature == nullptr ||
         std::memcmp(signature, layout::kSignatureText, kSignatureLength) != 0;
}

bool ImageHoldsSoftwareArea(std::int32_t imageSize) { return imageSize >= layout::kMinImageSize; }

void SelfCheckImageSize(std::int32_t imageSize) {
  if (ImageHoldsSoftwareArea(imageSize)) return;
  // The box is titled with the program's file name, not the interface title.
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  if (!program.isEmpty()) platform::SetFatalCaption(program);
  platform::Fatal(QStringLiteral("Self Check Error.\nEEPROM Map is too large."));
}

}  // namespace imagepass
