// Pin map tables as comma- or tab-separated text, the form spreadsheets read and write.
// The first line is the header "Gate", "Terminal", "Name" and one package name per pin
// column; each further line is one terminal: its gate's letter name, its number, its
// name and its pin in each package (empty for none). A field holding the separator, a
// quote or a line break is quoted, with quotes doubled, and read back the same way.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "host/pinmap/pin_map_table.h"
#include "platform/cstring.h"

enum class PinMapSeparator { Comma, Tab };

// Pins are written by the table's labels of their column where it has them.
std::string FormatPinMap(const PinMapTable& table, PinMapSeparator separator);

// Reads a table; the separator is a tab when the header holds one, a comma otherwise.
// Empty lines and a leading byte-order mark are passed over. False, with a message naming `source`, the line
// and the column, when the header is missing or a gate, terminal or pin is not a number of its kind; the
// table is then left empty. A pin field is a number or, where `labelsOf` gives the column's package labels
// with names, a land's name.
using PinLabelsOf = std::function<CPinLabels(const CString& package)>;
bool ParsePinMap(std::string_view text, const CString& source, PinMapTable& table, CString& error,
                 const PinLabelsOf& labelsOf = {});

// Splits text into lines of fields (quotes as above); each line keeps its number from 1.
// The grid's clipboard reads spreadsheet ranges with it.
struct TextRecord {
  int line = 0;
  std::vector<std::string> fields;
};
std::vector<TextRecord> SplitSeparatedText(std::string_view text, char separator);
std::string JoinSeparatedFields(const std::vector<std::string>& fields, char separator);
