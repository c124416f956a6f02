#include "host/model/component_value.h"

#include <atomic>

std::uint64_t NewModelObjectId() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1);
}
