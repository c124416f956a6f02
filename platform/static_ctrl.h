// CStatic: a text label. Its text is the window text.
#pragma once

#include "platform/cwnd.h"

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  CStatic() = default;
  using CWnd::Create;
  BOOL Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id = 0xFFFF);
};
