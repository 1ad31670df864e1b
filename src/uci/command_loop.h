// The command loop: reads lines and dispatches them by their leading keyword.
#pragma once

#include <cstdint>
#include <string_view>

#include "io/input.h"

extern char command_buffer[LINE_BUFFER_SIZE];

void dispatch_command(std::string_view line);

// Runs until standard input ends; returns the exit status (0).
int command_loop();
