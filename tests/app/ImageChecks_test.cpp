// The data check of a loaded image and the start-up self check of the image
// size.
#include <gtest/gtest.h>

#include <cstring>

#include "app/ImagePasses.h"
#include "model/LayoutImage.h"
#include "model/MemMapRevision.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

// An image of a revision holding its revision byte and the signature.
cmcEeprom ImageOf(int revision, int revisionByte) {
  cmcEeprom image;
  image.SetSize(layout::kImageSize);
  const MemMapRevision& layout = MemMapRevisionOf(revision);
  image.SetByte(layout.Region(50), static_cast<std::uint8_t>(revisionByte));
  image.SetBlock(layout.Region(53), layout::kSignatureText, 16);
  return image;
}

TEST(CheckDataFileTest, RevisionByteAndSignature) {
  struct Case {
    int revision;
    int revisionByte;
    int changedSignatureByte;  // -1: none
    bool checkSignature;
    bool fails;
  } cases[] = {
      {3, 3, -1, true, false}, {3, 1, -1, true, false}, {3, 2, -1, false, false},
      {3, 0, -1, false, true}, {3, 4, -1, false, true}, {3, 0xFF, -1, true, true},
      {3, 3, 0, true, true},   {3, 3, 15, true, true},  {3, 3, 7, false, false},
      {1, 1, -1, true, false}, {2, 2, -1, true, false}, {1, 0, -1, false, true},
      {2, 2, 3, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "revision " << c.revision << " byte " << c.revisionByte
                                    << " changed " << c.changedSignatureByte);
    cmcEeprom image = ImageOf(c.revision, c.revisionByte);
    if (c.changedSignatureByte >= 0) {
      const std::int64_t a = MemMapRevisionOf(c.revision).Region(53) + c.changedSignatureByte;
      image.SetByte(a, image.GetByte(a) ^ 0x20);
    }
    EXPECT_EQ(imagepass::CheckDataFile(image, c.checkSignature, c.revision), c.fails);
  }
}

// The revision byte is read where the given revision keeps it.
TEST(CheckDataFileTest, ReadsTheRevisionByteOfTheGivenLayout) {
  const cmcEeprom image = ImageOf(1, 1);
  ASSERT_NE(MemMapRevisionOf(1).Region(50), MemMapRevisionOf(3).Region(50));
  EXPECT_FALSE(imagepass::CheckDataFile(image, false, 1));
  EXPECT_TRUE(imagepass::CheckDataFile(image, false, 3));
}

TEST(CheckDataFileTest, AnImageTooShortFailsInsteadOfEndingTheProgram) {
  cmcEeprom image;
  image.SetSize(0x100);
  EXPECT_TRUE(imagepass::CheckDataFile(image, false, 3));
  EXPECT_TRUE(imagepass::CheckDataFile(cmcEeprom(), true, 3));
}

TEST(SelfCheckTest, ImageSizeMustHoldTheSoftwareArea) {
  EXPECT_FALSE(imagepass::ImageHoldsSoftwareArea(0x2B868));
  EXPECT_TRUE(imagepass::ImageHoldsSoftwareArea(0x2B869));
  EXPECT_TRUE(imagepass::ImageHoldsSoftwareArea(layout::kImageSize));
  imagepass::SelfCheckImageSize(layout::kImageSize);  // passes quietly
}

TEST(SelfCheckDeathTest, ATooSmallImageEndsTheProgramWithItsMessage) {
  auto check = [] {
    kwtest::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(platform::mb::IdOk);
    imagepass::SelfCheckImageSize(0x2B868);
  };
  EXPECT_EXIT(check(), ::testing::ExitedWithCode(3),
              "\\[box app_ImageChecks_test, flags 0x10\\] Self Check Error.\n"
              "EEPROM Map is too large.\n"
              "Abnormal program termination\n");
}

}  // namespace
