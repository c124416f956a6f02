#include "bench/headless_host.h"

#include <iostream>
#include <string>

#include "editor/frame/editor_module.h"
#include "editor/resources/component_editor_resources.h"
#include "host/resources/host_resources.h"
#include "platform/resource_registry.h"
#include "platform/settings_store.h"

HeadlessHost::HeadlessHost(int width, int height) {
  Resources::AddModule(&HostResources());
  Resources::AddModule(&ComponentEditorResources());
  auto backend = std::make_unique<HeadlessBackend>();
  backend->SetFailureHandler([](const std::string& problem) { std::cerr << problem << "\n"; });
  m_backend = backend.get();
  SetCurrentBackend(std::move(backend));
  InstallMemorySettings();
  LoadComponentEditorModule();
  m_app = std::make_unique<CWinApp>("Component Editor");
  m_mainWindow = std::make_unique<CMDIFrameWnd>();
  if (!m_mainWindow->LoadFrame(0)) return;
  m_mainWindow->MoveWindow(0, 0, width, height);
  m_mainWindow->ShowWindow(SW_SHOW);
  m_app->m_pMainWnd = m_mainWindow.get();
}
