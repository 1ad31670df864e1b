#include "uci/input.h"

#include <cstring>

#include "uci/platform.h"

namespace {
char pending[LINE_BUFFER_SIZE];
std::size_t pending_begin = 0, pending_end = 0;
bool at_end = false;
bool failed = false;

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
}  // namespace

bool read_line(char* line) {
  if (failed) return false;
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

std::uint32_t input_waiting() {
  if (pending_begin != pending_end) return static_cast<std::uint32_t>(pending_end - pending_begin);
  if (at_end || failed) return 1;
  return stdin_readable_now() ? 1 : 0;
}

bool input_ended() { return at_end && pending_begin == pending_end; }

void reset_input_for_tests() {
  pending_begin = pending_end = 0;
  at_end = failed = false;
}
