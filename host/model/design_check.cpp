// CDesign::CheckValid: the validity check of a design's package records. Each finding is
// one line that names the package, and where it matters the gate letter and the
// terminal, as the user sees them in the editor.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/model/design.h"
#include "host/model/design_findings.h"
#include "host/model/gate_names.h"
#include "host/model/pin_labels.h"
#include "host/model/symbol_library.h"
#include "host/utility/app_error.h"

namespace {

// What the check needs of one library symbol.
struct SymbolFacts {
  bool readable = false;
  CString problem;  // why it could not be read
  int padCount = 0;
  std::unordered_set<int> padNumbers;
  CPinLabels labels;  // how the pins of a footprint are named
};

// The pin as the user sees it: a land's name where the footprint names its lands.
CString PinText(const SymbolFacts* pcb, int pin) {
  return pcb != nullptr ? pcb->labels.Text(pin) : CPinLabels().Text(pin);
}

std::string FoldedKey(const CString& text) {
  return CString(text).MakeLower().str();
}

// A message from elsewhere, fit to end a finding.
CString WithoutFinalStop(CString text) {
  if (!text.IsEmpty() && text[text.GetLength() - 1] == '.') text.Delete(text.GetLength() - 1);
  return text;
}

// Reads library symbols for one check. Libraries are named relative to the design's
// folder; each library is opened and each symbol looked up at most once.
class SymbolReader {
 public:
  explicit SymbolReader(std::filesystem::path base) : m_base(std::move(base)) {}

  const SymbolFacts& Read(SymbolKind kind, const CString& library, const CString& symbol) {
    const std::string path = ResolvePath(kind, library);
    const std::string key = std::string(SymbolKindName(kind)) + "\n" + path + "\n" + FoldedKey(symbol);
    const auto cached = m_symbols.find(key);
    if (cached != m_symbols.end()) return cached->second;
    return m_symbols.emplace(key, LookUp(kind, library, path, symbol)).first->second;
  }

 private:
  struct OpenedLibrary {
    std::unique_ptr<CSymbolLibrary> library;
    CString problem;
  };

  std::string ResolvePath(SymbolKind kind, const CString& library) const {
    std::filesystem::path path(library.str());
    if (!path.has_extension()) path += CSymbolLibrary::ExtensionOf(CSymbolLibrary::ClassOf(kind)).str();
    if (path.is_relative()) path = m_base / path;
    return path.lexically_normal().string();
  }

  SymbolFacts LookUp(SymbolKind kind, const CString& libraryName, const std::string& path,
                     const CString& symbolName) {
    SymbolFacts facts;
    if (libraryName.IsEmpty()) {
      facts.problem = "no library is named";
      return facts;
    }
    const OpenedLibrary& opened = Open(kind, path);
    if (opened.library == nullptr) {
      facts.problem = opened.problem;
      return facts;
    }
    const CSymbol* symbol = opened.library->Find(symbolName);
    if (symbol == nullptr) {
      facts.problem.FormatMessage("it is not in %1", opened.library->GetFileName());
      return facts;
    }
    facts.readable = true;
    // A pin with several lands counts once; a land without a number is no pin.
    facts.padCount = symbol->CountPins();
    for (int i = 0; i < symbol->CountPads(); ++i) {
      if (symbol->GetPad(i).IsNumbered()) facts.padNumbers.insert(symbol->GetPad(i).GetNumber());
    }
    if (kind == SymbolKind::Pcb) facts.labels = CPinLabels(symbol);
    return facts;
  }

  const OpenedLibrary& Open(SymbolKind kind, const std::string& path) {
    const std::string key = std::string(SymbolKindName(kind)) + "\n" + path;
    const auto cached = m_libraries.find(key);
    if (cached != m_libraries.end()) return cached->second;
    OpenedLibrary opened;
    if (kind == SymbolKind::Schematic) {
      opened.library = std::make_unique<CScmSymbolLibrary>(CString(path));
    } else {
      opened.library = std::make_unique<CPcbSymbolLibrary>(CString(path));
    }
    if (!opened.library->OpenRead()) {
      opened.problem = WithoutFinalStop(CAppError::GetLastError());
      opened.library.reset();
    }
    return m_libraries.emplace(key, std::move(opened)).first->second;
  }

