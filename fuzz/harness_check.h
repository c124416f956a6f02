// What every harness needs: the input as text, and a check that stops the run at once
// when the code under test breaks a promise, so that the fuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string_view>

inline std::string_view InputText(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), size);
}

// Aborts with `broken` and what was found when `holds` is false.
inline void Require(bool holds, std::string_view broken, std::string_view found = {}) {
  if (holds) return;
  std::cerr << "fuzz: " << broken;
  if (!found.empty()) std::cerr << ": " << found;
  std::cerr << std::endl;
  std::abort();
}

// A reader's refusal names the input and says what is wrong.
inline void RequireRefusal(std::string_view message, std::string_view source) {
  const std::string_view opening = "Cannot read \"";
  Require(message.starts_with(opening) && message.substr(opening.size()).starts_with(source),
          "a refusal does not name the input", message);
}
