// Base fixture for tests that drive the framework headless: a fresh scripted backend
// per test, whose unexpected dialogs and message boxes fail the test at once, and whose
// unused expectations fail it at the end. The product's resources are registered, and
// a test may add modules of its own for its run.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/cwnd.h"
#include "platform/headless_backend.h"
#include "platform/resource_registry.h"
#include "platform/user_input.h"

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HeadlessBackend& Screen() { return *m_backend; }
  // A visible 400 x 300 pop-up at the screen's origin, for controls to live in.
  static bool CreateParentWindow(CWnd& parent);
  // Registers a module of the test's own, searched before the product's, until the test ends.
  void UseResourceModule(const ResourceModule& module);
  UserInput user;

 private:
  HeadlessBackend* m_backend = nullptr;  // owned by the platform while installed
  std::vector<const ResourceModule*> m_testModules;
};
