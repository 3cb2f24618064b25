// Smooth scaling of a frame: area averaging when shrinking (every source pixel counts by the
// share of it an output pixel covers), bilinear when growing. Separable: rows, then columns.
#include <algorithm>
#include <cmath>

#include "ui/picture/picture.h"

namespace dw::ui {
namespace {

struct Tap {
  int index;
  float weight;
};

// For each output position, the source positions it reads and their weights (summing to 1).
struct Taps {
  std::vector<int> first;  // first tap of each output, plus one end marker
  std::vector<Tap> taps;
};

Taps MakeTaps(int source, int target) {
  Taps t;
  t.first.reserve(target + 1);
  double scale = static_cast<double>(source) / target;
  for (int i = 0; i < target; ++i) {
    t.first.push_back(static_cast<int>(t.taps.size()));
    if (source > target) {
      double lo = i * scale, hi = (i + 1) * scale;
      int j0 = static_cast<int>(lo), j1 = std::min(source, static_cast<int>(std::ceil(hi)));
      for (int j = j0; j < j1; ++j) {
        double overlap = std::min<double>(hi, j + 1) - std::max<double>(lo, j);
        if (overlap > 0) t.taps.push_back({j, static_cast<float>(overlap / scale)});
      }
    } else {
      double centre = (i + 0.5) * scale - 0.5;
      int j0 = static_cast<int>(std::floor(centre));
      float f = static_cast<float>(centre - j0);
      int a = std::clamp(j0, 0, source - 1), b = std::clamp(j0 + 1, 0, source - 1);
      if (a == b || f == 0.0f) {
        t.taps.push_back({a, 1.0f});
      } else {
        t.taps.push_back({a, 1.0f - f});
        t.taps.push_back({b, f});
      }
    }
  }
  t.first.push_back(static_cast<int>(t.taps.size()));
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

  // Rows first: source height × target width, four float channels each.
  std::vector<float> mid(static_cast<std::size_t>(width) * source.height * 4);
  for (int y = 0; y < source.height; ++y) {
    const std::uint32_t* in = &source.argb[static_cast<std::size_t>(y) * source.width];
    float* o = &mid[static_cast<std::size_t>(y) * width * 4];
    for (int x = 0; x < width; ++x) {
      float a = 0, r = 0, g = 0, b = 0;
      for (int k = cols.first[x]; k < cols.first[x + 1]; ++k) {
        std::uint32_t p = in[cols.taps[k].index];
        float w = cols.taps[k].weight;
        a += w * static_cast<float>(p >> 24);
        r += w * static_cast<float>((p >> 16) & 0xFF);
        g += w * static_cast<float>((p >> 8) & 0xFF);
        b += w * static_cast<float>(p & 0xFF);
      }
      o[x * 4 + 0] = a;
      o[x * 4 + 1] = r;
      o[x * 4 + 2] = g;
      o[x * 4 + 3] = b;
    }
  }
  out.argb.resize(static_cast<std::size_t>(width) * height);
  std::vector<float> acc(static_cast<std::size_t>(width) * 4);
  for (int y = 0; y < height; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int k = rows.first[y]; k < rows.first[y + 1]; ++k) {
      const float* m = &mid[static_cast<std::size_t>(rows.taps[k].index) * width * 4];
      float w = rows.taps[k].weight;
      for (int i = 0; i < width * 4; ++i) acc[i] += w * m[i];
    }
    std::uint32_t* o = &out.argb[static_cast<std::size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      auto channel = [&](int c) {
        return static_cast<std::uint32_t>(std::clamp(acc[x * 4 + c] + 0.5f, 0.0f, 255.0f));
      };
      o[x] = (channel(0) << 24) | (channel(1) << 16) | (channel(2) << 8) | channel(3);
    }
  }
  return out;
}

}  // namespace dw::ui
