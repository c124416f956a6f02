// Checks that a text is valid UTF-8, as every name a library stores must be: bytes that
// are not would be written as replacement characters, and the name would change
// without a word.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/cstring.h"

// The offset (from 0) of the first byte that does not begin a whole character
// (overlong forms, surrogates and values past U+10FFFF included); none for valid text.
std::optional<size_t> FindInvalidUtf8(std::string_view text);

// "<what> is not valid UTF-8: byte 3 (0xFF) is not part of a character.", counting
// bytes from 1; empty for valid text.
CString DescribeInvalidUtf8(const char* what, std::string_view text);
