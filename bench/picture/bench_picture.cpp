// The animation's cost: what the picture box pays before its first paint (the first frame
// alone), what the animation thread pays to decode, compose and pre-scale all 71 frames, and
// the memory the 78 × 78 frames hold while playing. Also the window's two PNG pictures.
#include <benchmark/benchmark.h>

#include "assets/assets.h"
#include "ui/picture/picture.h"
#include "ui/picture/shape.h"

namespace {

dw::ByteSet Bytes(std::span<const std::uint8_t> s) { return dw::ByteSet(s.begin(), s.end()); }

constexpr dw::ui::Colour kFace = 0xF0E6DF;
constexpr dw::ui::Size kBox{78, 78};

void FirstFrameForTheBox(benchmark::State& state) {
  const dw::ByteSet gif = Bytes(dw::assets::AnimationPicture());
  for (auto _ : state) benchmark::DoNotOptimize(dw::ui::DecodeFirstFrame(gif, kFace, kBox));
}
BENCHMARK(FirstFrameForTheBox)->Unit(benchmark::kMillisecond);

void AllFramesScaledForTheBox(benchmark::State& state) {
  const dw::ByteSet gif = Bytes(dw::assets::AnimationPicture());
  std::size_t bytes = 0, frames = 0;
  for (auto _ : state) {
    std::optional<dw::ui::Picture> p = dw::ui::DecodePicture(gif, kFace, kBox);
    frames = p->frames.size();
    bytes = 0;
    for (const dw::ui::Frame& f : p->frames) bytes += f.argb.capacity() * sizeof(std::uint32_t);
    benchmark::DoNotOptimize(p);
  }
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["held_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(AllFramesScaledForTheBox)->Unit(benchmark::kMillisecond);

void BackgroundAtClientSize(benchmark::State& state) {
  const dw::ByteSet png = Bytes(dw::assets::BackgroundPicture());
  for (auto _ : state) {
    std::optional<dw::ui::Picture> p = dw::ui::DecodePicture(png, 0xFF000000);
    benchmark::DoNotOptimize(dw::ui::ScaleFrame(p->frames[0], 334, 334));
  }
}
BENCHMARK(BackgroundAtClientSize)->Unit(benchmark::kMillisecond);

void WindowShape(benchmark::State& state) {
  const dw::ByteSet png = Bytes(dw::assets::ShapePicture());
  for (auto _ : state) benchmark::DoNotOptimize(dw::ui::ShapeFromPicture(png));
}
BENCHMARK(WindowShape)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
