#include "io/platform.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>

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

void* allocate_table(std::size_t bytes) {
  constexpr std::size_t LINE = 64, LARGE_PAGE = std::size_t{2} << 20;
  const std::size_t align = bytes >= LARGE_PAGE ? LARGE_PAGE : LINE;
  const std::size_t size = (bytes + align - 1) / align * align;
  void* table = std::aligned_alloc(align, size);
#ifdef MADV_HUGEPAGE
  // Only asked for, never forced: a kernel without them, or one that refuses,
  // leaves ordinary pages, and the table works the same.
  if (table && align == LARGE_PAGE) ::madvise(table, size, MADV_HUGEPAGE);
#endif
  return table;
}

void free_table(void* table) { std::free(table); }

long read_stdin(char* buffer, unsigned long size) {
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) return 0;
  }
}
