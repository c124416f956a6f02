// CSexprReader: a tokeniser for the S-expression files of the field's symbol and
// footprint libraries. It works on the file's text in place: tokens are views into it,
// and lists a reader does not need are skipped by counting brackets, without tokens.
// Lines are counted only when asked for, from the last place counted: most reads never
// report one. The first syntax or content problem is kept with its line; every read
// after it fails.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class SexprTokenKind { Open, Close, Atom, String, End };

struct SexprToken {
  SexprTokenKind kind = SexprTokenKind::End;
  // An atom's text, or a string's text between its quotes, escapes still in place.
  std::string_view text;
  int line = 0;
  bool escaped = false;
};

namespace sexpr_detail {
// Character classes by table, as the scanner looks at every byte of a file: 1 for a
// blank, 2 for the other bytes that end an atom.
constexpr std::array<unsigned char, 256> kClasses = [] {
  std::array<unsigned char, 256> classes{};
  for (const unsigned char c : {' ', '\n', '\t', '\r'}) classes[c] = 1;
  for (const unsigned char c : {'(', ')', '"'}) classes[c] = 2;
  return classes;
}();

constexpr int64_t kMaxUnits = 100000000;  // 10 m
constexpr int kUnitsPerMillimetre = 10000;
// Whole millimetres of this many digits still fit when turned into design units.
constexpr ptrdiff_t kMaxWholeDigits = 12;

// A digit's value, 10 or more for any other byte.
inline unsigned DigitOf(char c) {
  return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0';
}

}  // namespace sexpr_detail

class CSexprReader {
 public:
  explicit CSexprReader(std::string_view text) : m_text(text) {}
  // A piece of a file that begins on line `firstLine`, so that messages name the file's
  // lines.
  CSexprReader(std::string_view text, int firstLine) : m_text(text), m_countedLine(firstLine) {}

  // The next token; End at the end of the text or after a failure.
  SexprToken Next();
  // The next token without taking it.
  SexprToken Peek();
  // As Next and Peek, without the token's line (0), for readers that ask for a line
  // only to report a problem.
  SexprToken Take();
  inline SexprTokenKind PeekKind();
  // The usual step of a reader's loop: when the next token opens a list, takes the '('
  // and the list's keyword at once and gives Open with `keyword` set. Otherwise gives the
  // next token's kind, not taken, with `keyword` empty: for an Open that has no plain
  // keyword, OpenList then reports what is wrong.
  inline SexprTokenKind NextList(std::string_view& keyword);
  // Consumes tokens up to and including the ')' that closes the list open at `depth`
  // (Depth() just after its '(' was read).
  void SkipToDepth(int depth);
  // Lists open at the current position.
  int Depth() const { return m_depth; }
  int Line() { return LineAt(m_pos); }
  // The line of the byte at `offset`.
  int LineAt(size_t offset);
  // The byte just after the last token taken, or at the start of the next one once it
  // was peeked at.
  size_t Offset() const { return m_pos; }
  // The offset of the '(' of the list opened last.
  size_t ListOffset() const { return m_listOffset; }

  // Records the first problem; always false, so that readers can return it.
  bool Fail(int line, std::string what);
  bool Failed() const { return m_failed; }
  int FailureLine() const { return m_failureLine; }
  const std::string& Failure() const { return m_failure; }
  // Syntax problems end the file; a content problem can be forgiven once its item is
  // skipped.
  bool SyntaxFailed() const { return m_syntaxFailed; }
  void ClearContentFailure();

  // --- typed reads of the next token; each fails with a located message

  // '(' then the list's keyword.
  inline bool OpenList(std::string_view& keyword);
  inline bool ExpectClose();
  // The usual cases taken without a failure when they do not come next: an atom or a
  // string (escapes in place), the ')' of the list open.
  inline bool TakeWord(SexprToken& token);
  inline bool TakeClose();
  // An atom or a string, escapes resolved.
  bool ReadText(std::string& text);
  // An atom or a string as its token, escapes still in place.
  bool ReadText(SexprToken& token);
  // A number in millimetres as whole design units of 0.1 um (y as written).
  inline bool ReadLength(int& units);
  // A number as written, rounded to whole units of its own (degrees, versions).
  bool ReadInteger(int64_t& value);

  // A string's text with \" \\ \n escapes resolved.
  static std::string Unescape(std::string_view text);
  // Parses millimetres into design units; false when `text` is no decimal number or is
  // out of range.
  static bool ParseLength(std::string_view text, int& units);
  // A whole number of up to 12 digits; a fraction is rounded half away from zero.
  static bool ParseWhole(std::string_view text, int64_t& value);

 private:
  static bool IsBlank(char c) { return (sexpr_detail::kClasses[static_cast<unsigned char>(c)] & 1) != 0; }
  static bool EndsAtom(char c) { return sexpr_detail::kClasses[static_cast<unsigned char>(c)] != 0; }

