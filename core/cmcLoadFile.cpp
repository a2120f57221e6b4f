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

using Span = cmcLoadFile::Span;

// A list of lines that grows without zeroing what it is about to fill.
struct LineList {
  std::unique_ptr<Span[]> lines;
  std::size_t count = 0;
  std::size_t capacity = 0;
};

// Finds the lines of a buffer that is read piece by piece: each piece is
// scanned while it is still in the cache, 64 bytes at a time for CR and LF,
// and the lines are kept as spans of the buffer.
class LineScanner {
 public:
  LineScanner(const char* data, LineList& list, std::size_t expected) : data_(data), list_(list) {
    list_.lines = std::make_unique_for_overwrite<Span[]>(expected + kRoom);
    list_.capacity = expected + kRoom;
    list_.count = 0;
    out_ = list_.lines.get();
    end_ = out_ + list_.capacity;
  }

  // Scans the bytes read so far (the first `size`). Unless `final`, the last
  // byte waits for the next piece: a CR there may begin a CR LF pair.
  void Scan(std::size_t size, bool final) {
    const std::size_t limit = final ? size : (size > 0 ? size - 1 : 0);
    // The LF of a pair taken at its CR at the end of the last scan.
    std::size_t i = std::max(scanned_, start_);
#if defined(KW_LINE_SCAN_SIMD)
    i = HasAvx2() ? ScanBlocksAvx2(i, limit, size) : ScanBlocksSse2(i, limit, size);
#endif
    for (; i < limit; ++i)
      if (data_[i] == '\r' || data_[i] == '\n') Terminator(i, size);
    scanned_ = i;
    if (final && start_ < size) {  // an unterminated last line
      Room(1);
      Push(size);
    }
    list_.count = static_cast<std::size_t>(out_ - list_.lines.get());
  }

 private:
  // Lines a block can add at most (one per byte, and the CR left over from
  // the block before), so that the blocks never check for room line by line.
  static constexpr std::size_t kRoom = 65;

  void Room(std::size_t n) {
    if (static_cast<std::size_t>(end_ - out_) >= n) return;
    const std::size_t used = static_cast<std::size_t>(out_ - list_.lines.get());
    const std::size_t grown = std::max(2 * list_.capacity, used + n + kRoom);
    auto lines = std::make_unique_for_overwrite<Span[]>(grown);
    std::copy(list_.lines.get(), out_, lines.get());
    list_.lines = std::move(lines);
    list_.capacity = grown;
    out_ = list_.lines.get() + used;
    end_ = list_.lines.get() + grown;
  }

#if defined(KW_LINE_SCAN_SIMD)
  static bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
  }

  // The lines ending in the 64-byte block at i, from its LF and CR masks:
  // one terminator per line, an LF or a CR that no LF follows. An LF that
  // follows a CR ends its line at the CR. A CR in the block's last byte is
  // left to the next block, which sees whether an LF follows. `crBefore` is
  // 1 when the byte before the block is a CR; `start` is where the next line
  // begins.
  __attribute__((always_inline)) static Span* BlockLines(Span* out, std::size_t i,
                                                         std::uint64_t lfs, std::uint64_t crs,
                                                         std::uint64_t& crBefore,
                                                         std::size_t& start) {
    if ((crBefore & ~lfs) != 0) {  // a lone CR just before the block (rare)
      *out++ = {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - 1 - start)};
      start = i;
    }
    std::uint64_t mask = lfs | (crs & ~(lfs >> 1) & ~(std::uint64_t{1} << 63));
    const std::uint64_t pairs = lfs & ((crs << 1) | crBefore);
    crBefore = crs >> 63;
    while (mask != 0) {
      const int bit = __builtin_ctzll(mask);
      const std::size_t pos = i + static_cast<std::size_t>(bit);
      const std::size_t end = pos - ((pairs >> bit) & 1);
      *out++ = {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)};
      start = pos + 1;
      mask &= mask - 1;
    }
    return out;
  }

  // After the blocks: a CR in the last block's last byte is taken now, as a
  // pair when an LF follows.
  void EndBlocks(Span* out, std::size_t start, std::uint64_t crBefore, std::size_t i,
                 std::size_t size) {
    out_ = out;
    start_ = start;
    if (crBefore != 0) Terminator(i - 1, size);
  }

  // Room for the lines of one more block.
  void BlockRoom(Span*& out) {
    if (static_cast<std::size_t>(end_ - out) >= kRoom) return;
    out_ = out;
    Room(kRoom);
    out = out_;
  }

  // The 64-byte blocks from i on that end at or before the limit; answers
  // where the blocks stopped.
  std::size_t ScanBlocksSse2(std::size_t i, std::size_t limit, std::size_t size) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const char* const data = data_;
    std::uint64_t crBefore = 0;  // every byte before i is scanned: a CR there was taken
    std::size_t start = start_;
    Span* out = out_;
    for (; i + 64 <= limit; i += 64) {
      std::uint64_t lfs = 0, crs = 0;
      for (int k = 0; k < 4; ++k) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16 * k));
        lfs |= static_cast<std::uint64_t>(static_cast<unsigned>(
                   _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf))))
               << (16 * k);
        crs |= static_cast<std::uint64_t>(static_cast<unsigned>(
                   _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr))))
               << (16 * k);
      }
      BlockRoom(out);
      out = BlockLines(out, i, lfs, crs, crBefore, start);
    }
    EndBlocks(out, start, crBefore, i, size);
    return i;
  }

  __attribute__((target("avx2"))) std::size_t ScanBlocksAvx2(std::size_t i, std::size_t limit,
                                                              std::size_t size) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const char* const data = data_;
    std::uint64_t crBefore = 0;  // every byte before i is scanned: a CR there was taken
    std::size_t start = start_;
    Span* out = out_;
    for (; i + 64 <= limit; i += 64) {
      const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
      const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32));
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
      BlockRoom(out);
      out = BlockLines(out, i, lfs, crs, crBefore, start);
    }
    EndBlocks(out, start, crBefore, i, size);
    return i;
  }
