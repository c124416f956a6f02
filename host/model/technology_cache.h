// CTechnologyCache: technologies read from their files, kept while each file stays as it
// was read. The drawings merge their technology on every rebuild of their design; reading
// and parsing the file each time cost more than the merge. A file whose modification time
// or size changed since it was read is read again; one that cannot be read is never kept.
#pragma once

#include <memory>

#include "host/model/technology.h"
#include "platform/cstring.h"

class CTechnologyCache {
 public:
  // The technology of the file at `path`; null, with the message of CTechnologyFile::Load
  // in `error`, when the file is not a readable technology.
  static std::shared_ptr<const CTechnology> Load(const CString& path, CString& error);
  // Forgets every technology kept.
  static void Clear();
};
