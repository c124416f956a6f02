// A frame window at (100, 50) on the screen whose one view fills its 400 x 300 client
// area: where the tests of a view's input and drawing put the view.
#pragma once

#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/view.h"

// Creates `frame` with a view of class `View` on `document`, initial update done; null
// when the frame or the view cannot be made.
template <class View>
View* OpenViewFrame(CFrameWnd& frame, CDocument& document) {
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(View);
  context.m_pCurrentDoc = &document;
  if (!frame.Create(nullptr, "View", WS_OVERLAPPEDWINDOW, CRect(100, 50, 500, 350), nullptr, nullptr, 0,
                    &context)) {
    return nullptr;
  }
  frame.InitialUpdateFrame(&document, TRUE);
  return DynamicDowncast<View>(frame.GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
}
