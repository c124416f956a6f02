#include "host/pinout/pin_table_reader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_map>

#include "host/pinmap/pin_map_text.h"

namespace {

struct Line {
  int number = 0;
  std::string_view text;
};

// The whitespace form separates fields by blanks; its header by runs of two or more.
constexpr char kBlanks = ' ';

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

// A header's column name reduced to letters and digits in lower case.
std::string Folded(std::string_view text) {
  std::string folded;
  for (const char c : text)
    if (std::isalnum(static_cast<unsigned char>(c))) folded += static_cast<char>(std::tolower(c));
  return folded;
}

std::vector<Line> SplitLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<Line> lines;
  int number = 1;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back({number++, line});
    at = end + 1;
  }
  return lines;
}

std::vector<std::string> SplitBlanks(std::string_view text, bool header) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    if (at >= text.size()) break;
    std::size_t end = at;
    while (end < text.size()) {
      if (text[end] == '\t') break;
      if (text[end] == ' ' &&
          (!header || end + 1 >= text.size() || text[end + 1] == ' ' || text[end + 1] == '\t'))
        break;
      ++end;
    }
    fields.emplace_back(text.substr(at, end - at));
    at = end;
  }
  return fields;
}

char SeparatorOf(std::string_view line) {
  if (line.find('\t') != std::string_view::npos) return '\t';
  if (line.find(',') != std::string_view::npos) return ',';
  return kBlanks;
}

std::vector<std::string> Fields(std::string_view line, char separator, bool header) {
  if (separator == kBlanks) return SplitBlanks(line, header);
  std::vector<TextRecord> records = SplitSeparatedText(line, separator);
  std::vector<std::string> fields = records.empty() ? std::vector<std::string>{} : records.front().fields;
  for (std::string& field : fields) field = Trimmed(field);
  return fields;
}

// Where each part of a row stands; -1 for a column the table lacks.
struct ColumnPlan {
  PinTableLayout layout = PinTableLayout::Detect;
  int name = -1;
  int bank = -1;
  int unit = -1;
  int type = -1;
  std::vector<int> balls;  // one per package
  std::vector<std::string> packages;
  bool dashIsAbsent = false;
};

bool IsOneOf(const std::string& folded, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* name) { return folded == name; });
}

bool PlanXilinx(const std::vector<std::string>& header, ColumnPlan& plan) {
  if (header.size() < 3 || Folded(header[0]) != "pin" || Folded(header[1]) != "pinname") return false;
  plan = {PinTableLayout::Xilinx, 1, -1, -1, -1, {0}, {}, false};
  for (std::size_t i = 2; i < header.size(); ++i)
    if (Folded(header[i]) == "bank") plan.bank = static_cast<int>(i);
  return plan.bank >= 0;
}

bool PlanLattice(const std::vector<std::string>& header, ColumnPlan& plan) {
  if (header.size() < 3 || !IsOneOf(Folded(header[0]), {"pad", "padn"}) ||
      Folded(header[1]) != "pinballfunction")
    return false;
  plan = {PinTableLayout::Lattice, 1, -1, -1, -1, {}, {}, true};
  for (std::size_t i = 2; i < header.size(); ++i) {
    const std::string folded = Folded(header[i]);
    if (folded == "bank") {
      plan.bank = static_cast<int>(i);
    } else if (!folded.empty() && !IsOneOf(folded, {"custname", "dualfunction", "differential", "highspeed",
                                                    "dqs", "lvds", "pio", "pclk"})) {
      plan.balls.push_back(static_cast<int>(i));
      plan.packages.push_back(header[i]);
    }
  }
  return !plan.balls.empty();
}

