// Everything the engine says goes through here: a line (or a block of lines) is
// composed in full and then written to standard output with one system call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace output {
// Set by tools that run the search for its figures alone.
extern thread_local constinit bool muted;
// A helper thread of the search writes nothing: its self-check lines are kept
// here for the main thread to write, and everything else it says is dropped.
struct HelperLog {
  char text[4096];
  std::size_t size = 0;
};
extern thread_local constinit HelperLog* diverted;
void write_through(const char* data, std::size_t size);
}  // namespace output

class OutLine {
 public:
  // Not defaulted: `OutLine()` would then zero the whole buffer on every line.
  OutLine() {}
  OutLine(const OutLine&) = delete;
  OutLine& operator=(const OutLine&) = delete;
  ~OutLine() { send(); }

  OutLine& operator<<(std::string_view text);
  OutLine& operator<<(const char* text) { return *this << std::string_view(text); }
  OutLine& operator<<(char c);
  OutLine& operator<<(std::int64_t value);
  OutLine& operator<<(std::uint64_t value);
  OutLine& operator<<(int value) { return *this << static_cast<std::int64_t>(value); }
  OutLine& operator<<(unsigned value) { return *this << static_cast<std::uint64_t>(value); }

  // Writes what has been composed so far.
  void send();

 private:
  static constexpr std::size_t CAPACITY = 16384;
  char buffer_[CAPACITY];
  std::size_t size_ = 0;
};
