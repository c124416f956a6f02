// Whole files as strings, byte for byte: what a test compares a saved file with.
#pragma once

#include <filesystem>
#include <string>

// The file's bytes; empty when it cannot be read.
std::string ReadFileText(const std::filesystem::path& path);
// Replaces the file's contents with `text`.
void WriteFileText(const std::filesystem::path& path, const std::string& text);
