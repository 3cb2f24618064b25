// Bounds-checked little-endian reads over a picture file. A read past the end sets the
// reader's failed flag and gives 0, so loaders check once after a group of reads instead of
// guarding every byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace dw::ui::detail {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t pos = 0)
      : bytes_(bytes), pos_(pos) {
    if (pos_ > bytes_.size()) Fail();
  }

  bool ok() const { return ok_; }
  std::size_t pos() const { return pos_; }
  std::size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }
  void Fail() {
    ok_ = false;
    pos_ = bytes_.size();
  }

  std::uint8_t U8() {
    if (remaining() < 1) return Fail(), 0;
    return bytes_[pos_++];
  }
  std::uint16_t U16() {
    if (remaining() < 2) return Fail(), 0;
    std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  std::uint32_t U32() {
    if (remaining() < 4) return Fail(), 0;
    std::uint32_t v = static_cast<std::uint32_t>(bytes_[pos_]) |
                      (static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8) |
                      (static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16) |
                      (static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  void Skip(std::size_t n) {
    if (remaining() < n) return Fail();
    pos_ += n;
  }
  void Seek(std::size_t pos) {
    if (pos > bytes_.size()) return Fail();
    if (ok_) pos_ = pos;
  }
  // The next n bytes, or an empty span (and failure) when fewer remain.
  std::span<const std::uint8_t> Take(std::size_t n) {
    if (remaining() < n) return Fail(), std::span<const std::uint8_t>();
    auto s = bytes_.subspan(pos_, n);
    pos_ += n;
    return s;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_;
  bool ok_ = true;
};

}  // namespace dw::ui::detail
