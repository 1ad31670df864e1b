#include "io/platform.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>

namespace {
const auto process_start = std::chrono::steady_clock::now();
}

void prepare_process() { std::signal(SIGPIPE, SIG_IGN); }

std::int64_t clock_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - process_start)
      .count();
}

bool stdin_readable_now() { return stdin_readable_within(0); }

bool stdin_readable_within(int milliseconds) {
  pollfd p{STDIN_FILENO, POLLIN, 0};
  int r;
  do r = ::poll(&p, 1, milliseconds);
  while (r < 0 && errno == EINTR);
  if (r < 0) return true;  // cannot tell: let the reader find out
  return r > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL));
}

long read_stdin(char* buffer, unsigned long size) {
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) return 0;
  }
}
