// A search allocates nothing: every table it uses exists before `go` arrives.
// This program replaces the global operator new to count the calls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "io/output.h"
#include "uci/command_loop.h"

namespace {
std::size_t allocations = 0;
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

std::size_t allocations_during(const char* command) {
  const std::size_t before = allocations;
  dispatch_command(command);
  return allocations - before;
}

}  // namespace

TEST(NoAllocation, ASearchToDepthEightAllocatesNothing) {
  output::muted = true;
  dispatch_command("uci");
  dispatch_command("setoption name Hash value 16");
  for (const char* position :
       {"position startpos", "position fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "position fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"}) {
    dispatch_command("ucinewgame");
    dispatch_command(position);
    EXPECT_EQ(allocations_during("go depth 8"), 0u) << position;
  }
  output::muted = false;
}

TEST(NoAllocation, TheCounterSeesAnAllocation) {
  static int* volatile kept;  // volatile, so the compiler cannot drop the pair
  const std::size_t before = allocations;
  kept = new int(1);
  delete kept;
  EXPECT_EQ(allocations, before + 1);
}
