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

// The scanners work on locals: through members every step would load the position and
// the text's bounds again.
void CSexprReader::SkipBlanks() {
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  size_t pos = m_pos;
  int line = m_line;
  for (; pos < size; ++pos) {
    const char c = text[pos];
    if (c == '\n') {
      ++line;
    } else if (!IsBlank(c)) {
      break;
    }
  }
  m_pos = pos;
  m_line = line;
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
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  const int startLine = m_line;
  const size_t start = m_pos + 1;
  int line = m_line;
  bool escaped = false;
  for (size_t pos = start; pos < size; ++pos) {
    const char c = text[pos];
    if (c == '"') {
      m_pos = pos + 1;
      m_line = line;
      return {SexprTokenKind::String, std::string_view(text + start, pos - start), startLine, escaped};
    }
    if (c == '\\') {
      escaped = true;
      ++pos;
      if (pos < size && text[pos] == '\n') ++line;
    } else if (c == '\n') {
      ++line;
    }
  }
  m_pos = size;
  m_line = line;
  SyntaxError(startLine, "a string is not closed before the end of the file");
  return {SexprTokenKind::End, {}, m_line, false};
}

SexprToken CSexprReader::ReadAtom() {
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  const size_t start = m_pos;
  size_t pos = start;
  while (pos < size && !EndsAtom(text[pos])) ++pos;
  m_pos = pos;
  return {SexprTokenKind::Atom, std::string_view(text + start, pos - start), m_line, false};
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
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  // A tight scan: brackets, strings and line ends are all that matter here.
  while (m_depth >= depth && !m_syntaxFailed) {
    size_t pos = m_pos;
    while (pos < size && !IsSkipStop(text[pos])) ++pos;
    m_pos = pos;
    if (pos >= size) {
      SyntaxError(m_line, "the file ends inside a list");
      return;
    }
    const char c = text[pos];
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

// Four places of the fraction are design units; the fifth rounds the last of them.
bool CSexprReader::ParseLength(std::string_view text, int& units) {
  static_assert(kUnitsPerMillimetre == 10000, "the fraction's places below are of 0.1 um");
  static constexpr std::array<int64_t, 4> kPlaces = {1000, 100, 10, 1};
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  const char* const whole = p;
  int64_t value = 0;
  for (; p != end && IsDigit(*p); ++p) {
    value = value * 10 + (*p - '0');
    if (value > kMaxUnits) return false;
  }
  bool anyDigit = p != whole;
  value *= kUnitsPerMillimetre;
  if (p != end && *p == '.') {
    const char* const fraction = ++p;
    for (; p != end && IsDigit(*p); ++p) {
      const auto place = static_cast<size_t>(p - fraction);
      if (place < kPlaces.size()) {
        value += (*p - '0') * kPlaces[place];
      } else if (place == kPlaces.size() && *p >= '5') {
        ++value;
      }
    }
    anyDigit = anyDigit || p != fraction;
  }
  if (!anyDigit || p != end || value > kMaxUnits) return false;
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
