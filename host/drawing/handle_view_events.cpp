#include "host/drawing/design_drawing.h"
#include "host/utility/evt.h"

// The event's first value names the design whose colours changed; views of other
// designs stay as they are.
class CHandleViewEvents::Listener : public CEvt {
 public:
  explicit Listener(CDesignDrawing* view) : m_view(view) {}

  int OnDesignColoursChanged(long design, long) {
    if (m_view != nullptr && m_view->GetDrawnDesign() != nullptr &&
        design == reinterpret_cast<long>(m_view->GetDrawnDesign())) {
      m_view->OnRefresh();
    }
    return 1;
  }

 private:
  CDesignDrawing* m_view;  // not owned
};

CHandleViewEvents::CHandleViewEvents(CDesignDrawing* view) : m_listener(std::make_unique<Listener>(view)) {
  CEvt::Register("DesignColoursChanged", m_listener.get(), &Listener::OnDesignColoursChanged);
}

CHandleViewEvents::~CHandleViewEvents() {
  CEvt::UnregisterAll(m_listener.get());
}
