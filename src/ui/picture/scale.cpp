// Smooth scaling of a frame: area averaging when shrinking (every source pixel counts by the
// share of it an output pixel covers), bilinear when growing. Separable and in integers:
// columns first over whole rows of bytes (a loop compilers vectorise), then along the row.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/picture/picture.h"

namespace dw::ui {
namespace {

constexpr int kWeightBits = 12;  // each output's weights sum to 1 << kWeightBits

// For each output position, the source positions it reads and their integer weights.
struct Taps {
  std::vector<int> first;  // first tap of each output, plus one end marker
  std::vector<int> index;
  std::vector<std::uint32_t> weight;
};

Taps MakeTaps(int source, int target) {
  Taps t;
  t.first.reserve(target + 1);
  const double scale = static_cast<double>(source) / target;
  std::vector<std::pair<int, double>> exact;
  for (int i = 0; i < target; ++i) {
    exact.clear();
    if (source > target) {
      const double lo = i * scale, hi = (i + 1) * scale;
      const int j0 = static_cast<int>(lo), j1 = std::min(source, static_cast<int>(std::ceil(hi)));
      for (int j = j0; j < j1; ++j) {
        const double overlap = std::min<double>(hi, j + 1) - std::max<double>(lo, j);
        if (overlap > 0) exact.push_back({j, overlap / scale});
      }
    } else {
      const double centre = (i + 0.5) * scale - 0.5;
      const int j0 = static_cast<int>(std::floor(centre));
      const double f = centre - j0;
      exact.push_back({std::clamp(j0, 0, source - 1), 1.0 - f});
      exact.push_back({std::clamp(j0 + 1, 0, source - 1), f});
    }
    // Integer weights that sum exactly to one, so a uniform colour stays exactly itself: the
    // rounding remainder goes to the heaviest tap.
    t.first.push_back(static_cast<int>(t.index.size()));
    std::uint32_t sum = 0;
    std::size_t heaviest = t.weight.size();
    for (auto [j, w] : exact) {
      const auto iw = static_cast<std::uint32_t>(std::lround(w * (1 << kWeightBits)));
      if (iw == 0) continue;
      if (heaviest == t.weight.size() || iw > t.weight[heaviest]) heaviest = t.weight.size();
      t.index.push_back(j);
      t.weight.push_back(iw);
      sum += iw;
    }
    if (heaviest == t.weight.size()) {  // all rounded away: take the nearest pixel
      t.index.push_back(exact.front().first);
      t.weight.push_back(1u << kWeightBits);
    } else {
      t.weight[heaviest] += (1u << kWeightBits) - sum;
    }
  }
  t.first.push_back(static_cast<int>(t.index.size()));
  return t;
}

}  // namespace

Frame ScaleFrame(const Frame& source, int width, int height) {
  Frame out;
  out.delayMs = source.delayMs;
  if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0 ||
      source.argb.size() != static_cast<std::size_t>(source.width) * source.height)
    return out;
  out.width = width;
  out.height = height;
  if (width == source.width && height == source.height) {
    out.argb = source.argb;
    return out;
  }
  const Taps cols = MakeTaps(source.width, width);
  const Taps rows = MakeTaps(source.height, height);
  out.argb.resize(static_cast<std::size_t>(width) * height);

  // The four bytes of each pixel are handled alike (premultiplied ARGB averages linearly).
  const std::size_t rowBytes = static_cast<std::size_t>(source.width) * 4;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(source.argb.data());
  std::vector<std::uint32_t> column(rowBytes);  // one output row, before the row pass
  for (int y = 0; y < height; ++y) {
    std::fill(column.begin(), column.end(), 0u);
    for (int k = rows.first[y]; k < rows.first[y + 1]; ++k) {
      const std::uint8_t* in = bytes + static_cast<std::size_t>(rows.index[k]) * rowBytes;
      const std::uint32_t w = rows.weight[k];
      std::uint32_t* acc = column.data();
      for (std::size_t i = 0; i < rowBytes; ++i) acc[i] += w * in[i];
    }
    // column[i] ≤ 255 << kWeightBits; drop 4 bits so the row pass fits 32 bits.
    for (std::uint32_t& v : column) v >>= 4;
    std::uint32_t* o = &out.argb[static_cast<std::size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      std::uint32_t sum[4] = {0, 0, 0, 0};
      for (int k = cols.first[x]; k < cols.first[x + 1]; ++k) {
        const std::uint32_t* p = &column[static_cast<std::size_t>(cols.index[k]) * 4];
        const std::uint32_t w = cols.weight[k];
        sum[0] += w * p[0], sum[1] += w * p[1], sum[2] += w * p[2], sum[3] += w * p[3];
      }
      std::uint8_t px[4];
      constexpr int kShift = 2 * kWeightBits - 4;
      for (int c = 0; c < 4; ++c)
        px[c] = static_cast<std::uint8_t>(
            std::min<std::uint32_t>(255, (sum[c] + (1u << (kShift - 1))) >> kShift));
      std::memcpy(&o[x], px, 4);
    }
  }
  return out;
}

}  // namespace dw::ui
