#include "uci/command_loop.h"

#include <cstdlib>
#include <string>

#include "board/board.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "io/input.h"
#include "io/output.h"
#include "io/platform.h"
#include "io/text.h"
#include "search/search_state.h"
#include "search/threads.h"
#include "uci/go.h"
#include "uci/options.h"
#include "uci/position.h"

char command_buffer[LINE_BUFFER_SIZE];

namespace {

void uci_answer() {
  OutLine() << "id name Nerul\n"
            << "id author Dorvesk Milvan\n";
  write_option_lines();
  init_zobrist();
  init_hash();
  clear_hash();
  hash_age = 0;
  OutLine() << "uciok \n";
}

}  // namespace

void dispatch_command(std::string_view line) {
  // The order matters: "ucinewgame" must be tried before its prefix "uci".
  if (starts_with(line, "ucinewgame")) {
    hash_age = 0;
    clear_hash();
  } else if (starts_with(line, "uci")) {
    uci_answer();
  } else if (starts_with(line, "setoption")) {
    set_option(line);
  } else if (starts_with(line, "isready")) {
    OutLine() << "readyok \n\n";
  } else if (starts_with(line, "position")) {
    clear_board();
    position_command(line);
  } else if (starts_with(line, "go")) {
    go_command(line);
    // `quit` came during the search, which has unwound without a word more.
    if (search_control.quit) {
      end_helpers();
      output::muted = false;
      OutLine() << "Nerul: quit command. I am terminated.\n";
      free_hash();
      std::exit(1);
    }
  } else if (starts_with(line, "debug") || starts_with(line, "register") || line == "ponderhit") {
    // Accepted: the engine has no debug output and nothing to register, and a
    // `ponderhit` that finds no ponder search under way comes too late to matter.
  } else if (starts_with(line, "quit")) {
    end_helpers();
    free_hash();
    std::exit(1);
  } else {
    OutLine() << "WARNING ! Unknown command\n";
  }
}

int command_loop() {
  prepare_process();
  while (read_line(command_buffer)) {
    const std::string line(command_buffer);
    dispatch_command(line);
  }
  end_helpers();
  return 0;
}
