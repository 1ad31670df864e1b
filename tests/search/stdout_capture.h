// The engine writes straight to file descriptor 1, so the reports are caught by
// pointing that descriptor at an anonymous temporary file for a while.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace search_test {

class StdoutCapture {
 public:
  StdoutCapture() {
    char path[] = "/tmp/nerul-search-output-XXXXXX";
    file_ = ::mkstemp(path);
    if (file_ < 0) std::abort();
    ::unlink(path);
    std::fflush(stdout);
    saved_ = ::dup(STDOUT_FILENO);
    if (saved_ < 0 || ::dup2(file_, STDOUT_FILENO) < 0) std::abort();
  }
  ~StdoutCapture() {
    restore();
    ::close(file_);
  }
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;

  // Puts standard output back and returns everything written meanwhile.
  std::string release() {
    restore();
    std::string text;
    char buffer[4096];
    off_t offset = 0;
    for (ssize_t n; (n = ::pread(file_, buffer, sizeof buffer, offset)) > 0; offset += n)
      text.append(buffer, static_cast<std::size_t>(n));
    return text;
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stdout);
    ::dup2(saved_, STDOUT_FILENO);
    ::close(saved_);
    saved_ = -1;
  }
  int file_ = -1;
  int saved_ = -1;
};

// What `f` writes to standard output.
template <typename F>
std::string output_of(F&& f) {
  StdoutCapture capture;
  f();
  return capture.release();
}

}  // namespace search_test
