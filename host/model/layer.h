// CLayer: a drawing layer of a PCB design, taken in from a technology file. Symbols'
// graphics name their layer; the drawing shows the layers in design order, later over
// earlier, and leaves out those that are not visible.
#pragma once

#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/types.h"

class CLayer : public CObject {
  DECLARE_DYNAMIC(CLayer)

 public:
  CLayer(const CString& name, COLORREF colour, bool visible)
      : m_name(name), m_colour(colour), m_visible(visible) {}

  const CString& GetName() const { return m_name; }
  COLORREF GetColour() const { return m_colour; }
  void SetColour(COLORREF colour) { m_colour = colour; }
  bool IsVisible() const { return m_visible; }
  void SetVisible(bool visible) { m_visible = visible; }

 private:
  CString m_name;
  COLORREF m_colour;
  bool m_visible;
};