  // The small steps every item takes are inline; the general ways are not.
  inline void SkipBlanks();
  SexprToken ReadString();
  SexprToken ReadAtom();
  inline bool TakeOpenAndKeyword(std::string_view& keyword);
  // The keyword after the '(' at m_pos; false, nothing taken, when there is none.
  inline bool TakeKeywordAfterOpen(std::string_view& keyword);
  bool OpenListSlowly(std::string_view& keyword);
  bool ReadLengthSlowly(int& units);
  // Parses millimetres into design units at the start of [p, end). Where the number
  // ends, or null when there is none or it is out of range.
  static const char* ParseLengthPrefix(const char* p, const char* end, int& units);
  bool ExpectCloseSlowly();
  bool SyntaxError(int line, std::string what);
  // The line a token taken begins on; the end's for End.
  int LineOf(const SexprToken& token);
  bool EndsInsideList(const SexprToken& token);

  std::string_view m_text;
  bool m_peeked = false;
  SexprToken m_peekedToken;
  size_t m_posAfterPeek = 0;
  int m_depthAfterPeek = 0;
  size_t m_pos = 0;
  int m_depth = 0;
  size_t m_listOffset = 0;
  // The line of the byte at m_countedTo, where counting resumes.
  size_t m_countedTo = 0;
  int m_countedLine = 1;
  bool m_failed = false;
  bool m_syntaxFailed = false;
  int m_failureLine = 0;
  std::string m_failure;
};

// The scanners work on locals: through members every step would load the position and
// the text's bounds again.
void CSexprReader::SkipBlanks() {
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  size_t pos = m_pos;
  while (pos < size && IsBlank(text[pos])) ++pos;
  m_pos = pos;
}

SexprTokenKind CSexprReader::PeekKind() {
  if (m_peeked) return m_peekedToken.kind;
  if (m_failed) return SexprTokenKind::End;
  SkipBlanks();
  if (m_pos >= m_text.size()) return SexprTokenKind::End;
  switch (m_text[m_pos]) {
    case '(':
      return SexprTokenKind::Open;
    case ')':
      return SexprTokenKind::Close;
    case '"':
      return SexprTokenKind::String;
    default:
      return SexprTokenKind::Atom;
  }
}

bool CSexprReader::TakeKeywordAfterOpen(std::string_view& keyword) {
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  size_t pos = m_pos + 1;
  while (pos < size && IsBlank(text[pos])) ++pos;
  const size_t start = pos;
  while (pos < size && !EndsAtom(text[pos])) ++pos;
  if (pos == start) return false;
  keyword = std::string_view(text + start, pos - start);
  m_listOffset = m_pos;
  m_pos = pos;
  ++m_depth;
  return true;
}

// The usual case, a '(' and its keyword, without making tokens; false leaves the
// position as it was for the general way.
bool CSexprReader::TakeOpenAndKeyword(std::string_view& keyword) {
  if (m_peeked || m_failed) return false;
  SkipBlanks();
  if (m_pos >= m_text.size() || m_text[m_pos] != '(') return false;
  return TakeKeywordAfterOpen(keyword);
}

SexprTokenKind CSexprReader::NextList(std::string_view& keyword) {
  keyword = {};
  if (m_peeked || m_failed) return PeekKind();
  SkipBlanks();
  if (m_pos >= m_text.size()) return SexprTokenKind::End;
  switch (m_text[m_pos]) {
    case '(':
      TakeKeywordAfterOpen(keyword);
      return SexprTokenKind::Open;
    case ')':
      return SexprTokenKind::Close;
    case '"':
      return SexprTokenKind::String;
    default:
      return SexprTokenKind::Atom;
  }
}

bool CSexprReader::OpenList(std::string_view& keyword) {
  return TakeOpenAndKeyword(keyword) || OpenListSlowly(keyword);
}

bool CSexprReader::TakeClose() {
  if (m_peeked && m_peekedToken.kind == SexprTokenKind::Close) return Take().kind == SexprTokenKind::Close;
  if (m_peeked || m_failed || m_depth == 0) return false;
  SkipBlanks();
  if (m_pos >= m_text.size() || m_text[m_pos] != ')') return false;
  ++m_pos;
  --m_depth;
  return true;
}

bool CSexprReader::ExpectClose() {
  return TakeClose() || ExpectCloseSlowly();
}

bool CSexprReader::TakeWord(SexprToken& token) {
  if (m_peeked || m_failed) {
    const SexprTokenKind kind = PeekKind();
    if (kind != SexprTokenKind::Atom && kind != SexprTokenKind::String) return false;
    token = Take();
    return true;
  }
  SkipBlanks();
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  if (m_pos >= size) return false;
  const char c = text[m_pos];
  if (c == '(' || c == ')') return false;
  if (c == '"') {
    token = ReadString();
    return token.kind == SexprTokenKind::String;
  }
  size_t pos = m_pos;
  while (pos < size && !EndsAtom(text[pos])) ++pos;
  token = {SexprTokenKind::Atom, std::string_view(text + m_pos, pos - m_pos), 0, false};
  m_pos = pos;
  return true;
}

bool CSexprReader::ReadLength(int& units) {
  if (!m_peeked && !m_failed) {
    SkipBlanks();
    const char* const text = m_text.data();
    const char* const end = text + m_text.size();
    // A number parsed where it stands, in one pass.
    int parsed = 0;
    const char* const after = m_pos < m_text.size() && !EndsAtom(text[m_pos])
                                  ? ParseLengthPrefix(text + m_pos, end, parsed)
                                  : nullptr;
    if (after != nullptr && (after == end || EndsAtom(*after))) {
      m_pos = static_cast<size_t>(after - text);
      units = parsed;
      return true;
    }
  }
  return ReadLengthSlowly(units);
}
