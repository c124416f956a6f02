// Replays saved fuzz inputs without libFuzzer: every file named on the command line, and
// every file of every folder named there (in name order), goes once through the
// harness's LLVMFuzzerTestOneInput. A harness that finds a fault aborts, which fails the
// run; a path that cannot be read fails it too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// The files an argument names: itself, or a folder's regular files in name order.
bool CollectInputs(const fs::path& argument, std::vector<fs::path>& inputs) {
  std::error_code code;
  if (fs::is_regular_file(argument, code)) {
    inputs.push_back(argument);
    return true;
  }
  if (!fs::is_directory(argument, code)) {
    std::cerr << "replay: \"" << argument.string() << "\" is neither a file nor a folder\n";
    return false;
  }
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(argument, code)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  if (code) {
    std::cerr << "replay: cannot list \"" << argument.string() << "\": " << code.message() << '\n';
    return false;
  }
  std::sort(files.begin(), files.end());
  inputs.insert(inputs.end(), files.begin(), files.end());
  return true;
}

bool ReadBytes(const fs::path& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!CollectInputs(argv[i], inputs)) return 1;
  }
  if (inputs.empty()) {
    std::cerr << "replay: no inputs; name corpus files or folders\n";
    return 1;
  }
  std::vector<std::uint8_t> bytes;
  for (const fs::path& input : inputs) {
    if (!ReadBytes(input, bytes)) {
      std::cerr << "replay: cannot read \"" << input.string() << "\"\n";
      return 1;
    }
    std::cout << "replay: " << input.filename().string() << " (" << bytes.size() << " bytes)" << std::endl;
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::cout << "replay: " << inputs.size() << " inputs ran clean\n";
  return 0;
}
