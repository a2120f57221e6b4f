#include "core/cmcLoadFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// Blocks of 64 bytes tested at once, with AVX2 where the processor has it.
#define KW_LINE_SCAN_SIMD 1
#include <immintrin.h>
#endif

namespace {

// Finds the lines of a buffer that is read piece by piece: each piece is
// scanned while it is still in the cache, 64 bytes at a time for CR and LF,
// and the lines are kept as spans of the buffer.
class LineScanner {
 public:
  LineScanner(const char* data, std::vector<cmcLoadFile::Span>& lines)
      : data_(data), lines_(lines) {}

  // Scans the bytes read so far (the first `size`). Unless `final`, the last
  // byte waits for the next piece: a CR there may begin a CR LF pair.
  void Scan(std::size_t size, bool final) {
    const std::size_t limit = final ? size : (size > 0 ? size - 1 : 0);
    std::size_t i = scanned_;
#if defined(KW_LINE_SCAN_SIMD)
    i = HasAvx2() ? ScanBlocksAvx2(i, limit, size) : ScanBlocksSse2(i, limit, size);
#endif
    for (; i < limit; ++i)
      if (data_[i] == '\r' || data_[i] == '\n') Terminator(i, size);
    scanned_ = i;
    if (final && start_ < size)  // an unterminated last line
      lines_.push_back(
          {static_cast<std::uint32_t>(start_), static_cast<std::uint32_t>(size - start_)});
  }

 private:
#if defined(KW_LINE_SCAN_SIMD)
  // The 64-byte blocks from i on that end at or before the limit: one
  // terminator per line, an LF or a CR that no LF follows (for the block's
  // last CR the byte after the block tells; a block never reaches the last
  // byte of a piece, which waits for the next one). Answers where the blocks
  // stopped.
  static bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
  }

  void BlockTerminators(std::size_t i, std::uint64_t lfs, std::uint64_t crs, std::size_t size) {
    const std::uint64_t lfAfter = (i + 64 < size && data_[i + 64] == '\n') ? std::uint64_t{1} << 63 : 0;
    std::uint64_t mask = lfs | (crs & ~((lfs >> 1) | lfAfter));
    while (mask != 0) {
      Terminator(i + static_cast<std::size_t>(__builtin_ctzll(mask)), size);
      mask &= mask - 1;
    }
  }

  std::size_t ScanBlocksSse2(std::size_t i, std::size_t limit, std::size_t size) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 64 <= limit; i += 64) {
      std::uint64_t lfs = 0, crs = 0;
      for (int k = 0; k < 4; ++k) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data_ + i + 16 * k));
        lfs |= static_cast<std::uint64_t>(static_cast<unsigned>(
                   _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf))))
               << (16 * k);
        crs |= static_cast<std::uint64_t>(static_cast<unsigned>(
                   _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr))))
               << (16 * k);
      }
      BlockTerminators(i, lfs, crs, size);
    }
    return i;
  }

  __attribute__((target("avx2"))) std::size_t ScanBlocksAvx2(std::size_t i, std::size_t limit,
                                                              std::size_t size) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    for (; i + 64 <= limit; i += 64) {
      const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data_ + i));
      const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data_ + i + 32));
      const std::uint64_t lfs =
          static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, lf))) |
          static_cast<std::uint64_t>(
              static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, lf))))
              << 32;
      const std::uint64_t crs =
          static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, cr))) |
          static_cast<std::uint64_t>(
              static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, cr))))
              << 32;
      BlockTerminators(i, lfs, crs, size);
    }
    return i;
  }
#endif

  // pos holds CR or LF. A CR LF pair ends its line at the CR: the pair is
  // taken at its CR when that is seen, else (a CR the blocks passed over,
  // seeing the LF after it) at its LF.
  void Terminator(std::size_t pos, std::size_t size) {
    if (pos < start_) return;  // the LF of a pair already taken
    if (data_[pos] == '\r' && pos + 1 < size && data_[pos + 1] == '\n') {
      Push(pos);
      start_ = pos + 2;
      return;
    }
    const bool pair = data_[pos] == '\n' && pos > start_ && data_[pos - 1] == '\r';
    Push(pair ? pos - 1 : pos);
    start_ = pos + 1;
  }

  void Push(std::size_t end) {
    lines_.push_back(
        {static_cast<std::uint32_t>(start_), static_cast<std::uint32_t>(end - start_)});
  }

  const char* data_;
  std::vector<cmcLoadFile::Span>& lines_;
  std::size_t start_ = 0;
  std::size_t scanned_ = 0;
};

// Pieces of this size are read and scanned while they are in the cache: a
// second pass over a whole file that no longer fits would cost as much as
// the read again.
constexpr std::size_t kPiece = 256 * 1024;

}  // namespace

std::vector<cmcLoadFile::Span> cmcLoadFile::SplitLines(std::string_view bytes) {
  std::vector<Span> lines;
  lines.reserve(bytes.size() / 64 + 1);  // typical CSV lines are longer
  LineScanner(bytes.data(), lines).Scan(bytes.size(), true);
  return lines;
}

int cmcLoadFile::Load(const std::string& name) {
  lines_.clear();
  bytes_.reset();
  index_ = 0;
  name_.clear();
  // Checked before opening: opening a FIFO or a device could block forever.
  const QString path = QString::fromStdString(name);
  const QFileInfo info(path);
  if (name.empty() || !info.isFile() || info.size() > kMaxFileSize) return 0;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  // The size can change after the check: read at most one byte past the limit.
  const std::size_t room = static_cast<std::size_t>(info.size()) + 1;
  auto buffer = std::make_unique_for_overwrite<char[]>(room);
  std::vector<Span> lines;
  lines.reserve(room / 64 + 1);  // typical CSV lines are longer
  LineScanner scanner(buffer.get(), lines);
  std::size_t size = 0;
  while (size < room) {
    const std::size_t want = std::min(kPiece, room - size);
    const qint64 got = file.read(buffer.get() + size, static_cast<qint64>(want));
    if (got < 0) return 0;
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
    scanner.Scan(size, false);
  }
  if (size == room) {
    // Grown since the check: read the rest up to the limit in one piece.
    const QByteArray more = file.read(kMaxFileSize + 1 - static_cast<qint64>(size));
    if (file.error() != QFileDevice::NoError ||
        static_cast<qint64>(size) + more.size() > kMaxFileSize)
      return 0;
    auto grown =
        std::make_unique_for_overwrite<char[]>(size + static_cast<std::size_t>(more.size()));
    std::memcpy(grown.get(), buffer.get(), size);
    std::memcpy(grown.get() + size, more.constData(), static_cast<std::size_t>(more.size()));
    buffer = std::move(grown);
    size += static_cast<std::size_t>(more.size());
    // Rare: the file grew while it was read; its lines are found anew.
    lines = SplitLines(std::string_view(buffer.get(), size));
  } else {
    scanner.Scan(size, true);
  }
  lines_ = std::move(lines);
  bytes_ = std::move(buffer);
  name_ = name;
  return 1;
}
