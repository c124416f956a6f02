#include "host/model/symbol_instance.h"

#include <cctype>

#include "host/model/component.h"
#include "host/model/component_instance.h"
#include "host/model/gate_names.h"
#include "host/model/position_index.h"

IMPLEMENT_DYNAMIC(CSymbolInstance, CDesignItem)

namespace {

const char* const kSchematicTextLayer = "Text";
const char* const kPcbTextLayer = "Silkscreen";

using Role = CTextInstance::Role;

// "REF", or one or more letters and a question mark.
bool IsReferencePlaceholder(const CString& text) {
  if (text.CompareNoCase("REF") == 0) return true;
  const int length = text.GetLength();
  if (length < 2 || text[length - 1] != '?') return false;
  for (int i = 0; i + 1 < length; ++i) {
    if (std::isalpha(static_cast<unsigned char>(text[i])) == 0) return false;
  }
  return true;
}

const CSymbolText* TextOf(const CSymbolGraphic& graphic) {
  return std::get_if<CSymbolText>(&graphic.GetShape());
}

CSymbolText PlainText(const CString& text, int size) {
  CSymbolText local;
  local.text = text;
  local.size = size;
  return local;
}

}  // namespace

CSymbolInstance::CSymbolInstance(CComponentInstance* owner, int gate, std::unique_ptr<CSymbol> symbol,
                                 const CString& libraryPath)
    : m_owner(owner), m_gate(gate), m_symbol(std::move(symbol)), m_libraryPath(libraryPath) {
  m_placement.SetOrigin(m_symbol->GetOrigin());
  CreatePads();
  CreateGraphics();
  CreateNameTexts();
  ApplyDisplay();
}

CSymbolInstance::~CSymbolInstance() = default;

CString CSymbolInstance::GetGateString(int index) {
  return GateString(index);
}

int CSymbolInstance::GetGateId(const char* text) {
  return GateId(text);
}

CPadInstance* CSymbolInstance::FirstPad(POSITION& position) const {
  position = m_pads.empty() ? nullptr : PositionFromIndex(0);
  return NextPad(position);
}

CPadInstance* CSymbolInstance::NextPad(POSITION& position) const {
  if (position == nullptr) return nullptr;
  const size_t at = IndexFromPosition(position);
  if (at >= m_pads.size()) {
    position = nullptr;
    return nullptr;
  }
  position = at + 1 < m_pads.size() ? PositionFromIndex(at + 1) : nullptr;
  return m_pads[at].get();
}

CPadInstance* CSymbolInstance::FindPad(int number) const {
  const int index = m_symbol->IndexOfPad(number);
  return index < 0 ? nullptr : m_pads[static_cast<size_t>(index)].get();
}

CTextInstance* CSymbolInstance::FindText(CTextInstance::Role role) const {
  for (const auto& text : m_texts) {
    if (text->GetRole() == role) return text.get();
  }
  return nullptr;
}

CBox CSymbolInstance::GetExtents() const {
  CBox box;
  for (const auto& pad : m_pads) {
    box = box.Union(CBox(pad->GetBounds()));
    for (const CTextInstance* text : {static_cast<CTextInstance*>(pad->GetPinNameText()),
                                      static_cast<CTextInstance*>(pad->GetPinNumberText())}) {
      if (const std::optional<CRect> bounds = text->GetShownBounds()) box = box.Union(CBox(*bounds));
    }
  }
  for (const auto& copper : m_coppers) box = box.Union(CBox(copper->GetBounds()));
  for (const auto& text : m_texts) {
    if (const std::optional<CRect> bounds = text->GetShownBounds()) box = box.Union(CBox(*bounds));
  }
  return box;
}

void CSymbolInstance::ApplyDisplay() {
  const InstanceDisplay& display = m_owner->GetDisplay();
  for (const auto& pad : m_pads) {
    pad->GetPinNameText()->SetVisible(display.pinNames);
    pad->GetPinNumberText()->SetVisible(display.pinNumbers);
  }
  for (const auto& text : m_texts) {
    switch (text->GetRole()) {
      case Role::ComponentName:
        text->SetVisible(display.componentName);
        break;
      case Role::PackageName:
        text->SetVisible(display.packageName);
        break;
      case Role::Description:
        text->SetVisible(display.description);
        break;
      case Role::SymbolName:
        text->SetVisible(display.symbolName);
        break;
      default:
        break;
    }
  }
  StackNameTexts();
}

