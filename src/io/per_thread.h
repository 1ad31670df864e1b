// State each search thread keeps for itself. Thread-local storage costs every
// access a little, so only a build with helper threads (NERUL_THREADS) pays for
// it; the default build keeps plain globals and searches with one thread.
#pragma once

#ifndef NERUL_THREADS
#define NERUL_THREADS 0
#endif

#if NERUL_THREADS
#define PER_THREAD thread_local
#else
#define PER_THREAD
#endif

inline constexpr bool HELPER_THREADS = NERUL_THREADS != 0;
