#include "app/PrintGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/NumberText.h"

namespace printgeom {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kPointsPerInch = 72;

int Truncated(double value) { return static_cast<int>(std::trunc(value)); }

}  // namespace

Box PrintableArea(std::string_view margins, int pageWidth, int pageHeight, int dpi) {
  int fields[4] = {0, 0, 0, 0};
  for (int n = 0; n < 4 && !margins.empty(); ++n) {
    const std::size_t comma = margins.find(',');
    fields[n] = core::TextToRoundedInt(margins.substr(0, comma));
    margins = comma == std::string_view::npos ? std::string_view() : margins.substr(comma + 1);
  }
  const double perMm = dpi / kMillimetresPerInch;
  return {Truncated(fields[0] * perMm), Truncated(fields[1] * perMm),
          Truncated(pageWidth - fields[2] * perMm), Truncated(pageHeight - fields[3] * perMm)};
}

int FontHeight(int points, int dpi) { return -(points * dpi / kPointsPerInch); }

int PrinterTextHeight(int points, int dpi) { return points * dpi / kPointsPerInch; }

Frame PageFrame(const Box& area, int t) {
  Frame f;
  f.t = t;
  f.g = Truncated(t * 0.1 + 1.0);
  const int g = f.g;
  f.titleTop = area.top;
  f.topBar = {area.left, area.top + t + g, area.right, area.top + t + 2 * g};
  f.inner = {area.left, area.top + t + 6 * g, area.right, area.bottom - (t + 6 * g)};
  f.bottomBar = {area.left, area.bottom - (t + 2 * g), area.right, area.bottom - (t + g)};
  f.makerTop = area.bottom - (t + 1);
  f.textRight = area.right - 1;
  return f;
}

bool CellsFit(const Box& inner, int cellsWidth, int cellsHeight) {
  return std::max(cellsWidth, 1) <= inner.Width() && std::max(cellsHeight, 1) <= inner.Height();
}

int FitFontHeight(int h, const Box& inner, int cellsWidth, int cellsHeight) {
  const double ratio = std::min(static_cast<double>(inner.Height()) / std::max(cellsHeight, 1),
                                static_cast<double>(inner.Width()) / std::max(cellsWidth, 1));
  const double reduced = std::trunc(std::abs(static_cast<double>(h)) * ratio);
  if (!(reduced >= 1.0)) return 1;  // also catches a negative ratio (empty inner area)
  return static_cast<int>(std::min(reduced, static_cast<double>(std::abs(h))));
}

std::vector<int> CutBands(std::span<const int> sizes, int first, int fixedTotal, int limit,
                          const std::function<bool(int index)>& mayStart) {
  std::vector<int> bands;
  const int count = static_cast<int>(sizes.size());
  for (int c = std::max(first, 0); c < count;) {
    long long total = fixedTotal;
    int lastStart = 0;  // offset of the last column after the first that may start a page
    bool stopped = false;
    for (int i = c; i < count; ++i) {
      if (i > c && mayStart(i)) lastStart = i - c;
      total += sizes[static_cast<std::size_t>(i)];
      if (lastStart > 0 && total > limit) {
        stopped = true;
        break;
      }
    }
    const int size = std::max(stopped ? lastStart : count - c, 1);
    bands.push_back(size);
    c += size;
  }
  return bands;
}

std::vector<std::uint8_t> BandBytes(const std::vector<int>& bands) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(bands.size() * 2);
  for (int band : bands) {
    bytes.push_back(static_cast<std::uint8_t>((band >> 8) & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(band & 0xFF));
  }
  return bytes;
}

int ToScreen(int value, int s, int d) {
  return d > 0 ? static_cast<int>(static_cast<long long>(value) * s / d) : value;
}

Box ToScreen(const Box& box, int s, int d) {
  return {ToScreen(box.left, s, d), ToScreen(box.top, s, d), ToScreen(box.right, s, d),
          ToScreen(box.bottom, s, d)};
}

QSize PreviewBitmapSize(int pageWidth, int pageHeight, int s, int d) {
  return {std::max(ToScreen(pageWidth, s, d), 1), std::max(ToScreen(pageHeight, s, d), 1)};
}

QSize PreviewWindowSize(QSize bitmap, int toolPanelHeight, int statusBarHeight) {
  constexpr int kBorder = 50;
  return {bitmap.width() + kBorder, bitmap.height() + toolPanelHeight + statusBarHeight + kBorder};
}

int ColumnAdjustDistance(int recordedRight, int measuredRight, int pageRight) {
  int distance = std::abs(recordedRight - measuredRight);
  if (measuredRight > recordedRight) distance -= (pageRight - recordedRight) / 10;
  return std::max(distance, 0);
}

namespace {

// One pass over the sizes: each non-zero size moves by its step (never
// past the distance left, never below 1 when narrowing). Returns whether
// anything moved.
template <class StepOf>
bool AdjustPass(std::span<int> sizes, int& distance, bool narrower, StepOf stepOf) {
  bool moved = false;
  for (int& size : sizes) {
    if (distance <= 0) break;
    if (size <= 0) continue;
    int step = std::min(stepOf(size), distance);
    if (narrower) step = std::min(step, size - 1);
    if (step <= 0) continue;
    size += narrower ? -step : step;
    distance -= step;
    moved = true;
  }
  return moved;
}

long long SumOf(std::span<const int> sizes) {
  long long total = 0;
  for (int size : sizes) total += std::max(size, 0);
  return total;
}

}  // namespace

void AdjustColumns(std::span<int> widths, int distance, bool narrower) {
  while (distance > 0) {
    const long long total = SumOf(widths);
    if (total <= 0) return;
    const long long d = distance;
    const bool moved = AdjustPass(widths, distance, narrower, [&](int width) {
      return static_cast<int>(std::max<long long>(1, width * d / total));
    });
    if (!moved) return;
  }
}

void AdjustRows(std::span<int> heights, int distance, bool narrower) {
  if (heights.empty() || SumOf(heights) <= 0) return;
  const int step = std::max(1, distance / static_cast<int>(heights.size()));
  while (distance > 0) {
    if (!AdjustPass(heights, distance, narrower, [step](int) { return step; })) return;
  }
}

int PageIndexOfText(std::string_view text, int pageCount) {
  long number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    number = std::min(number * 10 + (c - '0'), 1000000L);
  }
  if (pageCount <= 0 || number <= 0) return 0;
  return static_cast<int>(std::min<long>(number, pageCount) - 1);
}

}  // namespace printgeom
