// State each search thread keeps for itself. The search is built twice (see
// search/helper_copy.h): the main thread's build keeps this state in plain
// globals, which cost nothing per access; the helpers' build, in thread-local
// storage, one copy per helper.
#pragma once

#ifndef PER_THREAD
#define PER_THREAD
#endif
