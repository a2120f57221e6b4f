// Scan edges (kind 4) and program-link positions (kind 5).
#include <array>
#include <cstring>

#include "model/ImageAccess.h"
#include "model/LayoutLists.h"
#include "model/StepCode.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

using namespace layout;

namespace {

std::int64_t EdgeAddress(int n) {
  return kScanEdgeBase + static_cast<std::int64_t>(kScanEdgeSize) * n;
}

// Class in bits 7-5 of the first byte, the 18-bit count in its bits 1-0 and
// the next two bytes.
std::uint32_t DecodeEdgeFreq(const std::uint8_t* p, std::uint32_t* stepClass) {
  const std::uint32_t k = p[0] >> 5;
  if (stepClass) *stepClass = k;
  const std::uint64_t count = (static_cast<std::uint64_t>(p[0] & 0x03) << 16) |
                              (static_cast<std::uint64_t>(p[1]) << 8) | p[2];
  return static_cast<std::uint32_t>(stepcode::DecodeStep(count, k));
}

// Keeps bits 4-2 of the first byte, which belong to no field.
void EncodeEdgeFreq(std::uint8_t* p, std::uint64_t f, std::uint32_t stepClass) {
  const std::uint64_t count = stepcode::EncodeStep(f, stepClass);
  p[0] = static_cast<std::uint8_t>((stepClass << 5) | (p[0] & edge::kFreeBitsMask) |
                                   ((count >> 16) & 0x03));
  p[1] = static_cast<std::uint8_t>(count >> 8);
  p[2] = static_cast<std::uint8_t>(count);
}

}  // namespace

void datCh::LoadScanEdge(int n) {
  std::array<std::uint8_t, kScanEdgeSize> b{};
  image_->GetBlock(EdgeAddress(n), b.data(), kScanEdgeSize);
  flags = imageaccess::GetBit(*image_, kScanEdgeEmptyBitmap, n) ? 0 : kUsed;
  freq2 = DecodeEdgeFreq(&b[edge::kHigh], &stepClass2);
  freq = DecodeEdgeFreq(&b[edge::kLow], &stepClass);
  mode = b[edge::kMode];
  tuneStep = b[edge::kTuneStep];
  std::memcpy(name.data(), &b[edge::kName], name.size());
}

bool datCh::StoreScanEdge(int n) {
  if (mode > 255 || tuneStep > 255) return false;
  const bool used = IsUsed();
  const std::uint64_t high = used ? freq2 : 0;
  const std::uint64_t low = used ? freq : 0;
  const auto classes = stepcode::ChooseEdgeStepClasses(high, low, ch::kFreqCountBits);
  if (!classes) return false;

  if (!used) {
    freq = 0;
    freq2 = 0;
    name.fill(' ');
  }
  stepClass2 = classes->high;
  stepClass = classes->low;
  std::array<std::uint8_t, kScanEdgeSize> b{};
  image_->GetBlock(EdgeAddress(n), b.data(), kScanEdgeSize);
  EncodeEdgeFreq(&b[edge::kHigh], high, stepClass2);
  EncodeEdgeFreq(&b[edge::kLow], low, stepClass);
  b[edge::kMode] = static_cast<std::uint8_t>(mode);
  b[edge::kTuneStep] = static_cast<std::uint8_t>(tuneStep);
  std::memcpy(&b[edge::kName], name.data(), name.size());
  image_->SetBlock(EdgeAddress(n), b.data(), kScanEdgeSize);
  imageaccess::SetBit(*image_, kScanEdgeEmptyBitmap, n, !used);
  return true;
}

void datCh::LoadLinkPosition(int i) {
  const int link = i / kLinkPositions;
  const int position = i % kLinkPositions;
  flags = 0;
  linkEdge = kNoEdge;
  int counted = 0;
  for (int e = 0; e < kScanEdges && position > 0; ++e) {
    if (!imageaccess::GetBit(*image_, kLinkEdgeBitmaps + 4 * static_cast<std::int64_t>(link), e))
      continue;
    if (++counted != position) continue;
    linkEdge = static_cast<std::uint32_t>(e);
    break;
  }
  if (linkEdge == kNoEdge) return;
  // Loading marks the edge as a member, so storing a loaded position keeps it.
  linkMember = 1;
  flags = kUsed;
  if (!imageaccess::GetBit(*image_, kScanEdgeEmptyBitmap, static_cast<std::int64_t>(linkEdge)))
    flags |= kLinkEdgeUsed;
  std::array<std::uint8_t, kScanEdgeSize> b{};
  image_->GetBlock(EdgeAddress(static_cast<int>(linkEdge)), b.data(), kScanEdgeSize);
  std::memcpy(name.data(), &b[edge::kName], name.size());
  linkFreq1 = DecodeEdgeFreq(&b[edge::kHigh], nullptr);
  linkFreq2 = DecodeEdgeFreq(&b[edge::kLow], nullptr);
}

bool datCh::StoreLinkPosition(int i) {
  if (linkEdge >= static_cast<std::uint32_t>(kScanEdges)) return false;
  const int link = i / kLinkPositions;
  imageaccess::SetBit(*image_, kLinkEdgeBitmaps + 4 * static_cast<std::int64_t>(link), linkEdge,
                      linkMember != 0);
  return true;
}
