#include "core/cmcLoadFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Lines are found in one pass that tests 16 bytes at a time for CR and LF
// and kept as spans of the loaded buffer: a CSV of 100,000 lines loads at a
// small multiple of the time it takes to read its bytes.
std::vector<cmcLoadFile::Span> cmcLoadFile::SplitLines(std::string_view bytes) {
  std::vector<Span> lines;
  lines.reserve(bytes.size() / 64 + 1);  // typical CSV lines are longer
  const char* const data = bytes.data();
  const std::size_t size = bytes.size();
  std::size_t start = 0;
  // pos holds CR or LF; the LF of a CR LF pair was consumed with its CR.
  auto terminator = [&](std::size_t pos) {
    if (pos < start) return;
    lines.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(pos - start)});
    start = pos + ((data[pos] == '\r' && pos + 1 < size && data[pos + 1] == '\n') ? 2 : 1);
  };
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  auto maskOf = [&](std::size_t at) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    return static_cast<std::uint64_t>(static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)))));
  };
  for (; i + 64 <= size; i += 64) {
    std::uint64_t mask =
        maskOf(i) | (maskOf(i + 16) << 16) | (maskOf(i + 32) << 32) | (maskOf(i + 48) << 48);
    while (mask != 0) {
      terminator(i + static_cast<std::size_t>(__builtin_ctzll(mask)));
      mask &= mask - 1;
    }
  }
#endif
  for (; i < size; ++i)
    if (data[i] == '\r' || data[i] == '\n') terminator(i);
  if (start < size)  // an unterminated last line
    lines.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(size - start)});
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
  std::size_t size = 0;
  while (size < room) {
    const qint64 got = file.read(buffer.get() + size, static_cast<qint64>(room - size));
    if (got < 0) return 0;
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
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
  }
  lines_ = SplitLines(std::string_view(buffer.get(), size));
  bytes_ = std::move(buffer);
  name_ = name;
  return 1;
}

std::string_view cmcLoadFile::GetLine() const { return GetLineAt(index_); }

std::string_view cmcLoadFile::GetLineAt(std::int32_t i) const {
  if (i < 0 || i >= Count()) return {};
  const Span& line = lines_[static_cast<std::size_t>(i)];
  return std::string_view(bytes_.get() + line.offset, line.length);
}

int cmcLoadFile::NextLine() {
  for (std::int32_t i = index_ + 1; i < Count(); ++i) {
    if (lines_[static_cast<std::size_t>(i)].length != 0) {
      index_ = i;
      return 1;
    }
  }
  index_ = 0;
  return 0;
}
