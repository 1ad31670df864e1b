#include "io/input.h"

#include <cstring>
#include <deque>
#include <string>

#include "io/platform.h"

namespace {
char pending[LINE_BUFFER_SIZE];
std::size_t pending_begin = 0, pending_end = 0;
bool at_end = false;
bool failed = false;
// A line found too long during a search, whose rest has not arrived yet.
bool skipping_long_line = false;

// Lines that arrived during a search, for the command loop. A flood of them is
// bounded: past these limits further lines are dropped rather than exhaust memory.
std::deque<std::string> kept;
std::size_t kept_bytes = 0;
constexpr std::size_t KEPT_LINES_MAX = 4096;
constexpr std::size_t KEPT_BYTES_MAX = 16u << 20;

bool fill() {
  if (at_end) return false;
  if (pending_begin == pending_end) pending_begin = pending_end = 0;
  if (pending_end == sizeof pending) {
    std::memmove(pending, pending + pending_begin, pending_end - pending_begin);
    pending_end -= pending_begin;
    pending_begin = 0;
  }
  const long n = read_stdin(pending + pending_end, sizeof pending - pending_end);
  if (n <= 0) {
    at_end = true;
    return false;
  }
  pending_end += static_cast<std::size_t>(n);
  return true;
}

// Copies `length` characters from the front of the buffer into `line`, drops them
// and the newline after them when `newline`, and removes a carriage return at the end.
void take_line(char* line, std::size_t length, bool newline) {
  std::memcpy(line, pending + pending_begin, length);
  pending_begin += length + (newline ? 1 : 0);
  if (length > 0 && line[length - 1] == '\r') --length;
  line[length] = '\0';
}

void take_kept_line(char* line) {
  const std::string& front = kept.front();
  std::memcpy(line, front.c_str(), front.size() + 1);
  kept_bytes -= front.size();
  kept.pop_front();
}
}  // namespace

bool read_line(char* line) {
  if (failed) return false;
  if (!kept.empty()) {
    take_kept_line(line);
    return true;
  }
  // The rest of a line found too long during a search is no command either.
  while (skipping_long_line) {
    if (pending_begin == pending_end && !fill()) {
      failed = true;
      return false;
    }
    skipping_long_line = pending[pending_begin++] != '\n';
  }
  std::size_t length = 0;
  for (;;) {
    if (pending_begin == pending_end && !fill()) {
      if (length == 0) {
        failed = true;
        return false;
      }
      break;  // a last line without its newline still counts
    }
    const char c = pending[pending_begin];
    if (c == '\n') {
      ++pending_begin;
      break;
    }
    if (length == MAX_LINE_LENGTH) {
      failed = true;
      return false;
    }
    line[length++] = c;
    ++pending_begin;
  }
  if (length > 0 && line[length - 1] == '\r') --length;
  line[length] = '\0';
  return true;
}

PolledLine poll_line(char* line) {
  if (failed) return PolledLine::END;
  for (;;) {
    const std::size_t waiting = pending_end - pending_begin;
    const void* newline = std::memchr(pending + pending_begin, '\n', waiting);
    if (skipping_long_line) {
      if (newline) {
        pending_begin = static_cast<std::size_t>(static_cast<const char*>(newline) - pending) + 1;
        skipping_long_line = false;
        continue;
      }
      pending_begin = pending_end = 0;
    } else if (newline) {
      take_line(line, static_cast<std::size_t>(static_cast<const char*>(newline) - (pending + pending_begin)), true);
      return PolledLine::LINE;
    } else if (waiting > MAX_LINE_LENGTH) {
      pending_begin = pending_end = 0;
      skipping_long_line = true;
      return PolledLine::TOO_LONG;
    }
    if (at_end) {
      if (pending_begin == pending_end) return PolledLine::END;
      take_line(line, pending_end - pending_begin, false);  // a last line without its newline
      return PolledLine::LINE;
    }
    if (!stdin_readable_now()) return PolledLine::NONE;
    fill();
  }
}

void keep_line(const char* line) {
  const std::size_t size = std::strlen(line);
  if (kept.size() >= KEPT_LINES_MAX || kept_bytes + size > KEPT_BYTES_MAX) return;
  kept.emplace_back(line, size);
  kept_bytes += size;
}

bool input_ended() { return at_end && pending_begin == pending_end; }

void reset_input_for_tests() {
  pending_begin = pending_end = 0;
  at_end = failed = skipping_long_line = false;
  kept.clear();
  kept_bytes = 0;
}
