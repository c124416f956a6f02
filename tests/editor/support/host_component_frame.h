// The host's frame class as a host writes it: derived from CComponentFrame, created
// through its run-time class. It counts the accelerator calls of in-cell edits and
// reaches the design check as a host's own commands do.
#pragma once

#include <vector>

#include "editor/frame/component_frame.h"
#include "editor/views/symbol_view.h"

class CHostComponentFrame : public CComponentFrame {
  DECLARE_DYNCREATE(CHostComponentFrame)

 public:
  // A host's own commands end an assignment run the way the frame's do.
  using CComponentFrame::StopAssignPins;

  void DestroyAccelerators() override { ++m_acceleratorsDestroyed; }
  void RestoreAccelerators() override { ++m_acceleratorsRestored; }
  int AcceleratorsDestroyed() const { return m_acceleratorsDestroyed; }
  int AcceleratorsRestored() const { return m_acceleratorsRestored; }
  // The host runs the design check from its own commands.
  using CComponentFrame::IsDesignValid;

  // What the edit-in-library commands handed to the host, in order.
  struct LibraryEdit {
    SelectedLibrarySymbol symbol;
    bool pcbSymbol = false;
  };
  const std::vector<LibraryEdit>& LibraryEdits() const { return m_libraryEdits; }

 protected:
  CHostComponentFrame() = default;
  void EditSymbolInLibrary(const SelectedLibrarySymbol& symbol, bool pcbSymbol) override {
    m_libraryEdits.push_back({symbol, pcbSymbol});
  }

 private:
  int m_acceleratorsDestroyed = 0;
  int m_acceleratorsRestored = 0;
  std::vector<LibraryEdit> m_libraryEdits;
};
