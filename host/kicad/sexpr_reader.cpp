#include "host/kicad/sexpr_reader.h"

#include <array>
#include <cstring>

namespace {

constexpr int64_t kMaxUnits = 100000000;  // 10 m
constexpr int kUnitsPerMillimetre = 10000;

// Character classes by table: the scanner looks at every byte of a file.
constexpr unsigned char kBlank = 1;
constexpr unsigned char kEndsAtom = 2;
constexpr unsigned char kSkipStops = 4;  // what a skip over a list must look at

constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> classes{};
  for (const unsigned char c : {' ', '\n', '\t', '\r'}) classes[c] = kBlank | kEndsAtom;
  for (const unsigned char c : {'(', ')', '"'}) classes[c] = kEndsAtom | kSkipStops;
  classes[static_cast<unsigned char>('\n')] |= kSkipStops;
  return classes;
}
constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

bool IsBlank(char c) {
  return (kClasses[static_cast<unsigned char>(c)] & kBlank) != 0;
}

bool EndsAtom(char c) {
  return (kClasses[static_cast<unsigned char>(c)] & kEndsAtom) != 0;
}

bool IsSkipStop(char c) {
  return (kClasses[static_cast<unsigned char>(c)] & kSkipStops) != 0;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

void CSexprReader::SkipBlanks() {
  while (m_pos < m_text.size()) {
    const char c = m_text[m_pos];
    if (c == '\n') {
      ++m_line;
    } else if (!IsBlank(c)) {
      return;
    }
    ++m_pos;
  }
}

SexprToken CSexprReader::Next() {
  if (m_failed) return {SexprTokenKind::End, {}, m_line, false};
  if (m_peeked) {
    m_peeked = false;
    m_pos = m_afterPeek.pos;
    m_line = m_afterPeek.line;
    m_depth = m_afterPeek.depth;
    return m_peekedToken;
  }
  SkipBlanks();
  if (m_pos >= m_text.size()) return {SexprTokenKind::End, {}, m_line, false};
  const char c = m_text[m_pos];
  if (c == '(') {
    ++m_pos;
    ++m_depth;
    return {SexprTokenKind::Open, m_text.substr(m_pos - 1, 1), m_line, false};
  }
  if (c == ')') {
    ++m_pos;
    if (m_depth == 0) {
      SyntaxError(m_line, "a ')' closes no list");
      return {SexprTokenKind::End, {}, m_line, false};
    }
    --m_depth;
    return {SexprTokenKind::Close, m_text.substr(m_pos - 1, 1), m_line, false};
  }
  if (c == '"') return ReadString();
  return ReadAtom();
}

SexprToken CSexprReader::ReadString() {
  const int startLine = m_line;
  const size_t start = ++m_pos;
  bool escaped = false;
  while (m_pos < m_text.size()) {
    const char c = m_text[m_pos];
    if (c == '"') {
      ++m_pos;
      return {SexprTokenKind::String, m_text.substr(start, m_pos - 1 - start), startLine, escaped};
    }
    if (c == '\\') {
      escaped = true;
      ++m_pos;
      if (m_pos < m_text.size() && m_text[m_pos] == '\n') ++m_line;
    } else if (c == '\n') {
      ++m_line;
    }
    ++m_pos;
  }
  SyntaxError(startLine, "a string is not closed before the end of the file");
  return {SexprTokenKind::End, {}, m_line, false};
}

SexprToken CSexprReader::ReadAtom() {
  const size_t start = m_pos;
  while (m_pos < m_text.size() && !EndsAtom(m_text[m_pos])) ++m_pos;
  return {SexprTokenKind::Atom, m_text.substr(start, m_pos - start), m_line, false};
}

SexprToken CSexprReader::Peek() {
  if (m_peeked) return m_peekedToken;
  const size_t pos = m_pos;
  const int line = m_line;
  const int depth = m_depth;
  m_peekedToken = Next();
  if (m_syntaxFailed) return m_peekedToken;
  // The token is kept with the state after it, so that the Next that takes it costs
  // no second scan.
  m_peeked = true;
  m_afterPeek = {m_pos, m_line, m_depth};
  m_pos = pos;
  m_line = line;
  m_depth = depth;
  return m_peekedToken;
}

void CSexprReader::SkipToDepth(int depth) {
  m_peeked = false;
  // A tight scan: brackets, strings and line ends are all that matter here.
  while (m_depth >= depth && !m_syntaxFailed) {
    if (m_pos >= m_text.size()) {
      SyntaxError(m_line, "the file ends inside a list");
      return;
    }
    const char c = m_text[m_pos];
    if (!IsSkipStop(c)) {
      ++m_pos;
      continue;
    }
    if (c == '"') {
      ReadString();
      continue;
    }
    ++m_pos;
    if (c == '(') {
      ++m_depth;
    } else if (c == ')') {
      --m_depth;
    } else if (c == '\n') {
      ++m_line;
    }
  }
}

bool CSexprReader::Fail(int line, std::string what) {
  if (m_failed) return false;
  m_failed = true;
  m_failureLine = line;
  m_failure = std::move(what);
  return false;
}

bool CSexprReader::SyntaxError(int line, std::string what) {
  if (m_syntaxFailed) return false;
  m_failed = false;
  Fail(line, std::move(what));
  m_syntaxFailed = true;
  return false;
}

void CSexprReader::ClearContentFailure() {
  if (m_syntaxFailed) return;
  m_failed = false;
  m_failure.clear();
  m_failureLine = 0;
}

bool CSexprReader::OpenList(std::string_view& keyword) {
  const SexprToken open = Next();
  if (open.kind != SexprTokenKind::Open) {
    if (open.kind == SexprTokenKind::End && m_failed) return false;
    if (open.kind == SexprTokenKind::End && m_depth > 0)
      return SyntaxError(open.line, "the file ends inside a list");
    return Fail(open.line, "a list was expected");
  }
  const SexprToken word = Next();
  if (word.kind != SexprTokenKind::Atom) {
    if (word.kind == SexprTokenKind::End && !m_failed)
      return SyntaxError(word.line, "the file ends inside a list");
    return Fail(word.line, "a list does not begin with a keyword");
  }
  keyword = word.text;
  return true;
}

bool CSexprReader::ExpectClose() {
  const SexprToken token = Next();
  if (token.kind == SexprTokenKind::Close) return true;
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(token.line, "the file ends inside a list");
    return false;
  }
  return Fail(token.line, "unexpected \"" + std::string(token.text) + "\" before the end of a list");
}

