#include "host/model/pad_instance.h"

#include "host/model/component.h"
#include "host/model/component_instance.h"
#include "host/model/symbol_instance.h"

IMPLEMENT_DYNAMIC(CPadInstance, CDesignItem)

namespace {

const char* const kSchematicPinNameLayer = "Pin Names";
const char* const kSchematicPinNumberLayer = "Pin Numbers";
const char* const kPcbPinTextLayer = "Assembly";

int StrokeFor(int size) {
  return size / 10;
}

// Text settings in the pad's own frame: `rotation` 0 or 90.
CSymbolText TextAt(CPoint position, int size, TextAlignment alignment, int rotation) {
  CSymbolText text;
  text.position = position;
  text.size = size;
  text.alignment = alignment;
  text.rotation = rotation;
  return text;
}

}  // namespace

CPadInstance::CPadInstance(CSymbolInstance* owner, const CFreePad* pad) : m_owner(owner), m_pad(pad) {}

CPadInstance::~CPadInstance() = default;

bool CPadInstance::IsPcbPad() const {
  return m_owner->IsPcbSymbol();
}

bool CPadInstance::FindAssignedTerminal(int& gate, int& terminal) const {
  // A land without a number is never assigned, whatever terminals lack a pin.
  if (!m_pad->IsNumbered()) return false;
  return m_owner->GetComponentInstance()->GetComponent()->GetGateAndTerminal(m_pad->GetNumber(), gate,
                                                                             terminal);
}

int CPadInstance::GetGate() const {
  if (!IsPcbPad()) return m_owner->GetGate();
  int gate = -1;
  int terminal = -1;
  return FindAssignedTerminal(gate, terminal) ? gate : -1;
}

int CPadInstance::GetTerminalNumber() const {
  if (!IsPcbPad()) return m_pad->GetNumber();
  int gate = -1;
  int terminal = -1;
  return FindAssignedTerminal(gate, terminal) ? terminal : -1;
}

int CPadInstance::GetPinNumber() const {
  if (IsPcbPad()) return m_pad->GetNumber();
  return m_owner->GetComponentInstance()->GetComponent()->GetPinNumber(m_owner->GetGate(),
                                                                       m_pad->GetNumber());
}

bool CPadInstance::IsAssigned() const {
  if (!IsPcbPad()) return GetPinNumber() != CGate::kNoPin;
  int gate = -1;
  int terminal = -1;
  return FindAssignedTerminal(gate, terminal);
}

CString CPadInstance::GetTerminalName() const {
  const CComponent* component = m_owner->GetComponentInstance()->GetComponent();
  if (!IsPcbPad()) return component->GetPinName(m_owner->GetGate(), m_pad->GetNumber());
  int gate = -1;
  int terminal = -1;
  if (!FindAssignedTerminal(gate, terminal)) return m_pad->GetName();
  return component->GetPinName(gate, terminal);
}

CPoint CPadInstance::GetPosition() const {
  return m_owner->GetPlacement().Map(m_pad->GetPosition());
}

CPoint CPadInstance::GetPinRoot() const {
  return m_owner->GetPlacement().Map(m_pad->GetPinRoot());
}

PinDirection CPadInstance::GetDirection() const {
  return m_owner->GetPlacement().MapDirection(m_pad->GetDirection());
}

CSize CPadInstance::GetSize() const {
  return m_owner->GetPlacement().MapSize(m_pad->GetSize());
}

CRect CPadInstance::GetBounds() const {
  CRect box;
  if (IsPcbPad()) {
    const CPoint centre = GetPosition();
    const CSize size = GetSize();
    box = CRect(centre.x - size.cx / 2, centre.y - size.cy / 2, centre.x + (size.cx + 1) / 2,
                centre.y + (size.cy + 1) / 2);
  } else {
    const CPoint end = GetPosition();
    const CPoint root = GetPinRoot();
    box = CRect(end.x, end.y, root.x, root.y);
  }
  box.NormalizeRect();
  return box;
}

void CPadInstance::CreatePinTexts(int nameSize, int numberSize) {
  if (IsPcbPad()) {
    CreatePcbPinTexts(nameSize, numberSize);
  } else {
    CreateSchematicPinTexts(nameSize, numberSize);
  }
}

void CPadInstance::CreateSchematicPinTexts(int nameSize, int numberSize) {
  const CPoint root = m_pad->GetPinRoot();
  const CPoint end = m_pad->GetPosition();
  const CPoint middle((root.x + end.x) / 2, (root.y + end.y) / 2);
  const int nameGap = nameSize / 2;
  const int numberGap = numberSize / 4;
  CSymbolText name;
  CSymbolText number;
  switch (m_pad->GetDirection()) {
    case PinDirection::Left:
      name = TextAt({root.x + nameGap, root.y}, nameSize, TextAlignment::Left, 0);
      number = TextAt({middle.x, middle.y + numberGap}, numberSize, TextAlignment::Bottom, 0);
      break;
    case PinDirection::Right:
      name = TextAt({root.x - nameGap, root.y}, nameSize, TextAlignment::Right, 0);
      number = TextAt({middle.x, middle.y + numberGap}, numberSize, TextAlignment::Bottom, 0);
      break;
    case PinDirection::Up:
      name = TextAt({root.x, root.y - nameGap}, nameSize, TextAlignment::Right, 90);
      number = TextAt({middle.x - numberGap, middle.y}, numberSize, TextAlignment::Bottom, 90);
      break;
    case PinDirection::Down:
      name = TextAt({root.x, root.y + nameGap}, nameSize, TextAlignment::Left, 90);
      number = TextAt({middle.x - numberGap, middle.y}, numberSize, TextAlignment::Bottom, 90);
      break;
  }
  m_pinName = std::make_unique<CPinNameInstance>(this, name, kSchematicPinNameLayer, StrokeFor(nameSize));
  m_pinNumber =
      std::make_unique<CPinNumberInstance>(this, number, kSchematicPinNumberLayer, StrokeFor(numberSize));
}

void CPadInstance::CreatePcbPinTexts(int nameSize, int numberSize) {
  const CPoint centre = m_pad->GetPosition();
  const int below = centre.y - m_pad->GetSize().cy / 2 - nameSize / 4;
  m_pinName =
      std::make_unique<CPinNameInstance>(this, TextAt({centre.x, below}, nameSize, TextAlignment::Top, 0),
                                         kPcbPinTextLayer, StrokeFor(nameSize));
  m_pinNumber = std::make_unique<CPinNumberInstance>(
      this, TextAt(centre, numberSize, TextAlignment::Centre, 0), kPcbPinTextLayer, StrokeFor(numberSize));
}

void CPadInstance::SetOwnerDesignOfAll(CDesign* design) {
  SetOwnerDesign(design);
  if (m_pinName != nullptr) m_pinName->SetOwnerDesign(design);
  if (m_pinNumber != nullptr) m_pinNumber->SetOwnerDesign(design);
}
