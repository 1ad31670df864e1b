// Drives a real program (the engine or the bench tool) as a child process over
// pipes, the way a chess interface does. Every wait has a timeout, and a child
// that outlives its timeout is killed, so a test can fail but never hang.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine_test {

using std::chrono::milliseconds;

// Generous: the sanitizer build is many times slower than the release build.
inline constexpr milliseconds DEFAULT_TIMEOUT{20000};

// What wait_exit reports for a child that had to be killed after its timeout.
inline constexpr int EXIT_TIMED_OUT = -1;

class EngineProcess {
 public:
  // Starts `binary` with `arguments`; standard input and output are pipes held
  // here, standard error goes to a temporary file (see error_output).
  explicit EngineProcess(const std::string& binary = NERUL_BINARY, const std::vector<std::string>& arguments = {});
  ~EngineProcess();
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;

  // Writes `line` and a newline. False when the child no longer reads (it has
  // ended, or its input was closed) or the write timed out.
  bool send(std::string_view line, milliseconds timeout = DEFAULT_TIMEOUT);
  // Writes the bytes as they are, no newline added.
  bool send_raw(std::string_view bytes, milliseconds timeout = DEFAULT_TIMEOUT);

  // The next output line without its newline; nothing on timeout, or at end of
  // output when no characters are left (a last line without newline is returned).
  std::optional<std::string> read_line(milliseconds timeout = DEFAULT_TIMEOUT);
  // Reads lines until one starts with `prefix` and returns it; the lines passed
  // over are appended to `skipped` when given. Nothing on timeout or end of output.
  std::optional<std::string> read_until(std::string_view prefix, milliseconds timeout = DEFAULT_TIMEOUT,
                                        std::vector<std::string>* skipped = nullptr);
  // Everything the child writes from now until it closes its output (normally by
  // ending). Stops at the timeout with what has arrived.
  std::string read_to_end(milliseconds timeout = DEFAULT_TIMEOUT);
  // Whatever output arrives within `window` (waited out in full unless the child
  // closes its output first): for checking that a command writes nothing.
  std::string read_for(milliseconds window);

  // Closes the child's standard input: it sees end of input.
  void close_input();
  // The child's exit status (0 to 255), 128 + the signal number when a signal
  // ended it, or EXIT_TIMED_OUT when it was still running at the timeout and was
  // killed. Output not yet read stays readable.
  int wait_exit(milliseconds timeout = DEFAULT_TIMEOUT);

  // What the child has written to standard error so far.
  std::string error_output() const;
  pid_t pid() const { return pid_; }

 private:
  // Moves whatever output is available within `timeout` into pending_; false on
  // timeout or end of output.
  bool fill(milliseconds timeout);
  void kill_and_reap();

  pid_t pid_ = -1;
  int to_child_ = -1;
  int from_child_ = -1;
  int error_file_ = -1;
  bool output_ended_ = false;
  std::optional<int> exit_status_;
  std::string pending_;
};

struct EngineRun {
  std::string output;  // every byte the child wrote to standard output
  int status;          // as EngineProcess::wait_exit reports it
  std::string errors;  // what it wrote to standard error
};

// Starts the program, feeds it `input` (writing and reading side by side, so that
// large inputs and outputs cannot block each other), closes its input and
// collects all its output and its exit status.
EngineRun run_engine(std::string_view input, milliseconds timeout = DEFAULT_TIMEOUT,
                     const std::string& binary = NERUL_BINARY, const std::vector<std::string>& arguments = {});

// Runs `nerul-tool` with the arguments; its input is empty.
EngineRun run_tool(const std::vector<std::string>& arguments, milliseconds timeout = DEFAULT_TIMEOUT);

}  // namespace engine_test
