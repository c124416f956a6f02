#include "host/kicad/sexpr_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// What a skip over a list must look at.
constexpr std::array<bool, 256> kSkipStops = [] {
  std::array<bool, 256> stops{};
  for (const unsigned char c : {'(', ')', '"'}) stops[c] = true;
  return stops;
}();

bool IsSkipStop(char c) {
  return kSkipStops[static_cast<unsigned char>(c)];
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Skipped lists and strings (texts, properties, identifiers) make up much of a library:
// they are scanned a block of bytes at a time, with the processor's vector compares
// where it has them.
#if defined(__SSE2__)
constexpr size_t kBlock = 16;

// The '(', ')' and '"' among the next 16 bytes, one bit per byte, the first byte lowest.
uint32_t BlockStops(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // '(' and ')' differ in the lowest bit only.
  const __m128i bracket = _mm_cmpeq_epi8(_mm_or_si128(bytes, _mm_set1_epi8(1)), _mm_set1_epi8(')'));
  const __m128i quote = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'));
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(bracket, quote)));
}

// The '"' and '\\' among the next 16 bytes, as BlockStops.
uint32_t BlockQuotes(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i quote = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'));
  const __m128i escape = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'));
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(quote, escape)));
}
#else
constexpr size_t kBlock = 8;

uint32_t BlockStops(const char* p) {
  uint32_t stops = 0;
  for (size_t i = 0; i < kBlock; ++i) stops |= IsSkipStop(p[i]) ? uint32_t{1} << i : 0;
  return stops;
}

uint32_t BlockQuotes(const char* p) {
  uint32_t stops = 0;
  for (size_t i = 0; i < kBlock; ++i) stops |= p[i] == '"' || p[i] == '\\' ? uint32_t{1} << i : 0;
  return stops;
}
#endif

// The '(', ')' and '"' among the next block of bytes (fewer at the end of the text), one
// bit per byte.
uint32_t SkipStopsAt(const char* p, size_t left) {
  if (left >= kBlock) return BlockStops(p);
  uint32_t stops = 0;
  for (size_t i = 0; i < left; ++i) stops |= IsSkipStop(p[i]) ? uint32_t{1} << i : 0;
  return stops;
}

// The first '"' or '\\' from `pos`, a block at a time; `size` when there is none.
size_t FindQuoteOrEscape(const char* text, size_t pos, size_t size) {
  for (; size - pos >= kBlock; pos += kBlock) {
    if (const uint32_t found = BlockQuotes(text + pos))
      return pos + static_cast<size_t>(std::countr_zero(found));
  }
  while (pos < size && text[pos] != '"' && text[pos] != '\\') ++pos;
  return pos;
}

// `text` in quotes and what is said of it. Built piece by piece: GCC 12 warns falsely
// about a sum of strings here once the optimiser inlines it (its bug 105329).
std::string Quoted(std::string_view text, std::string_view what) {
  std::string message;
  message.reserve(text.size() + what.size() + 2);
  message += '"';
  message += text;
  message += '"';
  message += what;
  return message;
}

}  // namespace

int CSexprReader::LineAt(size_t offset) {
  offset = std::min(offset, m_text.size());
  const char* const text = m_text.data();
  const size_t from = std::min(offset, m_countedTo);
  const size_t to = std::max(offset, m_countedTo);
  int lines = 0;
  for (const char* p = text + from; p < text + to; ++lines, ++p) {
    p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(text + to - p)));
    if (p == nullptr) break;
  }
  m_countedLine += offset >= m_countedTo ? lines : -lines;
  m_countedTo = offset;
  return m_countedLine;
}

int CSexprReader::LineOf(const SexprToken& token) {
  if (token.kind == SexprTokenKind::End || token.text.data() == nullptr) return LineAt(m_pos);
  return LineAt(static_cast<size_t>(token.text.data() - m_text.data()));
}

SexprToken CSexprReader::Next() {
  SexprToken token = Take();
  token.line = LineOf(token);
  return token;
}

SexprToken CSexprReader::Take() {
  if (m_failed) return {};
  if (m_peeked) {
    m_peeked = false;
    m_pos = m_posAfterPeek;
    m_depth = m_depthAfterPeek;
    return m_peekedToken;
  }
  SkipBlanks();
  if (m_pos >= m_text.size()) return {};
  const char c = m_text[m_pos];
  if (c == '(') {
    ++m_pos;
    ++m_depth;
    return {SexprTokenKind::Open, m_text.substr(m_pos - 1, 1), 0, false};
  }
  if (c == ')') {
    ++m_pos;
    if (m_depth == 0) {
      SyntaxError(LineAt(m_pos - 1), "a ')' closes no list");
      return {};
    }
    --m_depth;
    return {SexprTokenKind::Close, m_text.substr(m_pos - 1, 1), 0, false};
  }
  if (c == '"') return ReadString();
  return ReadAtom();
}

