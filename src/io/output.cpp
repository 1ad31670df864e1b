#include "io/output.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace output {
thread_local constinit bool muted = false;

void write_through(const char* data, std::size_t size) {
  if (muted) return;
  while (size > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // the interface has gone; nobody is left to tell
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}
}  // namespace output

OutLine& OutLine::operator<<(std::string_view text) {
  while (!text.empty()) {
    if (size_ == CAPACITY) send();
    const std::size_t n = std::min(text.size(), CAPACITY - size_);
    std::memcpy(buffer_ + size_, text.data(), n);
    size_ += n;
    text.remove_prefix(n);
  }
  return *this;
}

OutLine& OutLine::operator<<(char c) { return *this << std::string_view(&c, 1); }

OutLine& OutLine::operator<<(std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
}

OutLine& OutLine::operator<<(std::uint64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
}

void OutLine::send() {
  if (size_ == 0) return;
  output::write_through(buffer_, size_);
  size_ = 0;
}
