#include "host/utility/stored_smart_combo_box.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "host/utility/app_error.h"

IMPLEMENT_DYNAMIC(CStoredSmartComboBox, CSmartComboBox)

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsListed(const std::vector<CString>& entries, const CString& entry) {
  for (const CString& listed : entries) {
    if (listed.EqualsNoCase(entry)) return true;
  }
  return false;
}

bool ReadAll(std::ifstream& in, std::string& contents) {
  contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

void RecordUnreadable(const CString& file) {
  CString message;
  message.Format("The list \"%s\" cannot be read.", file);
  CAppError::SetLastErrorText(message);
}

}  // namespace

bool CStoredSmartComboBox::ReadEntries(const CString& file, std::vector<CString>& entries) {
  entries.clear();
  std::error_code error;
  if (!std::filesystem::exists(file.str(), error) && !error) return true;
  if (error || std::filesystem::is_directory(file.str(), error)) return false;
  std::ifstream in(file.str(), std::ios::binary);
  std::string contents;
  if (!in.is_open() || !ReadAll(in, contents)) return false;
  std::string_view rest(contents);
  if (rest.starts_with(kByteOrderMark)) rest.remove_prefix(kByteOrderMark.size());
  while (!rest.empty()) {
    const size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    CString entry(rest.substr(0, end));
    entry.Trim();
    if (!entry.IsEmpty() && !IsListed(entries, entry)) entries.push_back(entry);
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return true;
}

bool CStoredSmartComboBox::Fill(const CString& file, const CString& text) {
  if (m_hWnd == nullptr) return false;
  ResetContent();
  std::vector<CString> entries;
  const bool read = ReadEntries(file, entries);
  if (!read) {
    RecordUnreadable(file);
    entries.clear();
  }
  for (const CString& entry : entries) AddString(entry);
  ShowInitialText(text);
  return read;
}

void CStoredSmartComboBox::ShowInitialText(const CString& text) {
  const int index = text.IsEmpty() ? CB_ERR : FindStringExact(-1, text);
  if (index != CB_ERR) {
    CString entry;
    GetLBText(index, entry);
    if (entry == text) {
      SetSelected(index);
      return;
    }
  }
  SetText(text);
}