SexprToken CSexprReader::ReadString() {
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  const size_t start = m_pos + 1;
  // Most strings hold no escape: then the string ends at the first quote.
  const size_t stop = FindQuoteOrEscape(text, start, size);
  if (stop < size && text[stop] == '"') {
    m_pos = stop + 1;
    return {SexprTokenKind::String, std::string_view(text + start, stop - start), 0, false};
  }
  bool escaped = false;
  for (size_t pos = start; pos < size; ++pos) {
    const char c = text[pos];
    if (c == '"') {
      m_pos = pos + 1;
      return {SexprTokenKind::String, std::string_view(text + start, pos - start), 0, escaped};
    }
    if (c == '\\') {
      escaped = true;
      ++pos;
    }
  }
  const int line = LineAt(start - 1);
  m_pos = size;
  SyntaxError(line, "a string is not closed before the end of the file");
  return {};
}

SexprToken CSexprReader::ReadAtom() {
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  const size_t start = m_pos;
  size_t pos = start;
  while (pos < size && !EndsAtom(text[pos])) ++pos;
  m_pos = pos;
  return {SexprTokenKind::Atom, std::string_view(text + start, pos - start), 0, false};
}

SexprToken CSexprReader::Peek() {
  if (!m_peeked) {
    // Blanks are skipped for good, so that the token's line is counted forwards.
    SkipBlanks();
    const size_t pos = m_pos;
    const int depth = m_depth;
    m_peekedToken = Take();
    if (m_syntaxFailed) return {SexprTokenKind::End, {}, FailureLine(), false};
    // The token is kept with the state after it, so that the Next that takes it costs
    // no second scan.
    m_peeked = true;
    m_posAfterPeek = m_pos;
    m_depthAfterPeek = m_depth;
    m_pos = pos;
    m_depth = depth;
  }
  SexprToken token = m_peekedToken;
  token.line = LineOf(token);
  return token;
}

void CSexprReader::SkipToDepth(int depth) {
  m_peeked = false;
  const char* const text = m_text.data();
  const size_t size = m_text.size();
  // A tight scan on locals: brackets and strings are all that matter here, taken a
  // block at a time.
  size_t pos = m_pos;
  int level = m_depth;
  while (level >= depth && !m_syntaxFailed) {
    if (pos >= size) {
      m_pos = pos;
      m_depth = level;
      SyntaxError(LineAt(size), "the file ends inside a list");
      return;
    }
    size_t next = pos + std::min(size - pos, kBlock);
    for (uint32_t stops = SkipStopsAt(text + pos, size - pos); stops != 0; stops &= stops - 1) {
      const size_t at = pos + static_cast<size_t>(std::countr_zero(stops));
      if (text[at] == '"') {
        // The string is read from its opening quote; the next block begins after it.
        m_pos = at;
        ReadString();
        next = m_pos;
        break;
      }
      level += text[at] == '(' ? 1 : -1;
      if (level < depth) {
        next = at + 1;
        break;
      }
    }
    pos = next;
  }
  m_pos = pos;
  m_depth = level;
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

bool CSexprReader::OpenListSlowly(std::string_view& keyword) {
  const SexprToken open = Take();
  if (open.kind != SexprTokenKind::Open) {
    if (open.kind == SexprTokenKind::End && m_failed) return false;
    if (open.kind == SexprTokenKind::End && m_depth > 0)
      return SyntaxError(LineOf(open), "the file ends inside a list");
    return Fail(LineOf(open), "a list was expected");
  }
  m_listOffset = m_pos - 1;
  const SexprToken word = Take();
  if (word.kind != SexprTokenKind::Atom) {
    if (word.kind == SexprTokenKind::End && !m_failed)
      return SyntaxError(LineOf(word), "the file ends inside a list");
    return Fail(LineOf(word), "a list does not begin with a keyword");
  }
  keyword = word.text;
  return true;
}

bool CSexprReader::ExpectCloseSlowly() {
  const SexprToken token = Take();
  if (token.kind == SexprTokenKind::Close) return true;
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(LineOf(token), "the file ends inside a list");
    return false;
  }
  return Fail(LineOf(token), "unexpected \"" + std::string(token.text) + "\" before the end of a list");
}

bool CSexprReader::ReadText(std::string& text) {
  SexprToken token;
  if (!ReadText(token)) return false;
  if (token.escaped) {
    text = Unescape(token.text);
  } else {
    text.assign(token.text);
  }
  return true;
}

bool CSexprReader::ReadText(SexprToken& found) {
  const SexprToken token = Take();
  if (token.kind == SexprTokenKind::Atom || token.kind == SexprTokenKind::String) {
    found = token;
    return true;
  }
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(LineOf(token), "the file ends inside a list");
    return false;
  }
  return Fail(LineOf(token), "a text was expected");
}

