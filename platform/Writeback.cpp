#include "platform/Writeback.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

void StartWriteback(int fd, long long bytes) {
#if defined(__linux__)
  static const long page = ::sysconf(_SC_PAGESIZE);
  const long long whole = page > 0 ? bytes - bytes % page : 0;
  if (fd >= 0 && whole > 0) (void)::sync_file_range(fd, 0, whole, SYNC_FILE_RANGE_WRITE);
#else
  (void)fd;
  (void)bytes;
#endif
}

}  // namespace platform
