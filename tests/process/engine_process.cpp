#include "process/engine_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace engine_test {

namespace {

using Clock = std::chrono::steady_clock;

// A child that stops reading must not kill the test with SIGPIPE; its writes fail
// with EPIPE instead. The child itself gets the default action back.
void ignore_sigpipe_once() {
  static const bool done = [] {
    std::signal(SIGPIPE, SIG_IGN);
    return true;
  }();
  (void)done;
}

int milliseconds_left(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

int decode_status(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return EXIT_TIMED_OUT;
}

[[noreturn]] void fail(const char* what) { throw std::runtime_error(std::string(what) + ": " + std::strerror(errno)); }

}  // namespace

EngineProcess::EngineProcess(const std::string& binary, const std::vector<std::string>& arguments) {
  ignore_sigpipe_once();
  int input_pipe[2], output_pipe[2];
  if (::pipe2(input_pipe, O_CLOEXEC) != 0) fail("pipe");
  if (::pipe2(output_pipe, O_CLOEXEC) != 0) fail("pipe");
  char error_path[] = "/tmp/nerul-stderr-XXXXXX";
  error_file_ = ::mkostemp(error_path, O_CLOEXEC);
  if (error_file_ < 0) fail("mkostemp");
  ::unlink(error_path);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input_pipe[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output_pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, error_file_, STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(binary.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int spawned = ::posix_spawn(&pid_, binary.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(input_pipe[0]);
  ::close(output_pipe[1]);
  to_child_ = input_pipe[1];
  from_child_ = output_pipe[0];
  if (spawned != 0) {
    errno = spawned;
    pid_ = -1;
    close_fd(to_child_);
    close_fd(from_child_);
    close_fd(error_file_);
    fail(("posix_spawn " + binary).c_str());
  }
  ::fcntl(to_child_, F_SETFL, ::fcntl(to_child_, F_GETFL) | O_NONBLOCK);
}

EngineProcess::~EngineProcess() {
  close_fd(to_child_);
  if (pid_ > 0 && !exit_status_) kill_and_reap();
  close_fd(from_child_);
  close_fd(error_file_);
}

void EngineProcess::kill_and_reap() {
  ::kill(pid_, SIGKILL);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
}

bool EngineProcess::send(std::string_view line, milliseconds timeout) {
  std::string text(line);
  text += '\n';
  return send_raw(text, timeout);
}

bool EngineProcess::send_raw(std::string_view bytes, milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!bytes.empty()) {
    if (to_child_ < 0) return false;
    const ssize_t n = ::write(to_child_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;  // EPIPE: the child has gone
    // The pipe is full. Keep draining the child's output meanwhile, or a child
    // blocked on writing would never read on.
    pollfd fds[2] = {{to_child_, POLLOUT, 0}, {from_child_, static_cast<short>(output_ended_ ? 0 : POLLIN), 0}};
    const int left = milliseconds_left(deadline);
    if (left == 0) return false;
    if (::poll(fds, 2, std::min(left, 50)) > 0 && (fds[1].revents & (POLLIN | POLLHUP))) fill(milliseconds(0));
  }
  return true;
}

bool EngineProcess::fill(milliseconds timeout) {
  if (output_ended_) return false;
  pollfd p{from_child_, POLLIN, 0};
  int r;
  do r = ::poll(&p, 1, static_cast<int>(timeout.count()));
  while (r < 0 && errno == EINTR);
  if (r <= 0) return false;
  char buffer[65536];
  ssize_t n;
  do n = ::read(from_child_, buffer, sizeof buffer);
  while (n < 0 && errno == EINTR);
  if (n <= 0) {
    output_ended_ = true;
    return false;
  }
  pending_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::optional<std::string> EngineProcess::read_line(milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (const std::size_t end = pending_.find('\n'); end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    if (output_ended_) {
      if (pending_.empty()) return std::nullopt;
      std::string line;
      line.swap(pending_);
      return line;
    }
    if (!fill(milliseconds(milliseconds_left(deadline))) && !output_ended_) return std::nullopt;
  }
}

std::optional<std::string> EngineProcess::read_until(std::string_view prefix, milliseconds timeout,
                                                     std::vector<std::string>* skipped) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    std::optional<std::string> line = read_line(milliseconds(milliseconds_left(deadline)));
    if (!line) return std::nullopt;
    if (line->compare(0, prefix.size(), prefix) == 0) return line;
    if (skipped) skipped->push_back(*line);
  }
}

std::string EngineProcess::read_to_end(milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!output_ended_ && milliseconds_left(deadline) > 0) fill(milliseconds(milliseconds_left(deadline)));
  std::string all;
  all.swap(pending_);
  return all;
}

std::string EngineProcess::read_for(milliseconds window) { return read_to_end(window); }

void EngineProcess::close_input() { close_fd(to_child_); }

int EngineProcess::wait_exit(milliseconds timeout) {
  if (exit_status_) return *exit_status_;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      exit_status_ = decode_status(status);
      return *exit_status_;
    }
    if (r < 0 && errno != EINTR) {
      exit_status_ = EXIT_TIMED_OUT;
      return *exit_status_;
    }
    if (milliseconds_left(deadline) == 0) {
      kill_and_reap();
      exit_status_ = EXIT_TIMED_OUT;
      return *exit_status_;
    }
    // Drain the output while waiting: a child blocked on a full pipe never ends.
    if (!fill(milliseconds(5)) && output_ended_) ::usleep(2000);
  }
}

std::string EngineProcess::error_output() const {
  std::string text;
  char buffer[4096];
  off_t offset = 0;
  for (;;) {
    const ssize_t n = ::pread(error_file_, buffer, sizeof buffer, offset);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
    offset += n;
  }
  return text;
}

EngineRun run_engine(std::string_view input, milliseconds timeout, const std::string& binary,
                     const std::vector<std::string>& arguments) {
  const auto deadline = Clock::now() + timeout;
  EngineProcess process(binary, arguments);
  // send_raw drains the output while the input pipe is full.
  if (!input.empty()) process.send_raw(input, timeout);
  process.close_input();
  EngineRun run;
  run.output = process.read_to_end(milliseconds(milliseconds_left(deadline)));
  run.status = process.wait_exit(milliseconds(milliseconds_left(deadline)));
  run.output += process.read_to_end(milliseconds(0));
  run.errors = process.error_output();
  return run;
}

EngineRun run_tool(const std::vector<std::string>& arguments, milliseconds timeout) {
  return run_engine("", timeout, NERUL_TOOL_BINARY, arguments);
}

}  // namespace engine_test
