// The private designs of the symbol views. Each view copies the current component into
// one of these and places it there; the copy is presentation only, so its modified
// flag is a plain flag that nothing else hears about.
#pragma once

#include "host/model/design.h"

class CScmViewDesign : public CScmDesign {
  DECLARE_DYNCREATE(CScmViewDesign)

 public:
  BOOL IsModified() override { return m_modified; }
  void SetModifiedFlag(BOOL modified = TRUE) override { m_modified = modified; }

 private:
  BOOL m_modified = FALSE;
};

class CPcbViewDesign : public CPcbDesign {
  DECLARE_DYNCREATE(CPcbViewDesign)

 public:
  BOOL IsModified() override { return m_modified; }
  void SetModifiedFlag(BOOL modified = TRUE) override { m_modified = modified; }

 private:
  BOOL m_modified = FALSE;
};
