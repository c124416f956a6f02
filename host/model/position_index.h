// Positions over an indexed sequence: the position of element i is i + 1, so that the
// null position ends a walk.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/position.h"

inline POSITION PositionFromIndex(std::size_t index) {
  return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(index) + 1);
}

// Meaningful only for a position that is not null.
inline std::size_t IndexFromPosition(POSITION position) {
  return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(position) - 1);
}