#endif

  // pos holds CR or LF. A CR LF pair ends its line at the CR: the pair is
  // taken at its CR when that is seen, else (a CR the blocks passed over,
  // seeing the LF after it) at its LF.
  void Terminator(std::size_t pos, std::size_t size) {
    if (pos < start_) return;  // the LF of a pair already taken
    Room(1);
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
    *out_++ = {static_cast<std::uint32_t>(start_), static_cast<std::uint32_t>(end - start_)};
  }

  const char* data_;
  LineList& list_;
  Span* out_ = nullptr;
  Span* end_ = nullptr;
  std::size_t start_ = 0;  // where the line being scanned begins
  std::size_t scanned_ = 0;
};

// Pieces of this size are read and scanned while they are in the cache: a
// second pass over a whole file that no longer fits would cost as much as
// the read again. Each read is a system call, which costs microseconds in a
// virtual machine, so the pieces are not smaller than they need to be.
constexpr std::size_t kPiece = 1024 * 1024;

// The lines of bytes already in memory.
LineList FindLines(std::string_view bytes) {
  LineList list;
  LineScanner scanner(bytes.data(), list, bytes.size() / 64);  // typical CSV lines are longer
  scanner.Scan(bytes.size(), true);
  return list;
}

}  // namespace

std::vector<cmcLoadFile::Span> cmcLoadFile::SplitLines(std::string_view bytes) {
  const LineList list = FindLines(bytes);
  return std::vector<Span>(list.lines.get(), list.lines.get() + list.count);
}

int cmcLoadFile::Load(const std::string& name) {
  lines_.reset();
  count_ = 0;
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
  LineList list;
  LineScanner scanner(buffer.get(), list, room / 64);  // typical CSV lines are longer
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
    list = FindLines(std::string_view(buffer.get(), size));
  } else {
    scanner.Scan(size, true);
  }
  lines_ = std::move(list.lines);
  count_ = static_cast<std::int32_t>(list.count);
  bytes_ = std::move(buffer);
  name_ = name;
  return 1;
}