bool PlanGeneric(const std::vector<std::string>& header, ColumnPlan& plan) {
  plan = {PinTableLayout::Generic, -1, -1, -1, -1, {}, {}, true};
  int ball = -1;
  std::vector<int> others;
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string folded = Folded(header[i]);
    const int at = static_cast<int>(i);
    if (IsOneOf(folded, {"pin", "ball", "pinnumber", "ballnumber", "number", "pad", "padnumber", "pinno"}))
      ball = at;
    else if (IsOneOf(folded,
                     {"name", "pinname", "ballname", "signal", "signalname", "function", "pinfunction"}))
      plan.name = at;
    else if (IsOneOf(folded, {"bank", "iobank"}))
      plan.bank = at;
    else if (IsOneOf(folded, {"unit", "gate", "part"}))
      plan.unit = at;
    else if (IsOneOf(folded, {"type", "electricaltype", "pintype", "direction"}))
      plan.type = at;
    else if (!folded.empty())
      others.push_back(at);
  }
  if (plan.name < 0) return false;
  if (ball >= 0) {
    plan.balls = {ball};
    plan.dashIsAbsent = false;
    return true;
  }
  for (const int column : others) {
    plan.balls.push_back(column);
    plan.packages.push_back(header[static_cast<std::size_t>(column)]);
  }
  return !plan.balls.empty();
}

bool Plan(const std::vector<std::string>& header, PinTableLayout layout, ColumnPlan& plan) {
  const bool any = layout == PinTableLayout::Detect;
  if ((any || layout == PinTableLayout::Xilinx) && PlanXilinx(header, plan)) return true;
  if ((any || layout == PinTableLayout::Lattice) && PlanLattice(header, plan)) return true;
  return (any || layout == PinTableLayout::Generic) && PlanGeneric(header, plan);
}

// The package of a single-package table: named by its title line "Device/Package NAME",
// else by the file.
std::string SinglePackage(const std::vector<Line>& lines, std::size_t header, const CString& source) {
  for (std::size_t i = 0; i < header; ++i) {
    const std::string title = Trimmed(lines[i].text);
    if (!title.starts_with("Device/Package")) continue;
    const std::vector<std::string> words = SplitBlanks(title.substr(14), false);
    if (!words.empty()) {
      std::string name = words.front();
      name = name.substr(0, name.find(','));
      if (!name.empty()) return name;
    }
  }
  return std::filesystem::path(source.str()).stem().string();
}

class RowReader {
 public:
  RowReader(const CString& source, const ColumnPlan& plan, std::size_t width, PinTable& table, CString& error)
      : m_source(source),
        m_plan(plan),
        m_width(width),
        m_table(table),
        m_error(error),
        m_seen(plan.balls.size()) {}

  bool Read(const Line& line, std::vector<std::string> fields) {
    while (fields.size() > m_width && fields.back().empty()) fields.pop_back();
    if (fields.size() != m_width) {
      return Refuse(line.number, "the row has " + std::to_string(fields.size()) + " fields, the header " +
                                     std::to_string(m_width));
    }
    PinTableRow row;
    row.line = line.number;
    row.name = fields[static_cast<std::size_t>(m_plan.name)];
    if (row.name.empty()) return Refuse(line.number, "the pin name is empty");
    row.bank = Group(fields, m_plan.bank);
    row.unit = Group(fields, m_plan.unit);
    if (m_plan.type >= 0) row.type = fields[static_cast<std::size_t>(m_plan.type)];
    for (std::size_t p = 0; p < m_plan.balls.size(); ++p) {
      std::string ball = fields[static_cast<std::size_t>(m_plan.balls[p])];
      if (ball.empty()) return Refuse(line.number, "the ball of " + row.name + " is empty" + InPackage(p));
      if (m_plan.dashIsAbsent && ball == "-") ball.clear();
      if (!ball.empty() && !Claim(ball, p, line.number)) return false;
      row.balls.push_back(std::move(ball));
    }
    m_table.rows.push_back(std::move(row));
    return true;
  }

  bool Refuse(int line, const std::string& problem) {
    m_error.Format("Cannot read \"%s\" at line %d: %s.", m_source.c_str(), line, problem.c_str());
    return false;
  }

 private:
  static std::string Group(const std::vector<std::string>& fields, int column) {
    if (column < 0) return {};
    const std::string& value = fields[static_cast<std::size_t>(column)];
    return value == "NA" || value == "-" || value == "N/A" ? std::string() : value;
  }

