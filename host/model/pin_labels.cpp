#include "host/model/pin_labels.h"

#include <cctype>
#include <charconv>
#include <memory>
#include <mutex>

#include "host/model/component.h"
#include "host/model/gate.h"
#include "host/model/symbol.h"
#include "host/model/symbol_library.h"
#include "host/model/symbol_library_locator.h"
#include "host/utility/app_error.h"

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The labels made last, with their library kept open: the footprint's address then
// stands for the contents they were made from, so the grid and a drawing rebuilt one
// after the other share one set of labels, and a library read again makes new ones.
struct LastLabels {
  std::unique_ptr<CPcbSymbolLibrary> library;
  const CSymbol* footprint = nullptr;
  CPinLabels labels;
};

std::mutex& LastLabelsGuard() {
  static std::mutex guard;
  return guard;
}

LastLabels& TheLastLabels() {
  static LastLabels last;
  return last;
}

}  // namespace

CPinLabels::CPinLabels(const CSymbol* footprint) {
  if (footprint == nullptr) return;
  auto tables = std::make_shared<Tables>();
  tables->footprint = footprint->GetName();
  for (int i = 0; i < footprint->CountPads(); ++i) {
    const CFreePad& pad = footprint->GetPad(i);
    if (!pad.IsNumbered() || !IsPadName(pad.GetName())) continue;
    tables->names.emplace(pad.GetNumber(), pad.GetName());
    tables->pins.emplace(Lower(pad.GetName().str()), pad.GetNumber());
  }
  m_tables = std::move(tables);
}

CPinLabels CPinLabels::ForPackage(const CComponent& record, const CString& componentLibrary) {
  return ForFootprint(record.GetPcbComponent()->GetLibrary(), record.GetPcbSymbol(), componentLibrary);
}

CPinLabels CPinLabels::ForFootprint(const CString& library, const CString& symbol,
                                    const CString& componentLibrary) {
  if (library.IsEmpty() || symbol.IsEmpty()) return {};
  CString path;
  // The library's own symbol is read in place: a footprint of thousands of balls costs
  // more to copy than to label.
  auto opened = std::make_unique<CPcbSymbolLibrary>();
  const CSymbol* footprint = nullptr;
  // The PCB drawing reads the same footprint and tells the user what failed; an error
  // recorded before stays for its own caller.
  const CString earlierError = CAppError::GetLastError();
  if (CSymbolLibraryLocator(SymbolKind::Pcb, componentLibrary).Find(library, path) && opened->OpenRead(path))
    footprint = opened->Find(symbol);
  if (footprint == nullptr) {
    CAppError::SetLastErrorText(earlierError);
    return {};
  }
  const std::lock_guard<std::mutex> lock(LastLabelsGuard());
  LastLabels& last = TheLastLabels();
  if (last.footprint != footprint) last = LastLabels{std::move(opened), footprint, CPinLabels(footprint)};
  return last.labels;
}

bool CPinLabels::IsPadName(const CString& label) {
  for (const char c : label.str()) {
    if (c < '0' || c > '9') return true;
  }
  return false;
}

CString CPinLabels::Text(int pin) const {
  if (pin == CGate::kNoPin) return {};
  if (m_tables == nullptr) return CString(std::to_string(pin));
  const auto named = m_tables->names.find(pin);
  if (named != m_tables->names.end()) return named->second;
  return CString(std::to_string(pin));
}

bool CPinLabels::Read(std::string_view text, int& pin) const {
  const std::string_view value = Trimmed(text);
  if (value.empty()) {
    pin = CGate::kNoPin;
    return true;
  }
  int number = 0;
  const char* end = value.data() + value.size();
  const auto [stop, code] = std::from_chars(value.data(), end, number);
  if (code == std::errc() && stop == end) {
    pin = number;
    return true;
  }
  if (m_tables == nullptr) return false;
  const auto named = m_tables->pins.find(Lower(value));
  if (named == m_tables->pins.end()) return false;
  pin = named->second;
  return true;
}

CString CPinLabels::Refusal(std::string_view text) const {
  CString message;
  const std::string shown(text);
  if (HasNames())
    message.Format("\"%s\" is not a pin number nor a pad name of %s", shown.c_str(),
                   m_tables->footprint.c_str());
  else
    message.Format("\"%s\" is not a pin number", shown.c_str());
  return message;
}
