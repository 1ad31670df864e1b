// The nearest piece on a ray.
#pragma once

#include "movegen/bits.h"
#include "movegen/tables.h"

// Rays that run towards higher squares find their nearest piece with a forward
// scan, the others with a reverse scan.
template <const SquareTable& Ray, bool Upward>
inline int nearest_on_ray(int s, std::uint64_t occupied) {
  const std::uint64_t blockers = Ray[s] & occupied;
  if (!blockers) return -1;
  return Upward ? bit_scan_forward(blockers) : bit_scan_reverse(blockers);
}
