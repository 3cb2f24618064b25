// The animation player with a recording sink: order and looping, pausing without frames,
// stopping, decoding on its own thread.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "picture/picture_files.h"
#include "ui/picture/animation.h"

namespace dw::ui {
namespace {

using namespace std::chrono_literals;

class RecordingSink : public FrameSink {
 public:
  void ShowFrame(const Frame& frame) override {
    std::lock_guard lock(mutex_);
    shown_.push_back(frame.argb.empty() ? 0 : frame.argb[0]);
    changed_.notify_all();
  }
  // Waits (up to a generous limit) until at least n frames were shown.
  std::vector<std::uint32_t> WaitFor(std::size_t n) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, 10s, [&] { return shown_.size() >= n; });
    return shown_;
  }
  std::size_t Count() {
    std::lock_guard lock(mutex_);
    return shown_.size();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::uint32_t> shown_;
};

std::shared_ptr<const Picture> ThreeColours(int delayMs) {
  auto p = std::make_shared<Picture>();
  p->width = p->height = 1;
  for (std::uint32_t c : {1u, 2u, 3u}) p->frames.push_back(Frame{1, 1, {c}, delayMs});
  return p;
}

TEST(Animation, PlaysInOrderAndLoops) {
  RecordingSink sink;
  AnimationPlayer player(ThreeColours(1), sink);
  player.Start();
  std::vector<std::uint32_t> shown = sink.WaitFor(7);
  player.Stop();
  ASSERT_GE(shown.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(shown[i], i % 3 + 1) << i;
}

TEST(Animation, PausedShowsNothingUntilResumedAndStopJoins) {
  RecordingSink sink;
  AnimationPlayer player(ThreeColours(5), sink);
  player.Start();
  sink.WaitFor(2);
  player.Pause();
  std::this_thread::sleep_for(20ms);  // let a frame in flight land
  const std::size_t atPause = sink.Count();
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(sink.Count(), atPause) << "no frames while paused";
  player.Resume();
  sink.WaitFor(atPause + 3);
  player.Stop();
  const std::size_t atStop = sink.Count();
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(sink.Count(), atStop) << "nothing after Stop returned";
  player.Stop();  // twice is harmless
}

TEST(Animation, DecodesOnItsThreadOrShowsTheBackdrop) {
  const ByteSet gif =
      test::Gif(2, 2, {0xFF0000, 0x0000FF},
                {{0, 0, 2, 2, {0, 0, 0, 0}, 1, 1}, {0, 0, 2, 2, {1, 1, 1, 1}, 1, 1}});
  RecordingSink sink;
  AnimationPlayer player(std::make_shared<const ByteSet>(gif), 0, Size{4, 4}, sink);
  player.Start();
  std::vector<std::uint32_t> shown = sink.WaitFor(3);
  player.Stop();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown[0], 0xFFFF0000u);
  EXPECT_EQ(shown[1], 0xFF0000FFu);
  ASSERT_TRUE(player.Frames());
  EXPECT_EQ(player.Frames()->width, 4);

  RecordingSink empty;
  AnimationPlayer broken(
      std::make_shared<const ByteSet>(ByteSet{'G', 'I', 'F', '8', '9', 'a', 0, 0}), 0xF0E6DF,
      Size{4, 4}, empty);
  broken.Start();
  shown = empty.WaitFor(1);
  broken.Stop();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], 0xFFDFE6F0u);
  EXPECT_FALSE(broken.Frames());
}

}  // namespace
}  // namespace dw::ui