namespace {

// The digits of a fraction at `p`, eight bytes of which are in the text, taken at once:
// fractions run from none to six digits, and a loop's end at a different place for each
// number is mispredicted again and again. `value` holds the whole design units so far.
const char* ParseFractionInBlock(const char* p, const char* end, int64_t value, bool negative, bool anyDigit,
                                 int& units) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  uint64_t bytes = 0;
  std::memcpy(&bytes, p, sizeof bytes);
  // A byte is a digit when its high half is 3 before and after adding 6; a carry out of a
  // byte that is no digit only touches bytes after it, which are not looked at.
  const uint64_t high = bytes & (0xF0 * kOnes);
  const uint64_t raised = (bytes + 6 * kOnes) & (0xF0 * kOnes);
  const uint64_t other = (high ^ (0x30 * kOnes)) | (raised ^ (0x30 * kOnes));
  const int digits = other == 0 ? 8 : std::countr_zero(other) / 8;
  const uint64_t values = bytes - 0x30 * kOnes;
  // The first four digits, those missing as zeros, as one number of four places.
  uint32_t places =
      static_cast<uint32_t>(values) & (digits >= 4 ? 0xFFFFFFFFU : (uint32_t{1} << (8 * digits)) - 1);
  places = (places * 10 + (places >> 8)) & 0x00FF00FF;
  places = (places * 100 + (places >> 16)) & 0xFFFF;
  value += places;
  if (digits > 4) value += ((values >> 32) & 0xFF) >= 5 ? 1 : 0;
  p += digits;
  // Eight digits and more: the rest is passed over.
  if (digits == 8) {
    while (p != end && IsDigit(*p)) ++p;
  }
  if ((!anyDigit && digits == 0) || value > sexpr_detail::kMaxUnits) return nullptr;
  units = static_cast<int>(negative ? -value : value);
  return p;
}

}  // namespace

// Four places of the fraction are design units, the fifth rounds the last of them. Every
// coordinate of a file passes here: the first dozen digits are taken without a check
// each, as they cannot overflow.
const char* CSexprReader::ParseLengthPrefix(const char* p, const char* end, int& units) {
  using sexpr_detail::DigitOf;
  static_assert(sexpr_detail::kUnitsPerMillimetre == 10000, "the fraction's places below are of 0.1 um");
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  const char* const whole = p;
  const char* const plainEnd =
      end - p > sexpr_detail::kMaxWholeDigits ? p + sexpr_detail::kMaxWholeDigits : end;
  int64_t value = 0;
  for (unsigned digit = 0; p != plainEnd && (digit = DigitOf(*p)) < 10; ++p) value = value * 10 + digit;
  // Beyond that only leading zeros keep a number in range.
  for (; p != end && DigitOf(*p) < 10; ++p) {
    value = value * 10 + DigitOf(*p);
    if (value > sexpr_detail::kMaxUnits) return nullptr;
  }
  bool anyDigit = p != whole;
  value *= sexpr_detail::kUnitsPerMillimetre;
  if (p != end && *p == '.') {
    static constexpr std::array<int64_t, 5> kScale = {10000, 1000, 100, 10, 1};
    const char* const fraction = ++p;
    // Eight bytes at once read as a number where the first byte comes lowest.
    if (std::endian::native == std::endian::little && end - p >= 8)
      return ParseFractionInBlock(p, end, value, negative, anyDigit, units);
    const char* const placesEnd = end - p > 4 ? p + 4 : end;
    int64_t places = 0;
    for (unsigned digit = 0; p != placesEnd && (digit = DigitOf(*p)) < 10; ++p) places = places * 10 + digit;
    value += places * kScale[static_cast<size_t>(p - fraction)];
    if (p != end && DigitOf(*p) < 10) {
      value += *p >= '5' ? 1 : 0;
      while (++p != end && DigitOf(*p) < 10) {
      }
    }
    anyDigit = anyDigit || p != fraction;
  }
  if (!anyDigit || value > sexpr_detail::kMaxUnits) return nullptr;
  units = static_cast<int>(negative ? -value : value);
  return p;
}

// What ReadLength could not parse where it stands: an atom to be refused with its text,
// or another token.
bool CSexprReader::ReadLengthSlowly(int& units) {
  if (!m_peeked && !m_failed) {
    SkipBlanks();
    if (m_pos < m_text.size() && !EndsAtom(m_text[m_pos])) {
      const SexprToken atom = ReadAtom();
      if (ParseLength(atom.text, units)) return true;
      return Fail(LineOf(atom), Quoted(atom.text, " is not a length in millimetres"));
    }
  }
  const SexprToken token = Take();
  if (token.kind == SexprTokenKind::Atom && ParseLength(token.text, units)) return true;
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(LineOf(token), "the file ends inside a list");
    return false;
  }
  return Fail(LineOf(token), Quoted(token.text, " is not a length in millimetres"));
}

bool CSexprReader::ReadInteger(int64_t& value) {
  const SexprToken token = Take();
  if (token.kind == SexprTokenKind::Atom && ParseWhole(token.text, value)) return true;
  if (token.kind == SexprTokenKind::End) {
    if (!m_failed) SyntaxError(LineOf(token), "the file ends inside a list");
    return false;
  }
  return Fail(LineOf(token), Quoted(token.text, " is not a number"));
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
  if (text.empty()) return false;
  const char* const end = text.data() + text.size();
  int parsed = 0;
  if (ParseLengthPrefix(text.data(), end, parsed) != end) return false;
  units = parsed;
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
