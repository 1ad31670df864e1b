#include "io/output.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace output {
thread_local constinit bool muted = false;

thread_local constinit HelperLog* diverted = nullptr;

namespace {

// Keeps the lines that are neither reports (`info ...`) nor empty, while there is room.
void keep_check_lines(HelperLog& log, std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty() || line.substr(0, 4) == "info" || log.size + line.size() + 1 > sizeof log.text) continue;
    std::memcpy(log.text + log.size, line.data(), line.size());
    log.size += line.size();
    log.text[log.size++] = '\n';
  }
}

}  // namespace

void write_through(const char* data, std::size_t size) {
  if (muted) return;
  if (diverted) return keep_check_lines(*diverted, std::string_view(data, size));
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
