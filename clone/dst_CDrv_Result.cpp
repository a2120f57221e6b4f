#include "clone/dst_CDrv_Result.h"

#include <bit>

bool dst_CDrv_Result::IsReceived(std::int64_t address) const {
  if (address < 0 || address / 8 >= received.Length()) return false;
  return (received.Data()[address / 8] >> (address % 8)) & 1;
}

std::int64_t dst_CDrv_Result::ReceivedCount() const {
  std::int64_t count = 0;
  for (int i = 0; i < received.Length(); ++i) count += std::popcount(received.Data()[i]);
  return count;
}
