#include "app/component_renderer.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/cli_backend.h"
#include "editor/frame/component_frame.h"
#include "editor/frame/editor_module.h"
#include "editor/frame/symbols_frame.h"
#include "editor/views/pcb_symbol_view.h"
#include "editor/views/scm_symbol_view.h"
#include "host/libtools/library_manager.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/settings_store.h"
#include "platform/svg_dc.h"
#include "platform/win_thread.h"

extern char** environ;

namespace {

// The frame class a host derives from the component frame; the renderer adds nothing.
class CRenderComponentFrame : public CComponentFrame {
  DECLARE_DYNCREATE(CRenderComponentFrame)

 protected:
  CRenderComponentFrame() = default;
};

IMPLEMENT_DYNCREATE(CRenderComponentFrame, CComponentFrame)

constexpr const char* kConverter = "rsvg-convert";

// An application with a main window and no screen, for as long as it lives. The
// settings are fresh and in memory, so renders look the same on every machine and the
// user's settings are never touched.
class HeadlessEditor {
 public:
  explicit HeadlessEditor(CSize size) {
    auto backend = std::make_unique<CliBackend>();
    m_backend = backend.get();
    m_previousBackend = SetCurrentBackend(std::move(backend));
    InstallMemorySettings();
    LoadComponentEditorModule();
    m_app = std::make_unique<CWinApp>("Component Editor");
    m_mainWindow = std::make_unique<CMDIFrameWnd>();
    m_opened = m_mainWindow->LoadFrame(0) != FALSE;
    if (!m_opened) return;
    m_mainWindow->MoveWindow(0, 0, size.cx, size.cy);
    m_mainWindow->ShowWindow(SW_SHOW);
    m_app->m_pMainWnd = m_mainWindow.get();
  }

  ~HeadlessEditor() {
    CloseFrame();
    if (IsWindowHandle(m_mainWindow->GetSafeHwnd())) m_mainWindow->DestroyWindow();
    m_app->m_pMainWnd = nullptr;
    m_mainWindow.reset();
    m_app.reset();
    UnloadComponentEditorModule();
    SetCurrentSettings(nullptr);
    SetCurrentBackend(std::move(m_previousBackend));
  }

  HeadlessEditor(const HeadlessEditor&) = delete;
  HeadlessEditor& operator=(const HeadlessEditor&) = delete;

  bool IsOpen() const { return m_opened; }
  int CountMessages() const { return m_backend->CountMessages(); }

  // The host's frame on `design`, initial updates done; null on failure.
  CComponentFrame* OpenFrame(CDesign& design) {
    CCreateContext context;
    context.m_pCurrentDoc = &design;
    auto* frame = static_cast<CComponentFrame*>(
        CreateMDIChild(RUNTIME_CLASS(CRenderComponentFrame), m_mainWindow.get(), context));
    m_frame = frame != nullptr ? frame->GetSafeHwnd() : nullptr;
    return frame;
  }

  void CloseFrame() {
    CWnd* frame = IsWindowHandle(m_frame) ? CWnd::FromHandlePermanent(m_frame) : nullptr;
    if (frame != nullptr) frame->DestroyWindow();
    m_frame = nullptr;
  }

