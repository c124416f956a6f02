// Base fixture for tests that drive the framework headless: a fresh scripted backend
// per test, whose unexpected dialogs and message boxes fail the test at once, and whose
// unused expectations fail it at the end.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless_backend.h"
#include "platform/user_input.h"

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HeadlessBackend& Screen() { return *m_backend; }
  UserInput user;

 private:
  HeadlessBackend* m_backend = nullptr;  // owned by the platform while installed
};
