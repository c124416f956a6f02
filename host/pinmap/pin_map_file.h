// Pin maps between spreadsheet files and component libraries, without an editor: what
// the command line exports and imports.
#pragma once

#include <cstdint>
#include <string>

#include "host/pinmap/pin_map_table.h"
#include "host/pinmap/pin_map_text.h"
#include "platform/cstring.h"

// The message of an import whose package column `placeError` names is refused.
CString PinMapImportRefusal(const CString& source, const CString& placeError);

// Pin map files past this size are refused unread: a table of every pin of the largest
// parts is a few megabytes.
constexpr std::uintmax_t kMaxPinMapFileSize = 16u << 20;

// The file's bytes; false, with a message naming it, when it cannot be read, is not a
// regular file or is larger than kMaxPinMapFileSize.
bool ReadPinMapText(const CString& path, std::string& text, CString& error);

// Reads and parses a pin map file; messages name the file by its name and extension.
bool ReadPinMapFile(const CString& path, PinMapTable& table, CString& error,
                    const PinLabelsOf& labelsOf = {});

// The pin map of the library's component named `component` (ignoring case) as text;
// pins of footprints that name their lands are written by those names, and an import
// reads them back.
bool ExportLibraryPinMap(const CString& library, const CString& component, PinMapSeparator separator,
                         std::string& text, CString& error);

// Places the file's pin map on the library's component and replaces the library
// atomically. On any refusal (a library, component or file that cannot be read, a
// package column the component lacks, a write that fails) the library is left as it
// was. Rows that fit no terminal are only reported in `placement`.
bool ImportLibraryPinMap(const CString& library, const CString& component, const CString& file,
                         PinMapMatch match, PinMapPlacement& placement, CString& error);
