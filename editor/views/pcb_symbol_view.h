// CPcbSymbolView: the right drawing of the symbols frame: the PCB symbol of the current
// package, its pads in the assigned or unassigned colour. A PCB pad instance's pin
// number is the pad's own; the pin map says which gate and terminal it serves.
#pragma once

#include <vector>

#include "editor/views/symbol_view.h"

class CPcbSymbolView : public CSymbolView {
  DECLARE_DYNCREATE(CPcbSymbolView)

 public:
  void BuildDesign(CComponent* component) override;
  void HighlightMatchingPads(CPadInstance* pad) override;
  void HighlightTerminal(int gate, int number) override;
  void UpdatePinNumber(const CPinNumberHint* hint) override;
  void UpdatePinName(const CPinNameHint* hint) override;
  void TakeTerminalChanges(const CComponent& component, const std::vector<TerminalChange>& changes) override;

  const CString& GetLibraryFile() const { return m_libraryFile; }

 protected:
  CPcbSymbolView();

 private:
  void PlaceComponent(CComponent* component);
  // True when the pad's pin serves the hint's terminal of a gate drawn by its symbol.
  bool ServesTerminal(const CPadInstance* pad, const CPinNameHint& hint) const;
  // The lands that show the name of the hint's terminal.
  std::vector<CPadInstance*> PadsServing(const CPinNameHint& hint) const;

  CString m_libraryFile;
};
