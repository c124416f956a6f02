#include "host/pinmap/pin_map_text.h"

#include <charconv>
#include <climits>

#include "host/model/gate.h"
#include "host/model/gate_names.h"

namespace {

constexpr int kLeadingColumns = 3;

char SeparatorChar(PinMapSeparator separator) {
  return separator == PinMapSeparator::Tab ? '\t' : ',';
}

std::string Quoted(const std::string& field, char separator) {
  if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string PinText(const PinMapTable& table, std::size_t column, int pin) {
  if (column < table.labels.size()) return table.labels[column].Text(pin).str();
  return pin == -1 ? std::string() : std::to_string(pin);
}

// Reads one field from `at`, which ends on the separator, the line break or the end.
std::string ReadField(std::string_view text, std::size_t& at, char separator, int& line) {
  std::string field;
  if (at >= text.size() || text[at] != '"') {
    while (at < text.size() && text[at] != separator && text[at] != '\n' && text[at] != '\r')
      field += text[at++];
    return field;
  }
  ++at;
  while (at < text.size()) {
    const char c = text[at++];
    if (c == '"' && at < text.size() && text[at] == '"') {
      field += '"';
      ++at;
    } else if (c == '"') {
      break;
    } else {
      if (c == '\n') ++line;
      field += c;
    }
  }
  while (at < text.size() && text[at] != separator && text[at] != '\n' && text[at] != '\r')
    field += text[at++];
  return field;
}

bool IsBlank(const TextRecord& record) {
  for (const std::string& field : record.fields)
    if (!field.empty()) return false;
  return true;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool ReadWhole(const std::string& text, int& value) {
  const std::string trimmed = Trimmed(text);
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  if (first != last && *first == '+') ++first;
  const auto [end, code] = std::from_chars(first, last, value);
  return code == std::errc() && end == last && first != last;
}

class TableReader {
 public:
  TableReader(const CString& source, PinMapTable& table, CString& error, const PinLabelsOf& labelsOf)
      : m_source(source), m_table(table), m_error(error), m_labelsOf(labelsOf) {}

  bool ReadHeader(const TextRecord& record) {
    static const char* const kLeading[kLeadingColumns] = {"Gate", "Terminal", "Name"};
    bool headed = record.fields.size() >= kLeadingColumns;
    for (int column = 0; headed && column < kLeadingColumns; ++column)
      headed = CString(Trimmed(record.fields[column])).CompareNoCase(kLeading[column]) == 0;
    if (!headed)
      return Refuse(record.line, 0,
                    "the header \"Gate, Terminal, Name\" followed by the package names is missing");
    for (std::size_t column = kLeadingColumns; column < record.fields.size(); ++column) {
      const std::string package = Trimmed(record.fields[column]);
      if (package.empty())
        return Refuse(record.line, static_cast<int>(column) + 1, "the package name is empty");
      for (const CString& earlier : m_table.packages) {
        if (earlier.CompareNoCase(package.c_str()) == 0)
          return Refuse(record.line, static_cast<int>(column) + 1,
                        "the package \"" + package + "\" is named twice");
      }
      m_table.packages.emplace_back(package);
      m_table.labels.push_back(m_labelsOf ? m_labelsOf(m_table.packages.back()) : CPinLabels());
    }
    return true;
  }

  bool ReadRow(const TextRecord& record) {
    const std::size_t width = kLeadingColumns + m_table.packages.size();
    if (record.fields.size() > width)
      return Refuse(record.line, static_cast<int>(width) + 1, "the row has more fields than the header");
    std::vector<std::string> fields = record.fields;
    fields.resize(width);
    PinMapRow row;
    row.line = record.line;
    if (!ReadGate(Trimmed(fields[0]), row)) return false;
    if (!ReadTerminal(Trimmed(fields[1]), row)) return false;
    row.name = fields[2];
    for (std::size_t column = kLeadingColumns; column < width; ++column) {
      int pin = -1;
      const CPinLabels& labels = m_table.labels[column - kLeadingColumns];
      if (!Trimmed(fields[column]).empty() && !ReadWhole(fields[column], pin) &&
          !(labels.HasNames() && labels.Read(fields[column], pin)))
        return Refuse(row.line, static_cast<int>(column) + 1, labels.Refusal(fields[column]).str());
      row.pins.push_back(pin);
    }
    m_table.rows.push_back(std::move(row));
    return true;
  }

 private:
  bool ReadGate(const std::string& text, PinMapRow& row) {
    if (text.empty()) return true;
    row.gate = GateId(text.c_str());
    if (row.gate < 0 || row.gate > 0x7FFF) return Refuse(row.line, 1, "\"" + text + "\" is not a gate name");
    return true;
  }

  bool ReadTerminal(const std::string& text, PinMapRow& row) {
    if (text.empty()) return true;
    if (!ReadWhole(text, row.terminal) || row.terminal < 1 || row.terminal > CGate::kMaxPins)
      return Refuse(row.line, 2, "\"" + text + "\" is not a terminal number");
    return true;
  }

  bool Refuse(int line, int column, const std::string& problem) {
    if (column > 0)
      m_error.Format("Cannot read \"%s\" at line %d, column %d: %s.", m_source.c_str(), line, column,
                     problem.c_str());
    else
      m_error.Format("Cannot read \"%s\" at line %d: %s.", m_source.c_str(), line, problem.c_str());
    return false;
  }

  const CString& m_source;
  PinMapTable& m_table;
  CString& m_error;
  const PinLabelsOf& m_labelsOf;
};

}  // namespace

std::vector<TextRecord> SplitSeparatedText(std::string_view text, char separator) {
  std::vector<TextRecord> records;
  std::size_t at = 0;
  int line = 1;
  while (at < text.size()) {
    TextRecord record;
    record.line = line;
    for (;;) {
      record.fields.push_back(ReadField(text, at, separator, line));
      if (at >= text.size() || text[at] != separator) break;
      ++at;
    }
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    ++line;
    records.push_back(std::move(record));
  }
  return records;
}

std::string JoinSeparatedFields(const std::vector<std::string>& fields, char separator) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += separator;
    line += Quoted(fields[i], separator);
  }
  return line;
}

