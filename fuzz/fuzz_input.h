// Reads a fuzzer's bytes as a stream of small choices and texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint32_t Number(uint32_t limit) {  // 0 to limit - 1
    uint32_t v = Byte();
    v = v << 8 | Byte();
    return limit ? v % limit : 0;
  }
  uint64_t Wide() {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = v << 8 | Byte();
    return v;
  }
  std::string Text(size_t maxLength) {
    size_t n = Byte() % (maxLength + 1);
    std::string s;
    while (n-- > 0 && !Empty()) s += static_cast<char>(Byte());
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace fuzz
