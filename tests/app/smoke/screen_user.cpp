#include "tests/app/smoke/screen_user.h"

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "tests/app/smoke/child_process.h"

namespace {

const char* const kXdotool = CE_XDOTOOL_PROGRAM;
const char* const kImport = CE_IMPORT_PROGRAM;

bool Run(const std::vector<std::string>& argv) {
  std::string ignored;
  return RunProgram(argv, ignored) == 0;
}

}  // namespace

std::optional<std::string> ScreenUser::WaitForWindow(int pid, const std::string& titlePattern,
                                                     int seconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  do {
    std::string found;
    // --all: every condition must hold; xdotool otherwise takes a window meeting any.
    RunProgram(
        {kXdotool, "search", "--all", "--onlyvisible", "--pid", std::to_string(pid), "--name", titlePattern},
        found);
    std::istringstream ids(found);
    std::string window;
    if (ids >> window) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  } while (std::chrono::steady_clock::now() < deadline);
  return std::nullopt;
}

bool ScreenUser::Focus(const std::string& window) const {
  return Run({kXdotool, "windowfocus", window});
}

bool ScreenUser::Type(const std::string& text) const {
  return Run({kXdotool, "type", "--delay", "40", text});
}

bool ScreenUser::PressKeys(const std::vector<std::string>& keys) const {
  std::vector<std::string> argv{kXdotool, "key", "--delay", "40"};
  argv.insert(argv.end(), keys.begin(), keys.end());
  return Run(argv);
}

bool ScreenUser::ClickAt(const std::string& window, PixelPoint point) const {
  return MoveTo(window, point) && Run({kXdotool, "click", "1"});
}

bool ScreenUser::DoubleClickAt(const std::string& window, PixelPoint point) const {
  return MoveTo(window, point) && Run({kXdotool, "click", "--repeat", "2", "--delay", "80", "1"});
}

bool ScreenUser::WaitForWindowGone(const std::string& window, int seconds) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  do {
    std::string shown;
    RunProgram({kXdotool, "search", "--onlyvisible", "--name", "."}, shown);
    std::istringstream ids(shown);
    bool found = false;
    for (std::string id; ids >> id;) found = found || id == window;
    if (!found) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

bool ScreenUser::Look(const std::string& window, ScreenImage& image, std::string& error) const {
  const std::string path = (std::filesystem::path(m_scratch) / "look.ppm").string();
  if (!Run({kImport, "-silent", "-window", window, "-depth", "8", path})) {
    error = "import could not read window " + window;
    return false;
  }
  return image.LoadPpm(path, error);
}

bool ScreenUser::SaveScreenshot(const std::string& window, const std::string& pngPath,
                                std::string& error) const {
  if (Run({kImport, "-silent", "-window", window, pngPath})) return true;
  error = "import could not save window " + window + " to " + pngPath;
  return false;
}

bool ScreenUser::MoveTo(const std::string& window, PixelPoint point) const {
  return Run({kXdotool, "mousemove", "--window", window, std::to_string(point.x), std::to_string(point.y)});
}
