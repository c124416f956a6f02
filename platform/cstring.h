// CString: a counted UTF-8 string with the framework's familiar operations.
#pragma once

#include <compare>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/types.h"

class CString;

namespace cstring_detail {
// Variadic arguments in printf style: a CString or std::string passes its characters.
template <class T>
decltype(auto) PrintfArg(const T& value) {
  if constexpr (std::is_same_v<T, CString> || std::is_same_v<T, std::string>) {
    return value.c_str();
  } else {
    return value;
  }
}
std::string FormatV(const char* format, ...);
std::string FormatInserts(std::string_view format, const std::vector<std::string>& inserts);
std::string LoadResourceString(UINT id, bool* found);
template <class T>
std::string InsertText(const T& value) {
  if constexpr (std::is_convertible_v<const T&, std::string_view>) {
    return std::string(std::string_view(value));
  } else if constexpr (std::is_same_v<T, CString>) {
    return value.str();
  } else {
    return std::to_string(value);
  }
}
}  // namespace cstring_detail

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_text(text != nullptr ? text : "") {}  // NOLINT: implicit like the framework
  CString(std::string text) : m_text(std::move(text)) {}              // NOLINT
  CString(std::string_view text) : m_text(text) {}                    // NOLINT
  CString(char ch, int repeat = 1) : m_text(static_cast<size_t>(std::max(repeat, 0)), ch) {}

  const std::string& str() const { return m_text; }
  const char* c_str() const { return m_text.c_str(); }
  operator const char*() const { return m_text.c_str(); }  // NOLINT: LPCTSTR conversion
  operator std::string_view() const { return m_text; }     // NOLINT

  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  char GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
  char operator[](int index) const { return GetAt(index); }

  int CompareNoCase(const char* other) const;
  bool EqualsNoCase(std::string_view other) const;

  // -1 when not found.
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;

  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();
  int Replace(const char* from, const char* to);
  int Remove(char ch);
  int Insert(int index, const char* text);
  int Delete(int index, int count = 1);

  // printf rules; CString arguments pass their characters.
  template <class... Args>
  void Format(const char* format, const Args&... args) {
    m_text = cstring_detail::FormatV(format, cstring_detail::PrintfArg(args)...);
  }
  // The format comes from the string table.
  template <class... Args>
  void Format(UINT formatId, const Args&... args) {
    const std::string format = cstring_detail::LoadResourceString(formatId, nullptr);
    m_text = cstring_detail::FormatV(format.c_str(), cstring_detail::PrintfArg(args)...);
  }
  // %1 to %9 are replaced by the inserts in order; %% is a percent sign.
  template <class... Args>
  void FormatMessage(const char* format, const Args&... inserts) {
    m_text = cstring_detail::FormatInserts(format, {cstring_detail::InsertText(inserts)...});
  }
  template <class... Args>
  void FormatMessage(UINT formatId, const Args&... inserts) {
    const std::string format = cstring_detail::LoadResourceString(formatId, nullptr);
    m_text = cstring_detail::FormatInserts(format, {cstring_detail::InsertText(inserts)...});
  }

  // Loads a string-table entry; false (and the text unchanged) when the id is unknown.
  bool LoadString(UINT id);

  CString& operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
  }
  CString& operator+=(const char* other) {
    m_text += other;
    return *this;
  }
  CString& operator+=(char ch) {
    m_text += ch;
    return *this;
  }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + b); }
  friend CString operator+(const char* a, const CString& b) { return CString(a + b.m_text); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
  friend bool operator==(const CString& a, const char* b) { return a.m_text == b; }
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
    return a.m_text <=> b.m_text;
  }

 private:
  std::string m_text;
};

using LPCTSTR = const char*;
