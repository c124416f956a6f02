#include "editor/grid/grid_update_evt.h"

#include "editor/frame/component_frame.h"
#include "editor/grid/component_grid.h"

CGridUpdateEvt::CGridUpdateEvt(CComponentGrid* grid) : m_grid(grid) {
  CEvt::Register(kEventName, this, &CGridUpdateEvt::OnUpdateDesign);
}

CGridUpdateEvt::~CGridUpdateEvt() {
  CEvt::UnregisterAll(this);
}

int CGridUpdateEvt::OnUpdateDesign(long, long) {
  CComponentFrame* frame = m_grid->GetComponentFrame();
  CComponent* component = frame != nullptr ? frame->GetComponent(false) : nullptr;
  return m_grid->UpdateComponent(component) ? 1 : 0;
}
