#include "host/model/component_diff.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "host/model/gate_names.h"

namespace {

std::string Folded(const CString& text) {
  return CString(text).MakeLower().str();
}

// The component as stored, with the order of its attributes set aside and, for
// `withoutName`, its name too.
std::string ContentOf(const LibraryComponent& component, bool withoutName) {
  LibraryComponent copy = component;
  for (ComponentValue& record : copy.records) {
    std::stable_sort(
        record.attributes.begin(), record.attributes.end(),
        [](const AttributeValue& a, const AttributeValue& b) { return Folded(a.name) < Folded(b.name); });
    if (withoutName) record.name.Empty();
  }
  if (withoutName) copy.name.Empty();
  return CComponentLibraryFile::StoredForm(copy);
}

const GateValue* FindGate(const ComponentValue& record, int index) {
  for (const GateValue& gate : record.gates) {
    if (gate.index == index) return &gate;
  }
  return nullptr;
}

const ComponentValue* FindRecord(const LibraryComponent& component, const CString& package) {
  for (const ComponentValue& record : component.records) {
    if (Folded(record.package) == Folded(package)) return &record;
  }
  return nullptr;
}

CString SymbolText(const CString& library, const CString& symbol) {
  return library.IsEmpty() ? symbol : library + ":" + symbol;
}

CString FootprintText(const ComponentValue& record) {
  return record.pcbSymbol.IsEmpty() ? CString("none") : SymbolText(record.pcbLibrary, record.pcbSymbol);
}

class LibraryDiff {
 public:
  explicit LibraryDiff(const PinLabelSource& labels) : m_labels(labels) {}

  void Matched(const LibraryComponent& before, const LibraryComponent& after) {
    if (ContentOf(before, false) == ContentOf(after, false)) return;
    m_component = after.name;
    const size_t start = m_changes.size();
    if (before.name != after.name)
      Add("component-renamed", "renamed from " + before.name, before.name, after.name);
    if (!before.records.empty() && !after.records.empty()) Components(before.records[0], after.records[0]);
    Packages(before, after);
    if (m_changes.size() == start) Add("component-changed", "changed in a way not listed here");
  }

  void Renamed(const LibraryComponent& before, const LibraryComponent& after) {
    m_component = after.name;
    Add("component-renamed", "renamed from " + before.name, before.name, after.name);
  }

  void Added(const LibraryComponent& component) {
    m_component = component.name;
    Add("component-added", "component added");
  }

  void Removed(const LibraryComponent& component) {
    m_component = component.name;
    Add("component-removed", "component removed");
  }

  std::vector<ComponentChange> Take() { return std::move(m_changes); }

 private:
  ComponentChange& Add(const char* kind, const CString& text, const CString& before = {},
                       const CString& after = {}) {
    ComponentChange change;
    change.kind = kind;
    change.component = m_component;
    change.package = m_package;
    change.before = before;
    change.after = after;
    change.text = text;
    m_changes.push_back(std::move(change));
    return m_changes.back();
  }

  void Field(const char* what, const CString& before, const CString& after) {
    if (before == after) return;
    CString text;
    text.FormatMessage("%1 \"%2\" -> \"%3\"", what, before, after);
    Add("field-changed", text, before, after);
  }

  // What the component's first record holds for every package: fields, attributes, gates.
  void Components(const ComponentValue& before, const ComponentValue& after) {
    m_package.Empty();
    Field("description", before.description, after.description);
    Field("default reference", before.defaultReference, after.defaultReference);
    if (before.showNames != after.showNames) {
      Add("field-changed", "names shown changed", CString(std::to_string(before.showNames)),
          CString(std::to_string(after.showNames)));
    }
    Field("PCB only", before.pcbOnly ? "yes" : "no", after.pcbOnly ? "yes" : "no");
    Attributes(before, after);
    Gates(before, after);
  }