  std::filesystem::path m_base;
  std::unordered_map<std::string, OpenedLibrary> m_libraries;
  std::unordered_map<std::string, SymbolFacts> m_symbols;
};

CString TerminalText(const CGate& gate, int terminal) {
  CString text;
  const CString name = gate.GetPinName(terminal);
  if (name.IsEmpty()) {
    text.FormatMessage("gate %1 terminal %2", GateString(gate.GetIndex()), terminal);
  } else {
    text.FormatMessage("gate %1 terminal %2 (%3)", GateString(gate.GetIndex()), terminal, name);
  }
  return text;
}

struct TerminalRef {
  const CGate* gate;
  int terminal;
};

class DesignCheck {
 public:
  explicit DesignCheck(const CDesign& design)
      : m_design(design), m_symbols(std::filesystem::path(design.GetPathName().str()).parent_path()) {}

  std::vector<DesignFinding> Run() {
    POSITION position = nullptr;
    for (const CComponent* record = m_design.FirstComponent(position); record != nullptr;
         record = m_design.NextComponent(position)) {
      CheckRecord(*record);
    }
    return std::move(m_findings);
  }

 private:
  void CheckRecord(const CComponent& record) {
    const CComponent* first = ClaimPackage(record);
    const SymbolFacts* pcb = CheckPcbSymbol(record);
    if (first != &record) CompareGates(record, *first);
    int index = -1;
    POSITION position = nullptr;
    for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
         gate = record.NextGate(position, index)) {
      if (!record.IsPcbOnly()) CheckGateSymbol(record, *gate);
    }
    CheckTerminals(record, pcb);
  }

  // The component's first record; a finding when an earlier record of the component
  // has the same package.
  const CComponent* ClaimPackage(const CComponent& record) {
    const std::string component = FoldedKey(record.GetName());
    const CComponent* first = m_firstRecords.emplace(component, &record).first->second;
    if (!m_packages.insert(component + "\n" + FoldedKey(record.GetPackage())).second) {
      Add(record, "another record of component %1 has this package", record.GetName());
    }
    return first;
  }

  // The PCB symbol when it can be read; null otherwise.
  const SymbolFacts* CheckPcbSymbol(const CComponent& record) {
    const CString& symbol = record.GetPcbSymbol();
    if (symbol.IsEmpty()) {
      Add(record, "no PCB symbol");
      return nullptr;
    }
    const SymbolFacts& facts =
        m_symbols.Read(SymbolKind::Pcb, record.GetPcbComponent()->GetLibrary(), symbol);
    if (!facts.readable) {
      Add(record, "PCB symbol %1 cannot be read: %2", symbol, facts.problem);
      return nullptr;
    }
    if (facts.padCount != record.GetPinCount()) {
      Add(record, "pin count %1 differs from the %2 pads of PCB symbol %3", record.GetPinCount(),
          facts.padCount, symbol);
    }
    return &facts;
  }

