// The helpers' build of the search. Each source whose code keeps per-thread
// state is compiled a second time inside namespace helper_copy, by a file the
// build writes (CMakeLists.txt):
//
//   #include "search/helper_copy.h"
//   namespace helper_copy {
//   #include "<the source>"
//   }
//
// The main thread's build keeps that state in plain globals, at no cost per
// access; the helpers' build keeps it thread-local, one copy per helper, and
// the main thread's code is not slowed by there being helpers.
//
// What every thread shares is read here first, outside the namespace, so both
// builds name the same table, keys, tables of attacks and game; the per-thread
// headers are read only inside it. While the shared headers are read,
// PER_THREAD names nothing: a shared header that declares per-thread state does
// not compile.
#pragma once

#define PER_THREAD per_thread_state_in_a_shared_header

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <thread>

#include "board/castling.h"
#include "board/move.h"
#include "board/state.h"
#include "eval/eval_tables.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "io/input.h"
#include "io/output.h"
#include "io/platform.h"
#include "io/text.h"
#include "movegen/bits.h"
#include "movegen/rays.h"
#include "movegen/sliders.h"
#include "movegen/tables.h"
#include "search/shared.h"
#include "search/threads.h"
#include "uci/options.h"

#undef PER_THREAD
#define PER_THREAD thread_local
