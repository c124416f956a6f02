// CSexprReader: a tokeniser for the S-expression files of the field's symbol and
// footprint libraries. It works on the file's text in place: tokens are views into it,
// and lists a reader does not need are skipped by counting brackets, without tokens.
// Lines are counted only when asked for, from the last place counted: most reads never
// report one. The first syntax or content problem is kept with its line; every read
// after it fails.
#pragma once

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
  SexprTokenKind PeekKind();
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
  bool OpenList(std::string_view& keyword);
  bool ExpectClose();
  // An atom or a string, escapes resolved.
  bool ReadText(std::string& text);
  // A number in millimetres as whole design units of 0.1 um (y as written).
  bool ReadLength(int& units);
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
  void SkipBlanks();
  SexprToken ReadString();
  SexprToken ReadAtom();
  bool TakeOpenAndKeyword(std::string_view& keyword);
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
  // The line of the byte at m_countedTo, where counting resumes.
  size_t m_countedTo = 0;
  int m_countedLine = 1;
  bool m_failed = false;
  bool m_syntaxFailed = false;
  int m_failureLine = 0;
  std::string m_failure;
};
