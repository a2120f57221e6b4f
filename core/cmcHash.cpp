#include "core/cmcHash.h"

#include <QString>

#include "platform/Fatal.h"

namespace core {

std::uint32_t HashBucket(std::string_view key, std::uint32_t buckets) {
  if (buckets == 0) buckets = kDefaultHashBuckets;
  std::uint32_t h = 0;
  std::uint32_t step = buckets / 2;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const auto signedByte = static_cast<std::int32_t>(static_cast<std::int8_t>(key[i]));
    h = 2u * h + step + static_cast<std::uint32_t>(signedByte);
    const auto following = i + 1 < key.size() ? static_cast<std::uint8_t>(key[i + 1]) : 0u;
    if (following & 1u) {
      step /= 2;
      if (step == 0) step = buckets / 2;
    }
  }
  return h % buckets;
}

void HashOverlapFailure(const char* message) { platform::Fatal(QString::fromLatin1(message)); }

}  // namespace core
