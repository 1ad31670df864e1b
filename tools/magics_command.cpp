#include <bit>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "movegen/sliders.h"
#include "tools/commands.h"

namespace {

// The same sequence on every run, so the search always finds the same numbers.
struct Random {
  std::uint64_t state = 0x2545F4914F6CDD1DULL;
  std::uint64_t next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1DULL;
  }
  std::uint64_t sparse() { return next() & next() & next(); }  // good magics have few bits
};

// Tries sparse numbers until no two arrangements with different attack sets share an index.
std::uint64_t find_magic(int s, std::uint64_t (*by_rays)(int, std::uint64_t), Random& random) {
  const std::uint64_t mask = blocker_mask(s, by_rays(s, 0));
  const int shift = 64 - std::popcount(mask);
  std::vector<std::uint64_t> arrangements, reached;
  std::uint64_t subset = 0;
  do {
    arrangements.push_back(subset);
    reached.push_back(by_rays(s, subset));
    subset = (subset - mask) & mask;
  } while (subset);

  std::vector<std::uint64_t> table(std::size_t{1} << (64 - shift));
  std::vector<int> filled_in_try(table.size(), 0);
  for (int attempt = 1;; ++attempt) {
    std::uint64_t magic;
    do magic = random.sparse();
    while (std::popcount((mask * magic) >> 56) < 6);
    bool clash = false;
    for (std::size_t i = 0; i < arrangements.size() && !clash; ++i) {
      const std::size_t index = (arrangements[i] * magic) >> shift;
      if (filled_in_try[index] != attempt) {
        filled_in_try[index] = attempt;
        table[index] = reached[i];
      } else {
        clash = table[index] != reached[i];
      }
    }
    if (!clash) return magic;
  }
}

void print_magics(const char* file, std::uint64_t (*by_rays)(int, std::uint64_t), Random& random) {
  std::printf("// %s\n", file);
  for (int s = 0; s < 64; ++s)
    std::printf("0x%016llXULL,%s", static_cast<unsigned long long>(find_magic(s, by_rays, random)),
                s % 4 == 3 ? "\n" : " ");
}

}  // namespace

// nerul-tool magics: searches the slider tables' magic numbers afresh and prints
// them, rooks first, as src/movegen/rook_magics.inc and bishop_magics.inc hold them.
int magics_command(int, char**) {
  Random random;
  print_magics("rook_magics.inc", rook_attacks_by_rays, random);
  print_magics("bishop_magics.inc", bishop_attacks_by_rays, random);
  return 0;
}
