#include "tests/support/headless_test.h"

#include "editor/resources/component_editor_resources.h"
#include "host/resources/host_resources.h"
#include "platform/backend.h"
#include "platform/resource_registry.h"
#include "platform/win_thread.h"

void HeadlessTest::SetUp() {
  Resources::AddModule(&HostResources());
  Resources::AddModule(&ComponentEditorResources());
  auto backend = std::make_unique<HeadlessBackend>();
  backend->SetFailureHandler([](const std::string& problem) { ADD_FAILURE() << problem; });
  m_backend = backend.get();
  SetCurrentBackend(std::move(backend));
}

void HeadlessTest::TearDown() {
  AfxGetThread()->PumpMessages();
  for (const std::string& pending : m_backend->PendingExpectations()) {
    ADD_FAILURE() << "expected but never shown: " << pending;
  }
  SetCurrentBackend(nullptr);
  m_backend = nullptr;
}
