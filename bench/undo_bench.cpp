// Undo of "Assign Pins 1-1" on big components, in a component frame opened headless as
// the host opens it: the bundled 2,000-terminal sample (20 gates of 100 terminals on
// 2,025 balls) and one of 20,000 terminals (20 gates of 1,000 on 20,164 balls) made by
// tools/make_big_component.py. The undo sets every pin number back and shows them in the
// pin grid and both drawings. The undo of one cell edit is timed on the same components.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "bench/headless_host.h"
#include "editor/frame/component_frame.h"
#include "editor/frame/editor_module.h"
#include "editor/resources/resource_ids.h"
#include "editor/views/update_hints.h"
#include "host/libtools/library_manager.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/symbol_library.h"
#include "platform/headless_backend.h"
#include "platform/mdi_frame_wnd.h"
#include "platform/program_path.h"
#include "platform/settings_store.h"
#include "platform/win_thread.h"

namespace {

namespace fs = std::filesystem;

struct Sample {
  CString library;
  const char* component;
};

// The 20,000-terminal component, written once into a scratch folder.
class GeneratedSample {
 public:
  static const GeneratedSample& Instance() {
    static GeneratedSample sample;
    return sample;
  }
  ~GeneratedSample() {
    std::error_code code;
    if (!m_dir.empty()) fs::remove_all(m_dir, code);
  }
  bool Ready() const { return m_ready; }
  CString Library() const { return (m_dir / "big-fpga-20k.cmplib").c_str(); }

 private:
  GeneratedSample() {
    std::string pattern = (fs::temp_directory_path() / "ce-undo-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    m_dir = pattern;
    const std::string command = "python3 " CE_TOOLS_DIR
                                "/make_big_component.py big-fpga-20k --terminals 20000 "
                                "--gates 20 --out " +
                                m_dir.string() + " >/dev/null";
    m_ready = std::system(command.c_str()) == 0;
  }

  fs::path m_dir;
  bool m_ready = false;
};

// A component frame on one component of a library file.
class Scene {
 public:
  Scene(CMDIFrameWnd* mainWindow, const Sample& sample) {
    CString error;
    if (!CComponentLibraryFile::LoadComponent(sample.library, sample.component, m_design, error)) {
      std::cerr << error.str() << "\n";
      return;
    }
    m_design.SetPathName(sample.library);
    CLibraryManager::SetSavedFileName(RUNTIME_CLASS(CComponentLibrary), sample.library);
    if (mainWindow->GetSafeHwnd() == nullptr) return;
    CCreateContext context;
    context.m_pCurrentDoc = &m_design;
    m_frame =
        static_cast<CComponentFrame*>(CreateMDIChild(RUNTIME_CLASS(CComponentFrame), mainWindow, context));
    if (m_frame != nullptr) m_frameHandle = m_frame->GetSafeHwnd();
  }

  // The frame leaves the design before the design goes.
  ~Scene() {
    if (IsWindowHandle(m_frameHandle)) m_frame->DestroyWindow();
  }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  CComponentFrame* Frame() const { return m_frame; }
  CDesign& Design() { return m_design; }

 private:
  CDesign m_design;
  CComponentFrame* m_frame = nullptr;  // not owned: its window owns it
  HWND m_frameHandle = nullptr;
};

// The headless host, with the bundled technology files.
class Platform {
 public:
  Platform() { SetProgramPathForTesting(CE_DATA_DIR); }
  // Made on first use; the scenes close before the main window goes.
  Scene& SceneFor(int terminals, const Sample& sample) {
    auto& scene = m_scenes[terminals];
    if (scene == nullptr) scene = std::make_unique<Scene>(m_host.MainWindow(), sample);
    return *scene;
  }
  HeadlessBackend& Backend() { return m_host.Backend(); }

 private:
  HeadlessHost m_host{1600, 1000};
  std::map<int, std::unique_ptr<Scene>> m_scenes;
};

Platform& ThePlatform() {
  static Platform platform;
  return platform;
}

Scene* SceneFor(benchmark::State& state) {
  Platform& platform = ThePlatform();
  const int terminals = static_cast<int>(state.range(0));
  Sample sample{CE_DATA_DIR "/big/big-fpga.cmplib", "BIG-FPGA"};
  if (terminals != 2000) {
    const GeneratedSample& generated = GeneratedSample::Instance();
    if (!generated.Ready()) {
      state.SkipWithError("tools/make_big_component.py could not write the component");
      return nullptr;
    }
    sample = {generated.Library(), "BIG-FPGA-20K"};
  }
  Scene* scene = &platform.SceneFor(terminals, sample);
  if (scene->Frame() == nullptr || !scene->Frame()->CanDoAssignPins121()) {
    state.SkipWithError("the component frame could not be opened");
    return nullptr;
  }
  state.counters["terminals"] = terminals;
  return scene;
}

void BM_UndoAssignPins121(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  bool undone = true;
  for (auto _ : state) {
    state.PauseTiming();
    // The samples have more balls than terminals, which the assignment warns of.
    ThePlatform().Backend().ExpectMessageBox(IDOK);
    scene->Frame()->AssignPins121();
    state.ResumeTiming();
    undone = scene->Design().Undo() && undone;
  }
  if (!undone) state.SkipWithError("there was nothing to undo");
}
BENCHMARK(BM_UndoAssignPins121)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// The undo of one pin typed into a cell: the cell, the terminal and its lands.
void BM_UndoCellEdit(benchmark::State& state) {
  Scene* scene = SceneFor(state);
  if (scene == nullptr) return;
  CComponent* component = scene->Frame()->GetComponent(false);
  const int pin = component->GetPinNumber(0, 2);
  bool undone = true;
  for (auto _ : state) {
    state.PauseTiming();
    scene->Design().StartUndoLevel(IDS_UNDO_EDIT_PIN_MAP);
    component->SetPinNumber(0, 2, pin + 1);
    CPinNumberHint changed(CString(), 0, 2, pin + 1);
    scene->Design().UpdateAllViews(nullptr, HintPinNumber, &changed);
    scene->Design().EndUndoLevel(IDS_UNDO_EDIT_PIN_MAP);
    state.ResumeTiming();
    undone = scene->Design().Undo() && undone;
  }
  if (!undone) state.SkipWithError("there was nothing to undo");
}
BENCHMARK(BM_UndoCellEdit)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