  void CompareGates(const CComponent& record, const CComponent& first) {
    int index = -1;
    POSITION position = nullptr;
    for (const CGate* model = first.FirstGate(position, index); model != nullptr;
         model = first.NextGate(position, index)) {
      const CGate* gate = record.FindGate(index);
      if (gate == nullptr) {
        Add(record, "gate %1 is missing; %2 has it", GateString(index), first.GetPackage());
      } else {
        CompareGate(record, *gate, *model);
      }
    }
    for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
         gate = record.NextGate(position, index)) {
      if (first.FindGate(index) != nullptr) continue;
      Add(record, "gate %1 is not in %2", GateString(index), first.GetPackage());
    }
  }

  void CompareGate(const CComponent& record, const CGate& gate, const CGate& model) {
    const CString letter = GateString(gate.GetIndex());
    const CString& other = model.GetComponent()->GetPackage();
    if (gate.GetSymbol().CompareNoCase(model.GetSymbol()) != 0) {
      Add(record, "gate %1 symbol %2 differs from %3 in %4", letter, gate.GetSymbol(), model.GetSymbol(),
          other);
    }
    if (gate.GetLibrary().CompareNoCase(model.GetLibrary()) != 0) {
      Add(record, "gate %1 library %2 differs from %3 in %4", letter, gate.GetLibrary(), model.GetLibrary(),
          other);
    }
    if (gate.CountPins() != model.CountPins()) {
      Add(record, "gate %1 has %2 terminals, %3 in %4", letter, gate.CountPins(), model.CountPins(), other);
    }
  }

  void CheckGateSymbol(const CComponent& record, const CGate& gate) {
    const CString letter = GateString(gate.GetIndex());
    if (gate.GetSymbol().IsEmpty()) {
      Add(record, "gate %1 has no symbol", letter);
      return;
    }
    const SymbolFacts& facts = m_symbols.Read(SymbolKind::Schematic, gate.GetLibrary(), gate.GetSymbol());
    if (!facts.readable) {
      Add(record, "gate %1 symbol %2 cannot be read: %3", letter, gate.GetSymbol(), facts.problem);
    } else if (facts.padCount != gate.CountPins()) {
      Add(record, "gate %1 has %2 terminals, symbol %3 has %4", letter, gate.CountPins(), gate.GetSymbol(),
          facts.padCount);
    }
  }

  // One finding at most per terminal, the first of: no pin, a pin outside the package,
  // a pin an earlier terminal has, a pin the PCB symbol has no pad for.
  void CheckTerminals(const CComponent& record, const SymbolFacts* pcb) {
    std::unordered_map<int, TerminalRef> users;
    int index = -1;
    POSITION position = nullptr;
    for (const CGate* gate = record.FirstGate(position, index); gate != nullptr;
         gate = record.NextGate(position, index)) {
      for (int terminal = 1; terminal <= gate->CountPins(); ++terminal) {
        CheckTerminal(record, *gate, terminal, pcb, users);
      }
    }
  }

  void CheckTerminal(const CComponent& record, const CGate& gate, int terminal, const SymbolFacts* pcb,
                     std::unordered_map<int, TerminalRef>& users) {
    const int pin = gate.GetPinNumber(terminal);
    if (pin == CGate::kNoPin) {
      Add(record, "%1 has no pin", TerminalText(gate, terminal));
      return;
    }
    if (pin < 1 || pin > record.GetPinCount()) {
      Add(record, "%1 has pin %2, outside 1 to %3", TerminalText(gate, terminal), PinText(pcb, pin),
          record.GetPinCount());
      return;
    }
    const auto [user, first] = users.try_emplace(pin, TerminalRef{&gate, terminal});
    if (!first) {
      Add(record, "%1 has pin %2, which %3 has too", TerminalText(gate, terminal), PinText(pcb, pin),
          TerminalText(*user->second.gate, user->second.terminal));
      return;
    }
    if (pcb != nullptr && !pcb->padNumbers.contains(pin)) {
      Add(record, "%1 has pin %2, which PCB symbol %3 has no pad for", TerminalText(gate, terminal),
          PinText(pcb, pin), record.GetPcbSymbol());
    }
  }

  template <class... Args>
  void Add(const CComponent& record, const char* format, const Args&... inserts) {
    CString text;
    text.FormatMessage(format, inserts...);
    text.Replace("\r", " ");
    text.Replace("\n", " ");
    m_findings.push_back({record.GetName(), record.GetPackage(), std::move(text)});
  }

  const CDesign& m_design;
  SymbolReader m_symbols;
  std::unordered_map<std::string, const CComponent*> m_firstRecords;
  std::unordered_set<std::string> m_packages;
  std::vector<DesignFinding> m_findings;
};

// The file is a scratch file of the caller's: it is overwritten in place, without the
// cost of making the write durable.
void WriteReport(const CString& file, const std::string& contents) {
  std::ofstream stream(file.str(), std::ios::binary | std::ios::trunc);
  if (stream.write(contents.data(), static_cast<std::streamsize>(contents.size())).flush()) return;
  CString error;
  error.FormatMessage("Cannot write the findings to \"%1\": %2.", file, std::strerror(errno));
  CAppError::SetLastErrorText(error);
}

}  // namespace

std::vector<DesignFinding> CheckDesignRecords(const CDesign& design) {
  return DesignCheck(design).Run();
}

CString CDesign::CheckValid(const CString& file) const {
  CString report;
  std::string contents;
  for (const DesignFinding& found : CheckDesignRecords(*this)) {
    CString finding = found.package + ": " + found.text;
    finding.Replace("\r", " ");
    finding.Replace("\n", " ");
    if (!report.IsEmpty()) report += "\n";
    report += finding;
    contents += finding.str() + "\n";
  }
  WriteReport(file, contents);
  return report;
}
