// Catching what the engine writes. Its output goes straight to file descriptor 1
// with write(2), so the descriptor itself is pointed at a temporary file.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace capture {

// An anonymous temporary file.
class OutputFile {
 public:
  OutputFile() {
    char path[] = "/tmp/nerul-output-XXXXXX";
    fd_ = ::mkstemp(path);
    if (fd_ < 0) std::abort();
    ::unlink(path);
  }
  ~OutputFile() { ::close(fd_); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  int fd() const { return fd_; }

  std::string contents() const {
    std::string text;
    char buffer[4096];
    off_t offset = 0;
    for (ssize_t n; (n = ::pread(fd_, buffer, sizeof buffer, offset)) > 0; offset += n)
      text.append(buffer, static_cast<std::size_t>(n));
    return text;
  }

 private:
  int fd_;
};

// Standard output goes to a temporary file from construction until release().
class StdoutCapture {
 public:
  StdoutCapture() {
    std::fflush(stdout);
    saved_ = ::dup(STDOUT_FILENO);
    ::dup2(file_.fd(), STDOUT_FILENO);
  }
  ~StdoutCapture() { restore(); }
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;

  // Points standard output back where it was and returns what was written.
  std::string release() {
    restore();
    return file_.contents();
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stdout);
    ::dup2(saved_, STDOUT_FILENO);
    ::close(saved_);
    saved_ = -1;
  }
  OutputFile file_;
  int saved_ = -1;
};

// Runs `f` and returns what it wrote to standard output.
template <typename F>
std::string output_of(F&& f) {
  StdoutCapture capture;
  f();
  return capture.release();
}

// A copy of `text` in a heap block of exactly its length, with no terminator
// behind it, so that the sanitizer build catches any read past its end.
class ExactText {
 public:
  explicit ExactText(std::string_view text) : size_(text.size()), data_(new char[text.size() ? text.size() : 1]) {
    if (size_) std::memcpy(data_.get(), text.data(), size_);
  }
  std::string_view view() const { return {data_.get(), size_}; }
  operator std::string_view() const { return view(); }

 private:
  std::size_t size_;
  std::unique_ptr<char[]> data_;
};

}  // namespace capture

// Expects `statement` to end the process with `status`, having written exactly
// `expected_output` to standard output. The statement runs in a death-test child
// whose standard output is a file that the parent reads afterwards.
#define EXPECT_EXIT_WITH_OUTPUT(statement, status, expected_output)        \
  do {                                                                     \
    ::capture::OutputFile exit_output_file_;                               \
    EXPECT_EXIT(                                                           \
        {                                                                  \
          ::dup2(exit_output_file_.fd(), STDOUT_FILENO);                   \
          statement;                                                       \
        },                                                                 \
        ::testing::ExitedWithCode(status), "");                            \
    EXPECT_EQ(exit_output_file_.contents(), std::string(expected_output)); \
  } while (0)
