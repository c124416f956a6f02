// The texts of a placed symbol: CTextInstance for the symbol's own texts and the texts
// the placement adds (reference, component and package names, symbol name), and its
// kinds CPinNameInstance and CPinNumberInstance for the name and number beside each
// pad. A text keeps its layout in the symbol's coordinates and is placed through its
// symbol instance, so it moves with it.
#pragma once

#include <optional>

#include "host/model/design_item.h"
#include "host/model/symbol_graphic.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CPadInstance;
class CSymbolInstance;

class CTextInstance : public CDesignItem {
  DECLARE_DYNAMIC(CTextInstance)

 public:
  enum class Role {
    Graphic,
    Reference,
    ComponentName,
    PackageName,
    Description,
    SymbolName,
    PinName,
    PinNumber
  };

  // `local` is in the symbol's coordinates; its text is what a plain text shows.
  CTextInstance(CSymbolInstance* owner, Role role, const CSymbolText& local, const CString& layer, int width);

  Role GetRole() const { return m_role; }

  virtual CString GetText() const { return m_local.text; }
  // The text as the drawing shows it: placed, in design units, with GetText() as text.
  CSymbolText GetPlacedText() const;
  CPoint GetPosition() const { return GetPlacedText().position; }
  // The height of a capital letter.
  int GetSize() const { return m_local.size; }
  const CString& GetLayer() const { return m_layer; }
  // Stroke width.
  int GetWidth() const { return m_width; }

  void SetVisible(bool visible) { m_visible = visible; }
  // Visible and not empty: only such texts are drawn and count in extents.
  bool IsShown() const { return m_visible && !GetText().IsEmpty(); }

  // An estimate of the placed text's box, enough to fit a view and to pick: each
  // character three quarters of the size wide, the size high.
  CRect GetBounds() const { return EstimateBounds(GetPlacedText()); }
  // GetBounds of a shown text, nothing for a hidden one; the text is made once for both.
  std::optional<CRect> GetShownBounds() const;
  static CRect EstimateBounds(const CSymbolText& placed);

  const CSymbolText& GetLocal() const { return m_local; }
  void SetLocal(const CSymbolText& local) { m_local = local; }

 private:
  CSymbolInstance* m_owner;
  Role m_role;
  CSymbolText m_local;
  CString m_layer;
  int m_width;
  bool m_visible = true;
};

// The name of the terminal a pad stands for. In a schematic symbol, the gate's terminal
// name as the component has it now; on a PCB symbol, the name of the first terminal the
// pin map assigns to the pad, or the land's own label when none is.
class CPinNameInstance : public CTextInstance {
  DECLARE_DYNAMIC(CPinNameInstance)

 public:
  CPinNameInstance(CPadInstance* pad, const CSymbolText& local, const CString& layer, int width);

  CString GetText() const override;

 private:
  CPadInstance* m_pad;
};

// The PCB pin number of a pad as the component has it now; empty for a schematic
// terminal without a pin.
class CPinNumberInstance : public CTextInstance {
  DECLARE_DYNAMIC(CPinNumberInstance)

 public:
  CPinNumberInstance(CPadInstance* pad, const CSymbolText& local, const CString& layer, int width);

  CString GetText() const override;

 private:
  CPadInstance* m_pad;
};
