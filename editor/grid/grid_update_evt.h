// CGridUpdateEvt: the pin grid's receiver of the host's "UpdateDesign" event, which
// asks every open editor to write its pending grid edits into the design. It is
// registered for as long as it lives.
#pragma once

#include "host/utility/evt.h"

class CComponentGrid;

class CGridUpdateEvt : public CEvt {
 public:
  static constexpr const char* kEventName = "UpdateDesign";

  explicit CGridUpdateEvt(CComponentGrid* grid);
  ~CGridUpdateEvt() override;

  // Ignores both values; nonzero when the grid's edits were written.
  int OnUpdateDesign(long, long);

 private:
  CComponentGrid* m_grid;  // not owned: the grid owns this receiver
};