  std::string InPackage(std::size_t package) const {
    return m_table.packages.size() > 1 ? " in package " + m_table.packages[package] : std::string();
  }

  bool Claim(const std::string& ball, std::size_t package, int line) {
    std::string key = ball;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto [at, fresh] = m_seen[package].emplace(std::move(key), line);
    if (fresh) return true;
    return Refuse(line, "ball " + ball + " is given twice" + InPackage(package) + " (first at line " +
                            std::to_string(at->second) + ")");
  }

  const CString& m_source;
  const ColumnPlan& m_plan;
  std::size_t m_width;
  PinTable& m_table;
  CString& m_error;
  std::vector<std::unordered_map<std::string, int>> m_seen;
};

bool IsEnd(std::string_view line) {
  return Trimmed(line).starts_with("Total Number of Pins");
}

bool ReadRows(const std::vector<Line>& lines, std::size_t header, char separator, const CString& source,
              const ColumnPlan& plan, std::size_t width, PinTable& table, CString& error) {
  RowReader reader(source, plan, width, table, error);
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (Trimmed(line.text).empty()) continue;
    if (IsEnd(line.text)) break;
    if (!reader.Read(line, Fields(line.text, separator, false))) return false;
  }
  if (!table.rows.empty()) return true;
  return reader.Refuse(lines[header].number, "the table has no rows");
}

void KeepPlan(const ColumnPlan& plan, const std::vector<std::string>& header, int line, PinTable& table) {
  table.layout = plan.layout;
  table.headerLine = line;
  table.columns = header;
  table.packages = plan.packages;
  table.hasBanks = plan.bank >= 0;
  table.hasUnits = plan.unit >= 0;
  table.hasTypes = plan.type >= 0;
}

}  // namespace

const char* PinTableLayoutName(PinTableLayout layout) {
  switch (layout) {
    case PinTableLayout::Xilinx:
      return "xilinx";
    case PinTableLayout::Lattice:
      return "lattice";
    case PinTableLayout::Generic:
      return "generic";
    case PinTableLayout::Detect:
      break;
  }
  return "detect";
}

bool ReadPinTableLayout(const std::string& word, PinTableLayout& layout) {
  for (const PinTableLayout each :
       {PinTableLayout::Detect, PinTableLayout::Xilinx, PinTableLayout::Lattice, PinTableLayout::Generic}) {
    if (word != PinTableLayoutName(each)) continue;
    layout = each;
    return true;
  }
  return false;
}

bool CPinTableReader::Read(std::string_view text, const CString& source, PinTableLayout layout,
                           PinTable& table, CString& error) {
  table = PinTable();
  const std::vector<Line> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (Trimmed(lines[i].text).empty()) continue;
    const char separator = SeparatorOf(lines[i].text);
    std::vector<std::string> header = Fields(lines[i].text, separator, true);
    while (!header.empty() && header.back().empty()) header.pop_back();
    ColumnPlan plan;
    if (!Plan(header, layout, plan)) continue;
    if (plan.packages.empty()) plan.packages = {SinglePackage(lines, i, source)};
    KeepPlan(plan, header, lines[i].number, table);
    if (ReadRows(lines, i, separator, source, plan, header.size(), table, error)) return true;
    table = PinTable();
    return false;
  }
  const std::string wanted = layout == PinTableLayout::Detect
                                 ? std::string("a pin table")
                                 : std::string("a table of the ") + PinTableLayoutName(layout) + " layout";
  error.Format(
      "Cannot read \"%s\": no line reads as the header of %s (columns for the pin or ball and its name).",
      source.c_str(), wanted.c_str());
  return false;
}

bool CPinTableReader::Load(const CString& path, PinTableLayout layout, PinTable& table, CString& error) {
  std::ifstream stream(path.str(), std::ios::binary);
  std::ostringstream text;
  if (!stream) {
    error.Format("Cannot read \"%s\": the file cannot be opened.", path.c_str());
    return false;
  }
  if (stream.peek() != std::ifstream::traits_type::eof()) text << stream.rdbuf();
  return Read(text.str(), path, layout, table, error);
}
