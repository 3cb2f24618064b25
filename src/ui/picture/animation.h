// Plays an animated picture on a thread of its own: shows each frame for its delay, then the
// next, looping forever. Sleeping is deadline-based, so delays do not drift, and a paused
// player sleeps without waking until it is resumed or stopped.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "text/values.h"
#include "ui/layout.h"
#include "ui/picture/picture.h"

namespace dw::ui {

// Where the player puts its frames. Called on the player's thread only, one frame at a time.
class FrameSink {
 public:
  virtual ~FrameSink() = default;
  virtual void ShowFrame(const Frame& frame) = 0;
};

class AnimationPlayer {
 public:
  // Plays frames that are already decoded (and scaled to the box).
  AnimationPlayer(std::shared_ptr<const Picture> frames, FrameSink& sink);
  // Decodes the picture on the player's thread first, each frame scaled to frameSize, then
  // plays it. When the bytes do not decode, shows one frame of the backdrop colour (the box
  // without a picture) and ends.
  AnimationPlayer(std::shared_ptr<const ByteSet> bytes, Colour backdrop, Size frameSize,
                  FrameSink& sink);
  ~AnimationPlayer();  // stops and joins
  AnimationPlayer(const AnimationPlayer&) = delete;
  AnimationPlayer& operator=(const AnimationPlayer&) = delete;

  void Start();  // starts the thread (once); the first frame is shown at once
  void Stop();   // stops the thread and waits until it has ended; idempotent
  // While paused the thread sleeps without any wake-up; Resume shows the current frame
  // again at once and carries on from it.
  void Pause();
  void Resume();

  // Frames shown so far (for tests and measurements).
  std::uint64_t FramesShown() const;
  // The decoded picture, once the player has it (null before, or when it did not decode).
  std::shared_ptr<const Picture> Frames() const;

 private:
  void Run();

  std::shared_ptr<const Picture> picture_;
  std::shared_ptr<const ByteSet> bytes_;
  Colour backdrop_ = 0;
  Size frameSize_;
  FrameSink& sink_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::atomic<bool> cancel_{false};  // Stop cuts a decode on the thread short
  bool paused_ = false;
  bool started_ = false;
  std::uint64_t shown_ = 0;
  std::thread thread_;
};

}  // namespace dw::ui