bool CSexprReader::ReadText(std::string& text) {
  const SexprToken token = Next();
  if (token.kind == SexprTokenKind::Atom || token.kind == SexprTokenKind::String) {
    text = token.escaped ? Unescape(token.text) : std::string(token.text);
    return true;
  }
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(token.line, "the file ends inside a list");
    return false;
  }
  return Fail(token.line, "a text was expected");
}

bool CSexprReader::ReadLength(int& units) {
  const SexprToken token = Next();
  if (token.kind == SexprTokenKind::Atom && ParseLength(token.text, units)) return true;
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(token.line, "the file ends inside a list");
    return false;
  }
  return Fail(token.line, "\"" + std::string(token.text) + "\" is not a length in millimetres");
}

bool CSexprReader::ReadInteger(int64_t& value) {
  const SexprToken token = Next();
  if (token.kind == SexprTokenKind::Atom && ParseWhole(token.text, value)) return true;
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(token.line, "the file ends inside a list");
    return false;
  }
  return Fail(token.line, "\"" + std::string(token.text) + "\" is not a number");
}

std::string CSexprReader::Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
  }
  return out;
}

bool CSexprReader::ParseLength(std::string_view text, int& units) {
  const bool negative = !text.empty() && text[0] == '-';
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  int64_t value = 0;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
    value = value * 10 + (text[i] - '0');
    if (value > kMaxUnits) return false;
  }
  value *= kUnitsPerMillimetre;
  if (i < text.size() && text[i] == '.') {
    int64_t scale = kUnitsPerMillimetre / 10;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
      const int digit = text[i] - '0';
      if (scale > 0) {
        value += digit * scale;
        scale /= 10;
      } else if (scale == 0) {
        // The first digit past the design unit rounds it.
        if (digit >= 5) ++value;
        scale = -1;
      }
    }
  }
  if (digits == 0 || i != text.size() || value > kMaxUnits) return false;
  units = static_cast<int>(negative ? -value : value);
  return true;
}

// Up to 12 digits with an optional fraction, rounded half away from zero: versions are
// dates, angles are small.
bool CSexprReader::ParseWhole(std::string_view text, int64_t& value) {
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  const bool negative = i == 1 && text[0] == '-';
  int64_t whole = 0;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
    if (digits == 12) return false;
    whole = whole * 10 + (text[i] - '0');
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (i < text.size() && IsDigit(text[i]) && text[i] >= '5') ++whole;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  if (digits == 0 || i != text.size()) return false;
  value = negative ? -whole : whole;
  return true;
}
