#include "platform/cstring.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstring>

#include "platform/resource_registry.h"

namespace cstring_detail {

std::string FormatV(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (needed > 0) {
    out.resize(static_cast<size_t>(needed));
    std::vsnprintf(out.data(), out.size() + 1, format, args);
  }
  va_end(args);
  return out;
}

std::string FormatInserts(std::string_view format, const std::vector<std::string>& inserts) {
  std::string out;
  out.reserve(format.size());
  for (size_t i = 0; i < format.size(); ++i) {
    const char ch = format[i];
    if (ch != '%' || i + 1 == format.size()) {
      out += ch;
      continue;
    }
    const char next = format[i + 1];
    if (next == '%') {
      out += '%';
      ++i;
    } else if (next >= '1' && next <= '9') {
      const size_t index = static_cast<size_t>(next - '1');
      if (index < inserts.size()) out += inserts[index];
      ++i;
    } else {
      out += ch;
    }
  }
  return out;
}

std::string LoadResourceString(UINT id, bool* found) {
  const std::string* text = Resources::FindString(id);
  if (found != nullptr) *found = text != nullptr;
  return text != nullptr ? *text : std::string();
}

}  // namespace cstring_detail

namespace {
int CompareFolded(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int ToIndex(size_t pos) {
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

size_t Clamp(int value, size_t size) {
  return static_cast<size_t>(std::clamp(value, 0, static_cast<int>(size)));
}

bool IsSpace(char ch) {
  return std::isspace(static_cast<unsigned char>(ch)) != 0;
}
}  // namespace

int CString::CompareNoCase(const char* other) const {
  return CompareFolded(m_text, other);
}

bool CString::EqualsNoCase(std::string_view other) const {
  return CompareFolded(m_text, other) == 0;
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  return ToIndex(m_text.find(ch, static_cast<size_t>(start)));
}

int CString::Find(const char* sub, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  return ToIndex(m_text.find(sub, static_cast<size_t>(start)));
}

int CString::ReverseFind(char ch) const {
  return ToIndex(m_text.rfind(ch));
}

CString CString::Mid(int first) const {
  return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
  const size_t from = Clamp(first, m_text.size());
  const size_t n = Clamp(count, m_text.size() - from);
  return CString(m_text.substr(from, n));
}

CString CString::Left(int count) const {
  return CString(m_text.substr(0, Clamp(count, m_text.size())));
}

CString CString::Right(int count) const {
  const size_t n = Clamp(count, m_text.size());
  return CString(m_text.substr(m_text.size() - n));
}

CString& CString::MakeUpper() {
  for (char& ch : m_text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return *this;
}

CString& CString::MakeLower() {
  for (char& ch : m_text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return *this;
}

CString& CString::Trim() {
  return TrimLeft().TrimRight();
}

CString& CString::TrimLeft() {
  m_text.erase(m_text.begin(), std::find_if_not(m_text.begin(), m_text.end(), IsSpace));
  return *this;
}

CString& CString::TrimRight() {
  m_text.erase(std::find_if_not(m_text.rbegin(), m_text.rend(), IsSpace).base(), m_text.end());
  return *this;
}

int CString::Replace(const char* from, const char* to) {
  const std::string_view pattern(from);
  if (pattern.empty()) return 0;
  int count = 0;
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = m_text.find(pattern, pos)) != std::string::npos; pos = hit + pattern.size()) {
    out.append(m_text, pos, hit - pos).append(to);
    ++count;
  }
  out.append(m_text, pos);
  m_text = std::move(out);
  return count;
}

int CString::Remove(char ch) {
  const auto end = std::remove(m_text.begin(), m_text.end(), ch);
  const int removed = static_cast<int>(m_text.end() - end);
  m_text.erase(end, m_text.end());
  return removed;
}

int CString::Insert(int index, const char* text) {
  m_text.insert(Clamp(index, m_text.size()), text);
  return GetLength();
}

int CString::Delete(int index, int count) {
  const size_t from = Clamp(index, m_text.size());
  m_text.erase(from, Clamp(count, m_text.size() - from));
  return GetLength();
}

bool CString::LoadString(UINT id) {
  bool found = false;
  std::string text = cstring_detail::LoadResourceString(id, &found);
  if (found) m_text = std::move(text);
  return found;
}