  void Attributes(const ComponentValue& before, const ComponentValue& after) {
    std::map<std::string, const AttributeValue*> old;
    for (const AttributeValue& attribute : before.attributes) old.emplace(Folded(attribute.name), &attribute);
    for (const AttributeValue& attribute : after.attributes) {
      const auto found = old.find(Folded(attribute.name));
      if (found == old.end()) {
        Add("attribute-added", "attribute " + attribute.name + " added: \"" + attribute.value + "\"", {},
            attribute.value);
        continue;
      }
      const CString& was = found->second->value;
      if (was != attribute.value) {
        Add("attribute-changed",
            "attribute " + attribute.name + ": \"" + was + "\" -> \"" + attribute.value + "\"", was,
            attribute.value);
      }
      old.erase(found);
    }
    for (const auto& [key, attribute] : old) {
      Add("attribute-removed", "attribute " + attribute->name + " removed", attribute->value);
    }
  }

  void Gates(const ComponentValue& before, const ComponentValue& after) {
    for (const GateValue& gate : before.gates) {
      if (FindGate(after, gate.index) == nullptr) GateGone(gate);
    }
    for (const GateValue& gate : after.gates) {
      const GateValue* old = FindGate(before, gate.index);
      if (old == nullptr) {
        GateNew(gate);
      } else {
        GateChanged(*old, gate);
      }
    }
  }

  void GateGone(const GateValue& gate) {
    Add("gate-removed", "gate " + GateString(gate.index) + " removed", SymbolText(gate.library, gate.symbol))
        .gate = GateString(gate.index);
  }

  void GateNew(const GateValue& gate) {
    CString text;
    text.FormatMessage("gate %1 added: %2, %3 terminals", GateString(gate.index),
                       SymbolText(gate.library, gate.symbol), static_cast<int>(gate.terminals.size()));
    Add("gate-added", text, {}, SymbolText(gate.library, gate.symbol)).gate = GateString(gate.index);
  }

  void GateChanged(const GateValue& before, const GateValue& after) {
    const CString letter = GateString(after.index);
    const CString oldSymbol = SymbolText(before.library, before.symbol);
    const CString newSymbol = SymbolText(after.library, after.symbol);
    if (oldSymbol != newSymbol) {
      Add("symbol-replaced", "gate " + letter + " symbol " + oldSymbol + " -> " + newSymbol, oldSymbol,
          newSymbol)
          .gate = letter;
    }
    const size_t count = std::max(before.terminals.size(), after.terminals.size());
    for (size_t t = 0; t < count; ++t) {
      const CString was = t < before.terminals.size() ? before.terminals[t].name : CString();
      const CString now = t < after.terminals.size() ? after.terminals[t].name : CString();
      if (was == now) continue;
      CString text;
      text.FormatMessage("gate %1 terminal %2: name \"%3\" -> \"%4\"", letter, static_cast<int>(t + 1), was,
                         now);
      ComponentChange& change = Add("terminal-renamed", text, was, now);
      change.gate = letter;
      change.terminal = static_cast<int>(t + 1);
    }
  }

  void Packages(const LibraryComponent& before, const LibraryComponent& after) {
    for (const ComponentValue& record : after.records) {
      m_package = record.package;
      const ComponentValue* old = FindRecord(before, record.package);
      if (old == nullptr) {
        Add("package-added", "added, footprint " + FootprintText(record), {}, FootprintText(record));
      } else {
        Package(before, after, *old, record);
      }
    }
    for (const ComponentValue& record : before.records) {
      if (FindRecord(after, record.package) != nullptr) continue;
      m_package = record.package;
      Add("package-removed", "removed", FootprintText(record));
    }
    m_package.Empty();
  }

  void Package(const LibraryComponent& beforeComponent, const LibraryComponent& afterComponent,
               const ComponentValue& before, const ComponentValue& after) {
    if (FootprintText(before) != FootprintText(after)) {
      Add("footprint-replaced", "footprint " + FootprintText(before) + " -> " + FootprintText(after),
          FootprintText(before), FootprintText(after));
    }
    if (before.pinCount != after.pinCount) {
      CString text;
      text.FormatMessage("pins %1 -> %2", before.pinCount, after.pinCount);
      Add("pin-count-changed", text, CString(std::to_string(before.pinCount)),
          CString(std::to_string(after.pinCount)));
    }
    Field("package description", before.packageDescription, after.packageDescription);
    PackageGates(beforeComponent.records[0], afterComponent.records[0], before, after);
    PinMap(before, after);
  }

