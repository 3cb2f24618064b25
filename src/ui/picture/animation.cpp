// The animation thread: decodes (if asked), then shows frame after frame against deadlines
// on the steady clock, so the delays add up to the cycle without drifting.
#include "ui/picture/animation.h"

#include <chrono>

namespace dw::ui {

AnimationPlayer::AnimationPlayer(std::shared_ptr<const Picture> frames, FrameSink& sink)
    : picture_(std::move(frames)), sink_(sink) {}

AnimationPlayer::AnimationPlayer(std::shared_ptr<const ByteSet> bytes, Colour backdrop,
                                 Size frameSize, FrameSink& sink)
    : bytes_(std::move(bytes)), backdrop_(backdrop), frameSize_(frameSize), sink_(sink) {}

AnimationPlayer::~AnimationPlayer() {
  Stop();
}

void AnimationPlayer::Start() {
  std::lock_guard lock(mutex_);
  if (started_) return;
  started_ = true;
  thread_ = std::thread([this] { Run(); });
}

void AnimationPlayer::Stop() {
  cancel_ = true;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void AnimationPlayer::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void AnimationPlayer::Resume() {
  {
    std::lock_guard lock(mutex_);
    if (!paused_) return;
    paused_ = false;
  }
  wake_.notify_all();
}

std::uint64_t AnimationPlayer::FramesShown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

std::shared_ptr<const Picture> AnimationPlayer::Frames() const {
  std::lock_guard lock(mutex_);
  return picture_;
}

void AnimationPlayer::Run() {
  using Clock = std::chrono::steady_clock;
  std::shared_ptr<const Picture> picture;
  {
    std::lock_guard lock(mutex_);
    picture = picture_;
  }
  if (!picture && bytes_) {
    std::optional<Picture> decoded = DecodePicture(*bytes_, backdrop_, frameSize_, cancel_);
    if (decoded) picture = std::make_shared<const Picture>(std::move(*decoded));
    std::lock_guard lock(mutex_);
    picture_ = picture;
  }
  if (!picture || picture->frames.empty()) {
    // Not a picture after all: the box shows only its background colour.
    std::unique_lock lock(mutex_);
    if (stopping_ || cancel_) return;
    lock.unlock();
    sink_.ShowFrame(SolidFrame(frameSize_.width, frameSize_.height, backdrop_));
    return;
  }

  const std::vector<Frame>& frames = picture->frames;
  std::size_t index = 0;
  Clock::time_point deadline = Clock::now();
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (paused_) {
      // No timeout: a paused player sleeps until Resume or Stop.
      wake_.wait(lock, [this] { return stopping_ || !paused_; });
      if (stopping_) break;
      deadline = Clock::now();  // carry on from the current frame, shown again at once
    }
    lock.unlock();
    sink_.ShowFrame(frames[index]);
    lock.lock();
    ++shown_;
    if (frames.size() == 1) {
      // A still picture: shown once, then nothing to do until something changes.
      wake_.wait(lock, [this] { return stopping_ || paused_; });
      if (!stopping_) wake_.wait(lock, [this] { return stopping_ || !paused_; });
      continue;
    }
    const int delay = frames[index].delayMs > 0 ? frames[index].delayMs : 50;
    deadline += std::chrono::milliseconds(delay);
    // After a long stall (a blocked sink), start counting afresh instead of racing.
    if (deadline < Clock::now() - std::chrono::seconds(1)) deadline = Clock::now();
    if (wake_.wait_until(lock, deadline, [this] { return stopping_ || paused_; })) continue;
    index = (index + 1) % frames.size();
  }
}

}  // namespace dw::ui
