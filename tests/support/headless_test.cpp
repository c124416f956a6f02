#include "tests/support/headless_test.h"

#include "platform/backend.h"
#include "platform/win_thread.h"
#include "tests/support/resource_modules.h"

void HeadlessTest::SetUp() {
  AddProductResourceModules();
  auto backend = std::make_unique<HeadlessBackend>();
  backend->SetFailureHandler([](const std::string& problem) { ADD_FAILURE() << problem; });
  m_backend = backend.get();
  SetCurrentBackend(std::move(backend));
}

bool HeadlessTest::CreateParentWindow(CWnd& parent) {
  return parent.CreateEx(0, "", "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0) != FALSE;
}

void HeadlessTest::UseResourceModule(const ResourceModule& module) {
  Resources::AddModule(&module);
  m_testModules.push_back(&module);
}

void HeadlessTest::TearDown() {
  AfxGetThread()->PumpMessages();
  for (const std::string& pending : m_backend->PendingExpectations()) {
    ADD_FAILURE() << "expected but never shown: " << pending;
  }
  for (const ResourceModule* module : m_testModules) Resources::RemoveModule(module);
  m_testModules.clear();
  SetCurrentBackend(nullptr);
  m_backend = nullptr;
}