void CSymbolInstance::SetOwnerDesignOfAll(CDesign* design) {
  SetOwnerDesign(design);
  for (const auto& pad : m_pads) pad->SetOwnerDesignOfAll(design);
  for (const auto& copper : m_coppers) copper->SetOwnerDesign(design);
  for (const auto& text : m_texts) text->SetOwnerDesign(design);
}

void CSymbolInstance::CreatePads() {
  const InstanceTextSizes& sizes = m_owner->GetTextSizes();
  m_pads.reserve(static_cast<size_t>(m_symbol->CountPads()));
  for (int index = 0; index < m_symbol->CountPads(); ++index) {
    auto pad = std::make_unique<CPadInstance>(this, &m_symbol->GetPad(index));
    pad->CreatePinTexts(sizes.pinName, sizes.pinNumber);
    m_pads.push_back(std::move(pad));
  }
}

void CSymbolInstance::CreateGraphics() {
  const CSymbolGraphic* placeholder = nullptr;
  for (const CSymbolGraphic& graphic : m_symbol->Graphics()) {
    const CSymbolText* text = TextOf(graphic);
    if (text == nullptr) {
      m_coppers.push_back(std::make_unique<CCopperInstance>(this, &graphic));
    } else if (placeholder == nullptr && IsReferencePlaceholder(text->text)) {
      placeholder = &graphic;
    } else {
      AddText(Role::Graphic, *text, graphic.GetLayer(), graphic.GetWidth());
    }
  }
  CreateReference(placeholder);
}

void CSymbolInstance::CreateReference(const CSymbolGraphic* placeholder) {
  const CString reference = m_owner->GetReferenceFor(m_gate);
  if (reference.IsEmpty()) return;
  if (placeholder != nullptr) {
    CSymbolText local = *TextOf(*placeholder);
    local.text = reference;
    AddText(Role::Reference, local, placeholder->GetLayer(), placeholder->GetWidth());
    return;
  }
  const int size = m_owner->GetTextSizes().reference;
  const CRect body = m_symbol->GetExtents();
  CSymbolText local = PlainText(reference, size);
  local.position = CPoint(body.left, body.bottom + size / 2);
  AddText(Role::Reference, local, IsPcbSymbol() ? kPcbTextLayer : kSchematicTextLayer, size / 10);
}

void CSymbolInstance::CreateNameTexts() {
  const CComponent* component = m_owner->GetComponent();
  const int size = m_owner->GetTextSizes().name;
  const CString layer = IsPcbSymbol() ? kPcbTextLayer : kSchematicTextLayer;
  AddText(Role::ComponentName, PlainText(component->GetName(), size), layer, size / 10);
  AddText(Role::PackageName, PlainText(component->GetPackage(), size), layer, size / 10);
  AddText(Role::Description, PlainText(component->GetDescription(), size), layer, size / 10);
  AddText(Role::SymbolName, PlainText(m_symbol->GetName(), size), layer, size / 10);
}

CTextInstance* CSymbolInstance::AddText(CTextInstance::Role role, const CSymbolText& local,
                                        const CString& layer, int width) {
  m_texts.push_back(std::make_unique<CTextInstance>(this, role, local, layer, width));
  return m_texts.back().get();
}

void CSymbolInstance::StackNameTexts() {
  const CRect body = m_symbol->GetExtents();
  int line = 0;
  for (const auto& text : m_texts) {
    const Role role = text->GetRole();
    const bool stacked = role == Role::ComponentName || role == Role::PackageName ||
                         role == Role::Description || role == Role::SymbolName;
    if (!stacked || !text->IsShown()) continue;
    CSymbolText local = text->GetLocal();
    const int pitch = local.size * 3 / 2;
    local.position = CPoint(body.left, body.top - local.size / 2 - line * pitch);
    local.alignment = TextAlignment::TopLeft;
    text->SetLocal(local);
    ++line;
  }
}
