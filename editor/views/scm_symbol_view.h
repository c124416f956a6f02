// CScmSymbolView: the left drawing of the symbols frame: one schematic symbol per gate
// of the current component, with terminal names and the pin numbers the pin map gives
// them. A schematic pad instance is a terminal: its pad's number is the terminal
// number and its symbol instance's gate is the gate.
#pragma once

#include "editor/views/symbol_view.h"

class CScmSymbolView : public CSymbolView {
  DECLARE_DYNCREATE(CScmSymbolView)

 public:
  void BuildDesign(CComponent* component) override;
  void HighlightMatchingPads(CPadInstance* pad) override;
  void HighlightTerminal(int gate, int number) override;
  void UpdatePinNumber(const CPinNumberHint* hint) override;
  void UpdatePinName(const CPinNameHint* hint) override;
  void TakeTerminalChanges(const CComponent& component, const std::vector<TerminalChange>& changes) override;

  // The component library the drawn component comes from; symbol libraries named
  // without a folder are found beside it.
  const CString& GetLibraryFile() const { return m_libraryFile; }

 protected:
  CScmSymbolView();

 private:
  void PlaceComponent(CComponent* component);
  void DrawTerminalsOfSymbol(const CPinNameHint& hint, int mode);

  CString m_libraryFile;
};