 private:
  CliBackend* m_backend = nullptr;  // not owned: installed as the current backend
  std::unique_ptr<Backend> m_previousBackend;
  std::unique_ptr<CWinApp> m_app;
  std::unique_ptr<CMDIFrameWnd> m_mainWindow;
  HWND m_frame = nullptr;
  bool m_opened = false;
};

const LibraryEntry* FindEntry(const std::vector<LibraryEntry>& entries, const CString& name) {
  for (const LibraryEntry& entry : entries) {
    if (entry.name.CompareNoCase(name) == 0) return &entry;
  }
  return nullptr;
}

const CString* FindPackage(const LibraryEntry& entry, const CString& package) {
  for (const CString& candidate : entry.packages) {
    if (candidate.CompareNoCase(package) == 0) return &candidate;
  }
  return nullptr;
}

CString JoinPackages(const LibraryEntry& entry) {
  CString joined;
  for (const CString& package : entry.packages) {
    if (!joined.IsEmpty()) joined += ", ";
    joined += package;
  }
  return joined;
}

// The views show the frame's current component, the design's first record: the other
// packages' records are dropped from this throwaway design.
void KeepOnlyPackage(CDesign& design, const CString& package) {
  std::vector<CComponent*> others;
  POSITION position = nullptr;
  for (CComponent* record = design.FirstComponent(position); record != nullptr;
       record = design.NextComponent(position)) {
    if (record->GetPackage().CompareNoCase(package) != 0) others.push_back(record);
  }
  for (CComponent* record : others) design.DeleteComponent(record);
}

// Names may hold characters that a file name cannot.
std::string FileNamePart(const CString& name) {
  std::string part = name.str();
  for (char& ch : part) {
    if (ch == '/' || ch == '\\' || ch == ':' || ch == '\0') ch = '_';
  }
  return part;
}

CString FindOnPath(const char* program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::string directories = path;
  size_t start = 0;
  while (start <= directories.size()) {
    const size_t end = std::min(directories.find(':', start), directories.size());
    const std::string candidate = directories.substr(start, end - start) + "/" + program;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// Converts through a temporary file, so that a failed conversion leaves no PNG behind.
bool ConvertToPng(const CString& converter, const std::string& svg, const std::string& png) {
  const std::string temporary = png + ".part";
  std::vector<std::string> arguments{converter.str(), "-f", "png", "-o", temporary, svg};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  int status = 0;
  const bool ran = posix_spawn(&child, converter.c_str(), nullptr, nullptr, argv.data(), environ) == 0 &&
                   waitpid(child, &status, 0) == child;
  std::error_code ignored;
  if (!ran || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::filesystem::remove(temporary, ignored);
    std::fprintf(stderr, "%s could not convert %s.\n", converter.c_str(), svg.c_str());
    return false;
  }
  std::filesystem::rename(temporary, png, ignored);
  return !ignored;
}

// Renders a view's client area, as the screen shows it, to `svg` (and `png` when a
// converter is given).
bool WriteDrawing(const CDesignDrawing& view, const std::string& svg, const CString& converter,
                  std::FILE* out) {
  CRect client;
  view.GetClientRect(&client);
  CSvgDC dc(client.Size());
  view.Render(dc, client);
  CString error;
  if (!dc.WriteFile(svg.c_str(), error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  std::fprintf(out, "%s\n", svg.c_str());
  if (converter.IsEmpty()) return true;
  const std::string png = std::filesystem::path(svg).replace_extension(".png").string();
  if (!ConvertToPng(converter, svg, png)) return false;
  std::fprintf(out, "%s\n", png.c_str());
  return true;
}

int RenderOpenFrame(CComponentFrame& frame, const std::string& stem, std::FILE* out) {
  CSymbolsFrame* symbols = frame.GetSymbolsFrame();
  if (symbols == nullptr || symbols->GetScmView() == nullptr || symbols->GetPcbView() == nullptr) {
    std::fprintf(stderr, "The editor opened without its drawings.\n");
    return 1;
  }
  const CString converter = FindOnPath(kConverter);
  if (converter.IsEmpty()) std::fprintf(stderr, "No %s on the PATH: writing SVG files only.\n", kConverter);
  const bool schematic = WriteDrawing(*symbols->GetScmView(), stem + "-schematic.svg", converter, out);
  const bool pcb = WriteDrawing(*symbols->GetPcbView(), stem + "-pcb.svg", converter, out);
  return schematic && pcb ? 0 : 1;
}

int RenderPackage(const RenderRequest& request, const LibraryEntry& entry, const CString& package,
                  std::FILE* out) {
  // The design outlives the editor, whose frames show it.
  CDesign design;
  HeadlessEditor editor(request.windowSize);
  if (!editor.IsOpen()) {
    std::fprintf(stderr, "The editor's main window could not be made.\n");
    return 1;
  }
  CString error;
  if (!CComponentLibraryFile::LoadComponent(request.library, entry.name, design, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  KeepOnlyPackage(design, package);
  design.SetPathName(request.library);
  // Symbol libraries named without a folder are found beside the component library.
  CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CComponentLibrary), request.library);
  CComponentFrame* frame = editor.OpenFrame(design);
  if (frame == nullptr) {
    std::fprintf(stderr, "The editor could not be opened on \"%s\".\n", entry.name.c_str());
    return 1;
  }
  const std::string stem = (std::filesystem::path(request.outputDirectory.str()) /
                            (FileNamePart(entry.name) + "-" + FileNamePart(package)))
                               .string();
  const int result = RenderOpenFrame(*frame, stem, out);
  const bool problemsReported = editor.CountMessages() > 0;
  editor.CloseFrame();
  return result != 0 || problemsReported ? 1 : 0;
}

}  // namespace

bool ParseRenderSize(const char* text, CSize& size, CString& error) {
  int width = 0;
  int height = 0;
  char end = '\0';
  const bool read = std::sscanf(text, "%dx%d%c", &width, &height, &end) == 2;
  const auto fits = [](int side) {
    return side >= RenderRequest::kMinRenderSide && side <= RenderRequest::kMaxRenderSide;
  };
  if (!read || !fits(width) || !fits(height)) {
    error.FormatMessage("The size \"%1\" is not WIDTHxHEIGHT in pixels, each %2 to %3.", CString(text),
                        CString(std::to_string(RenderRequest::kMinRenderSide)),
                        CString(std::to_string(RenderRequest::kMaxRenderSide)));
    return false;
  }
  size = CSize(width, height);
  return true;
}

int RenderComponent(const RenderRequest& request, std::FILE* out) {
  std::vector<LibraryEntry> entries;
  CString error;
  if (!CComponentLibraryFile::ReadContents(request.library, entries, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const LibraryEntry* entry = FindEntry(entries, request.component);
  if (entry == nullptr) {
    std::fprintf(stderr, "There is no component \"%s\" in %s.\n", request.component.c_str(),
                 request.library.c_str());
    return 1;
  }
  if (entry->packages.empty()) {
    std::fprintf(stderr, "The component \"%s\" has no package.\n", entry->name.c_str());
    return 1;
  }
  const CString* package =
      request.package.IsEmpty() ? &entry->packages.front() : FindPackage(*entry, request.package);
  if (package == nullptr) {
    std::fprintf(stderr, "The component \"%s\" has no package \"%s\"; its packages are: %s.\n",
                 entry->name.c_str(), request.package.c_str(), JoinPackages(*entry).c_str());
    return 1;
  }
  std::error_code failed;
  std::filesystem::create_directories(request.outputDirectory.str(), failed);
  if (failed) {
    std::fprintf(stderr, "Cannot make the folder %s: %s.\n", request.outputDirectory.c_str(),
                 failed.message().c_str());
    return 1;
  }
  return RenderPackage(request, *entry, *package, out);
}