  // A gate one package has gained or lost while the component as a whole kept it.
  void PackageGates(const ComponentValue& firstBefore, const ComponentValue& firstAfter,
                    const ComponentValue& before, const ComponentValue& after) {
    for (const GateValue& gate : before.gates) {
      if (FindGate(after, gate.index) == nullptr && FindGate(firstAfter, gate.index) != nullptr)
        GateGone(gate);
    }
    for (const GateValue& gate : after.gates) {
      if (FindGate(before, gate.index) == nullptr && FindGate(firstBefore, gate.index) != nullptr)
        GateNew(gate);
    }
  }

  void PinMap(const ComponentValue& before, const ComponentValue& after) {
    std::optional<CPinLabels> oldLabels;
    std::optional<CPinLabels> newLabels;
    for (const GateValue& gate : after.gates) {
      const GateValue* old = FindGate(before, gate.index);
      if (old == nullptr) continue;
      const size_t count = std::max(old->terminals.size(), gate.terminals.size());
      for (size_t t = 0; t < count; ++t) {
        const int was = t < old->terminals.size() ? old->terminals[t].pin : -1;
        const int now = t < gate.terminals.size() ? gate.terminals[t].pin : -1;
        if (was == now) continue;
        if (!oldLabels) oldLabels = m_labels(before, false);
        if (!newLabels) newLabels = m_labels(after, true);
        const CString name = t < gate.terminals.size() ? gate.terminals[t].name : old->terminals[t].name;
        PinChanged(gate.index, static_cast<int>(t + 1), name, oldLabels->Text(was), newLabels->Text(now));
      }
    }
  }

  void PinChanged(int gate, int terminal, const CString& name, const CString& was, const CString& now) {
    CString where;
    where.FormatMessage("gate %1 terminal %2", GateString(gate), terminal);
    if (!name.IsEmpty()) where += " (" + name + ")";
    const CString text = where + ": pin " + (was.IsEmpty() ? CString("none") : was) + " -> " +
                         (now.IsEmpty() ? CString("none") : now);
    ComponentChange& change = Add("pin-changed", text, was, now);
    change.gate = GateString(gate);
    change.terminal = terminal;
  }

  const PinLabelSource& m_labels;
  CString m_component;
  CString m_package;
  std::vector<ComponentChange> m_changes;
};

bool Wanted(const std::vector<CString>& only, const CString& name) {
  if (only.empty()) return true;
  return std::any_of(only.begin(), only.end(),
                     [&](const CString& one) { return Folded(one) == Folded(name); });
}

const LibraryComponent* FindComponent(const std::vector<LibraryComponent>& components, const CString& name) {
  for (const LibraryComponent& component : components) {
    if (Folded(component.name) == Folded(name)) return &component;
  }
  return nullptr;
}

}  // namespace

std::vector<ComponentChange> DiffComponentLibraries(const std::vector<LibraryComponent>& before,
                                                    const std::vector<LibraryComponent>& after,
                                                    const PinLabelSource& labels,
                                                    const std::vector<CString>& only) {
  std::vector<const LibraryComponent*> gone;
  for (const LibraryComponent& component : before) {
    if (FindComponent(after, component.name) == nullptr) gone.push_back(&component);
  }
  LibraryDiff diff(labels);
  for (const LibraryComponent& component : after) {
    const LibraryComponent* old = FindComponent(before, component.name);
    if (old != nullptr) {
      if (Wanted(only, component.name)) diff.Matched(*old, component);
      continue;
    }
    const std::string content = ContentOf(component, true);
    const auto renamed = std::find_if(gone.begin(), gone.end(), [&](const LibraryComponent* candidate) {
      return ContentOf(*candidate, true) == content;
    });
    if (renamed == gone.end()) {
      if (Wanted(only, component.name)) diff.Added(component);
      continue;
    }
    if (Wanted(only, component.name) || Wanted(only, (*renamed)->name)) diff.Renamed(**renamed, component);
    gone.erase(renamed);
  }
  for (const LibraryComponent* component : gone) {
    if (Wanted(only, component->name)) diff.Removed(*component);
  }
  return diff.Take();
}