std::string FormatPinMap(const PinMapTable& table, PinMapSeparator separator) {
  const char sep = SeparatorChar(separator);
  std::vector<std::string> header = {"Gate", "Terminal", "Name"};
  for (const CString& package : table.packages) header.push_back(package.str());
  std::string text = JoinSeparatedFields(header, sep) + "\n";
  for (const PinMapRow& row : table.rows) {
    std::vector<std::string> fields = {GateString(row.gate).str(), std::to_string(row.terminal),
                                       row.name.str()};
    for (std::size_t column = 0; column < row.pins.size(); ++column)
      fields.push_back(PinText(table, column, row.pins[column]));
    text += JoinSeparatedFields(fields, sep) + "\n";
  }
  return text;
}

bool ParsePinMap(std::string_view text, const CString& source, PinMapTable& table, CString& error,
                 const PinLabelsOf& labelsOf) {
  table = PinMapTable();
  // Spreadsheets save "CSV UTF-8" with a byte-order mark in front of the header.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  const std::size_t firstLineEnd = text.find('\n');
  const char separator = text.substr(0, firstLineEnd).find('\t') != std::string_view::npos ? '\t' : ',';
  std::vector<TextRecord> records = SplitSeparatedText(text, separator);
  std::erase_if(records, IsBlank);
  TableReader reader(source, table, error, labelsOf);
  const int headerLine = records.empty() ? 1 : records.front().line;
  bool ok = !records.empty() && reader.ReadHeader(records.front());
  if (records.empty())
    error.Format(
        "Cannot read \"%s\" at line %d: the header \"Gate, Terminal, Name\" followed by the package names is "
        "missing.",
        source.c_str(), headerLine);
  for (std::size_t i = 1; ok && i < records.size(); ++i) ok = reader.ReadRow(records[i]);
  if (!ok) table = PinMapTable();
  return ok;
}
