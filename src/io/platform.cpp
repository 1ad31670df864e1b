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

namespace {
constexpr std::size_t PAGE = 4096, LARGE_PAGE = std::size_t{2} << 20;
std::size_t table_size(std::size_t bytes) {
  const std::size_t align = bytes >= LARGE_PAGE ? LARGE_PAGE : PAGE;
  return (bytes + align - 1) / align * align;
}
}  // namespace

// Mapped rather than taken from the heap: fresh pages come zeroed by the
// kernel, so making the table needs them touched, not written in full.
void* allocate_table(std::size_t bytes) {
  const std::size_t size = table_size(bytes);
  const std::size_t slack = size >= LARGE_PAGE ? LARGE_PAGE : 0;  // room to start on a large page
  void* mapped = ::mmap(nullptr, size + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  auto* start = static_cast<char*>(mapped);
  if (slack) {
    char* aligned = start + (LARGE_PAGE - reinterpret_cast<std::uintptr_t>(start) % LARGE_PAGE) % LARGE_PAGE;
    if (aligned != start) ::munmap(start, static_cast<std::size_t>(aligned - start));
    if (aligned + size != start + size + slack)
      ::munmap(aligned + size, static_cast<std::size_t>(start + size + slack - (aligned + size)));
    start = aligned;
#ifdef MADV_HUGEPAGE
    // Only asked for, never forced: a kernel without them, or one that refuses,
    // leaves ordinary pages, and the table works the same.
    ::madvise(start, size, MADV_HUGEPAGE);
#endif
  }
  return start;
}

void free_table(void* table, std::size_t bytes) {
  if (table) ::munmap(table, table_size(bytes));
}

long read_stdin(char* buffer, unsigned long size) {
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) return 0;
  }
}
