#pragma once
// Growing text for the object file's hot path: room is taken, written through a pointer and
// then kept as far as it was used, without the zero fill that std::string::resize pays for
// every byte it adds.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace model {

class clsTextBuffer {
 public:
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const char* data() const { return data_.get(); }
  std::string_view view() const { return {data_.get(), size_}; }
  void clear() { size_ = 0; }

  void reserve(std::size_t capacity) {
    if (capacity <= capacity_) return;
    std::unique_ptr<char[]> larger(new char[capacity]);
    if (size_ > 0) std::memcpy(larger.get(), data_.get(), size_);
    data_ = std::move(larger);
    capacity_ = capacity;
  }
  // Where up to bytes more characters may be written; commit says how far they went.
  char* room(std::size_t bytes) {
    if (size_ + bytes > capacity_) reserve(std::max(2 * capacity_, size_ + bytes));
    return data_.get() + size_;
  }
  void commit(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  void append(std::string_view text) {
    char* at = room(text.size());
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    size_ += text.size();
  }
  // Drops the first count characters; the rest moves to the front.
  void eraseFront(std::size_t count) {
    std::memmove(data_.get(), data_.get() + count, size_ - count);
    size_ -= count;
  }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace model
