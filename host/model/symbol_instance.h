// CSymbolInstance: a symbol placed in a design: the drawing of one gate in a schematic
// design, or the package's PCB symbol in a PCB design. It owns its own copy of the
// library symbol and the items placed from it: a pad instance per pad (in the symbol's
// pad order), a copper instance per outline graphic, a text instance per text graphic,
// and the texts the placement adds.
//
// The symbol's reference placeholder, a text "REF" or a few letters and a question mark
// ("U?", "R?"), is where the instance's reference text goes; a symbol without one has
// its reference above its body. The component name, package name, description and
// symbol name texts stack below the body, in that order, over those displayed.
#pragma once

#include <memory>
#include <vector>

#include "host/geometry/box.h"
#include "host/model/copper_instance.h"
#include "host/model/design_item.h"
#include "host/model/pad_instance.h"
#include "host/model/placement.h"
#include "host/model/symbol.h"
#include "host/model/text_instance.h"
#include "platform/position.h"

class CComponentInstance;

class CSymbolInstance : public CDesignItem {
  DECLARE_DYNAMIC(CSymbolInstance)

 public:
  static constexpr int kNoGate = -1;

  // `gate` is kNoGate for a PCB symbol. The symbol's origin lands on (0, 0), unturned.
  CSymbolInstance(CComponentInstance* owner, int gate, std::unique_ptr<CSymbol> symbol,
                  const CString& libraryPath);
  ~CSymbolInstance() override;

  CComponentInstance* GetComponentInstance() const { return m_owner; }
  int GetGate() const { return m_gate; }
  const CSymbol* GetSymbol() const { return m_symbol.get(); }
  // The library file the symbol was read from.
  const CString& GetLibraryPath() const { return m_libraryPath; }
  bool IsPcbSymbol() const { return m_symbol->GetKind() == SymbolKind::Pcb; }

  // The letter name of a gate index and back.
  static CString GetGateString(int index);
  static int GetGateId(const char* text);

  const CPlacement& GetPlacement() const { return m_placement; }
  CPoint GetPosition() const { return m_placement.GetPosition(); }
  void SetPosition(CPoint position) { m_placement.SetPosition(position); }
  // Snaps to the nearest right angle.
  void SetRotation(CAngle rotation) { m_placement.SetRotation(rotation); }
  void Offset(int dx, int dy) { m_placement.Offset(dx, dy); }

  int CountPads() const { return static_cast<int>(m_pads.size()); }
  CPadInstance* GetPad(int index) const { return m_pads.at(static_cast<size_t>(index)).get(); }
  CPadInstance* FirstPad(POSITION& position) const;
  CPadInstance* NextPad(POSITION& position) const;
  // The pad with that number of its own; null when the symbol has none.
  CPadInstance* FindPad(int number) const;

  int CountCoppers() const { return static_cast<int>(m_coppers.size()); }
  CCopperInstance* GetCopper(int index) const { return m_coppers.at(static_cast<size_t>(index)).get(); }
  // The symbol's texts and the added ones; pin names and numbers belong to the pads.
  int CountTexts() const { return static_cast<int>(m_texts.size()); }
  CTextInstance* GetText(int index) const { return m_texts.at(static_cast<size_t>(index)).get(); }
  // The first text in that role; null when there is none (no reference is added for an
  // empty one).
  CTextInstance* FindText(CTextInstance::Role role) const;

  // Everything shown (pads, outlines, shown texts) in design units.
  CBox GetExtents() const;

  // Shows and stacks the added texts as the component instance's display says.
  void ApplyDisplay();
  void SetOwnerDesignOfAll(CDesign* design);

 private:
  void CreatePads();
  void CreateGraphics();
  void CreateReference(const CSymbolGraphic* placeholder);
  void CreateNameTexts();
  CTextInstance* AddText(CTextInstance::Role role, const CSymbolText& local, const CString& layer, int width);
  void StackNameTexts();

  CComponentInstance* m_owner;
  int m_gate;
  std::unique_ptr<CSymbol> m_symbol;
  CString m_libraryPath;
  CPlacement m_placement;
  std::vector<std::unique_ptr<CPadInstance>> m_pads;
  std::vector<std::unique_ptr<CCopperInstance>> m_coppers;
  std::vector<std::unique_ptr<CTextInstance>> m_texts;
};
