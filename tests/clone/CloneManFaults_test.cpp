// kw-test: slow
// kw-test: link=radioemu
// Every fault of the radio or the line ends with its exact message, leaves
// the document and the settings as they were, and the next run works.
#include "CloneManFixture.h"

namespace clonetest {
namespace {

using radioemu::Fault;
using radioemu::RadioEmulator;

const std::string kComNotSet =
    "The COM port is not set.\nSet the COM port number (1 - 256) in [COM Port] - [Setting...].";

class CloneManFaults : public CloneManFixture {
 protected:
  void SetUp() override {
    CloneManFixture::SetUp();
    man_->SetIdentifyHandler(ControllerIdentify);
    man_->SetReadHandler([](dst_CDrv_Result&) {});
  }

  // An identification whose closure reads 0..0xFFF, the way the main
  // controller reads a radio; the code the run ended with.
  int IdentifyAndRead() {
    Outcome id;
    Outcome read;
    const MemRangeList ranges = Range(0, 0xFFF);
    const int started = man_->StartIdentify(Adopt(id, [&](dst_CDrv_Result& r) {
      if (r.code == 0) man_->StartRead(ranges, Adopt(read));
    }));
    if (started != 1) return -100;
    if (!Pump([&] { return id.called && (id.code != 0 || read.called) && !man_->IsBusy(); }))
      return -101;
    return id.code != 0 ? id.code : read.code;
  }

  int Write() {
    cmcEeprom image;
    image.SetSize(kImageSize);
    image.Fill(0x11);
    Outcome out;
    if (man_->StartWrite(image, Pairs(0, 0x7FF), Record(out)) != 1) return -100;
    if (!WaitIdle()) return -101;
    return out.code;
  }
};

struct FaultCase {
  const char* name;
  std::function<void(RadioEmulator&, indEnviron&)> arrange;
  bool write;
  int code;
  std::string text;
};

const FaultCase kCases[] = {
    {"silence with the cable echo on",
     [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::Silence); }, false, 5,
     "No answer from transceiver.\n\n" + kCheck03},
    // The radio goes quiet part-way through the data (paced, so the program
    // has taken what came before the line went dead).
    {"silence in the middle of a read",
     [](RadioEmulator& r, indEnviron&) {
       r.SetPacing(true);
       r.SetFault(Fault::Disconnect, 0, 2500);
     },
     false, 5, "No answer from transceiver.\n\n" + kCheck03},
    {"bad checksum", [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::BadChecksum, 3); },
     false, 6, "Illegal data.\n\n" + kCheck03},
    {"wrong end count", [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::WrongEndCount); },
     false, 7, "Data counter error.\n\n" + kCheck03},
    {"wrong model word", [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::OtherModelWord); },
     false, 5, "No answer from transceiver.\n\n" + kCheck03},
    {"wrong version word",
     [](RadioEmulator& r, indEnviron&) { r.SetModelWords(radioemu::kModelWord, 2); }, false, 14,
     "Connected transceiver is not compatible model.\n\nCheck the following:\n"
     " - The software in use is the one for this transceiver.\n"
     " - The revision number of the transceiver."},
    // Identification hunts on after a bad answer; the last setting tried
    // hears nothing but its own request, so the run ends with "no answer".
    {"words that are not BCD",
     [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::NonBcdWords); }, false, 5,
     "No answer from transceiver.\n\n" + kCheck03},
    {"an altered echo while identifying",
     [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::EchoAltered, 0, 3); }, false, 5,
     "No answer from transceiver.\n\n" + kCheck03},
    {"short radio information",
     [](RadioEmulator& r, indEnviron&) { r.SetInfo(std::vector<std::uint8_t>(20, 20)); }, false, 11,
     "Illegal information.\n\n" + kCheck03 +
         "\n - The software in use is the one for this transceiver.\n"
         " - The revision number of the transceiver."},
    {"a dropped data byte",
     [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::DropPayloadByte, 2); }, false, 6,
     "Illegal data.\n\n" + kCheck03},
    {"a dropped frame", [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::DropFrame, 2); },
     false, 7, "Data counter error.\n\n" + kCheck03},
    // Byte 40 is inside the speed change that opens the read.
    {"an altered echo while reading",
     [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::EchoAltered, 0, 40); }, false, 4,
     "Cannot access COM port.\n\n" + kCheck03},
    {"COM 9 with no device", [](RadioEmulator&, indEnviron& e) { e.ComPort = 9; }, false, 2,
     "Cannot access COM 9.\n\n" + kCheck03},
    {"COM 0", [](RadioEmulator&, indEnviron& e) { e.ComPort = 0; }, false, 2, kComNotSet},
    {"COM 300", [](RadioEmulator&, indEnviron& e) { e.ComPort = 300; }, false, 2, kComNotSet},
    {"write refused", [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::WriteNak); }, true, 10,
     "Cannot write cloning data.\n\nCheck the following:\n - Cable connections.\n"
     " - Transceiver power is ON."},
    // A missing acknowledgement is a time-out like any other silence.
    {"write not acknowledged", [](RadioEmulator& r, indEnviron&) { r.SetFault(Fault::NoWriteAck); },
     true, 5, "No answer from transceiver.\n\n" + kCheck03},
};

TEST_F(CloneManFaults, EachFaultEndsWithItsMessageAndTheNextRunWorks) {
  for (const FaultCase& c : kCases) {
    SCOPED_TRACE(c.name);
    StartRadio();
    env_->ComPort = 7;
    env_->TransType = 0;
    env_->ComSpeedHigh = 1;
    const std::vector<std::uint8_t> memoryBefore = radio_->Memory();
    c.arrange(*radio_, *env_);
    const int port = env_->ComPort;
    document_.Fill(0x5A);
    const cmcEeprom before = document_;
    journal_.entries.clear();
    journal_.boxes.clear();

    EXPECT_EQ(c.write ? Write() : IdentifyAndRead(), c.code);
    ASSERT_EQ(journal_.boxes.size(), 1u);
    EXPECT_EQ(BoxText(), QString::fromStdString(c.text));
    EXPECT_EQ(journal_.entries.back(), "closure");
    EXPECT_EQ(journal_.entries[journal_.entries.size() - 2], "42(0)");
    EXPECT_EQ(journal_.entries[journal_.entries.size() - 3], "43");
    EXPECT_TRUE(document_ == before);
    EXPECT_FALSE(man_->IsBusy());
    EXPECT_FALSE(man_->IsProgressShown());
    EXPECT_FALSE(man_->Engine().Port().IsOpen());
    // No setting changed (no hunt found another speed).
    EXPECT_EQ(env_->ComPort, port);
    EXPECT_EQ(env_->TransType, 0);
    EXPECT_EQ(env_->ComSpeedHigh, 1);
    if (!c.write) {
      EXPECT_EQ(radio_->Memory(), memoryBefore);
    }

    // The next run works (a fresh radio after a disconnect).
    StartRadio();
    env_->ComPort = 7;
    journal_.boxes.clear();
    EXPECT_EQ(IdentifyAndRead(), 0);
    EXPECT_TRUE(journal_.boxes.empty());
    EXPECT_TRUE(MemoryEquals(document_, 0xFFF));
  }
}

}  // namespace
}  // namespace clonetest
