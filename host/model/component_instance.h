// CComponentInstance: a component placed in a design under a reference: one symbol
// instance per gate in a schematic design, the package's PCB symbol in a PCB design.
// The design owns it (CDesign::AddComponentInstance); it reads its component, which
// must outlive it, and owns its symbol instances.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "host/geometry/angle.h"
#include "host/geometry/box.h"
#include "host/model/design_item.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_instance.h"
#include "host/model/symbol_kind.h"
#include "platform/cstring.h"
#include "platform/position.h"

class CComponent;

// Which of the added texts are shown. An instance starts from its component's show
// names for the design's kind, except that a land always shows its number.
struct InstanceDisplay {
  bool componentName = false;
  bool packageName = false;
  bool description = false;
  bool symbolName = false;
  bool pinNames = false;
  bool pinNumbers = false;
};

// Heights of capital letters of the added texts, in design units.
struct InstanceTextSizes {
  int reference = 0;
  int name = 0;
  int pinName = 0;
  int pinNumber = 0;
};

class CComponentInstance : public CDesignItem {
  DECLARE_DYNAMIC(CComponentInstance)

 public:
  // `libraryFile` is the component library file the component comes from; relative
  // symbol libraries are found beside it.
  CComponentInstance(const CString& reference, CComponent* component, const CString& libraryFile,
                     SymbolKind kind, const InstanceTextSizes& sizes);
  ~CComponentInstance() override;

  const CString& GetReference() const { return m_reference; }
  // What a gate's symbol shows: for a component of more than one gate, the reference
  // followed by the gate's letter name ("U1" gives "U1a", "U1b", ...); else the
  // reference alone.
  CString GetReferenceFor(int gate) const;
  CComponent* GetComponent() const { return m_component; }
  const CString& GetLibraryFile() const { return m_libraryFile; }
  // How the package's pins are written, by its footprint's land names where it has
  // them; read once, when first asked.
  const CPinLabels& GetPinLabels() const;
  const InstanceTextSizes& GetTextSizes() const { return m_sizes; }

  // False while the instance is still being positioned; the views set it once built.
  bool IsPlaced() const { return m_placed; }
  void SetPlaced(bool placed) { m_placed = placed; }

  const InstanceDisplay& GetDisplay() const { return m_display; }
  void SetNameDisplayed(bool componentName, bool packageName, bool description);
  void SetSymbolNameDisplayed(bool displayed);
  void SetPinNamesDisplayed(bool displayed);
  void SetPinNumbersDisplayed(bool displayed);

  int CountSymbolInstances() const { return static_cast<int>(m_symbols.size()); }
  CSymbolInstance* FirstSymbolInstance() const {
    return m_symbols.empty() ? nullptr : m_symbols.front().get();
  }
  CSymbolInstance* FirstSymbolInstance(POSITION& position) const;
  CSymbolInstance* NextSymbolInstance(POSITION& position) const;
  CSymbolInstance* AddSymbolInstance(std::unique_ptr<CSymbolInstance> instance);

  // Turns every symbol instance to `rotation` and lays them out in order, on a
  // near-square grid filled row by row (ArrangeSymbolsInGrid), or with `inColumn` in a
  // column from top to bottom, starting where the first one stands. Each keeps at least
  // the spacing from its neighbours, measured between their extents, and stands a whole
  // number of spacings from the first, so that symbols drawn on a grid of that spacing
  // stay on it. A spacing of 0 or less puts them edge to edge.
  void ArrangeSymbolInstances(CSize spacing, bool inColumn, CAngle rotation);
  void Offset(int dx, int dy);
  CBox GetExtents() const;

  // The path of a symbol library named `library`: `extension` is added to a name
  // without one; an absolute path stays as it is; a relative one is taken from
  // `directory`, or when that is empty found as CSymbolLibraryLocator finds the names
  // of this instance's component library file.
  CString GetLibraryForSymbol(const CString& library, const CString& directory,
                              const CString& extension) const;
  static CString ResolveLibraryPath(const CString& library, const CString& directory,
                                    const CString& extension);

  void SetOwnerDesignOfAll(CDesign* design);

 private:
  void InitialiseDisplay();
  void ApplyDisplay();
  // Places `instance` after the box of the one before and gives its own box.
  CBox PlaceAfter(CSymbolInstance& instance, const CBox& previous, CPoint start, CSize spacing,
                  bool inColumn);

  CString m_reference;
  CComponent* m_component;
  CString m_libraryFile;
  mutable std::optional<CPinLabels> m_pinLabels;
  SymbolKind m_kind;
  InstanceTextSizes m_sizes;
  InstanceDisplay m_display;
  bool m_placed = false;
  std::vector<std::unique_ptr<CSymbolInstance>> m_symbols;
};
