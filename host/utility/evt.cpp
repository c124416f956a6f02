#include "host/utility/evt.h"

#include <cstdint>
#include <map>
#include <vector>

namespace {

struct Registration {
  CString name;
  CEvt* receiver;
  CEvt::Handler handler;
};

// Keyed by a serial number, so iteration follows registration order and a send can
// tell whether a registration it collected is still there.
using Registrations = std::map<std::uint64_t, Registration>;

// Never destroyed: a receiver that outlives static destruction still unregisters safely.
Registrations& AllRegistrations() {
  static auto* registrations = new Registrations;
  return *registrations;
}

std::uint64_t NextSerial() {
  static std::uint64_t serial = 0;
  return ++serial;
}

bool IsRegistered(const CString& name, const CEvt* receiver, CEvt::Handler handler) {
  for (const auto& [serial, entry] : AllRegistrations()) {
    if (entry.receiver == receiver && entry.handler == handler && entry.name == name) return true;
  }
  return false;
}

std::vector<std::uint64_t> SerialsUnder(const CString& name) {
  std::vector<std::uint64_t> serials;
  for (const auto& [serial, entry] : AllRegistrations()) {
    if (entry.name == name) serials.push_back(serial);
  }
  return serials;
}

}  // namespace

CEvt::~CEvt() {
  // A receiver that forgot to unregister must not be called after it is gone.
  UnregisterAll(this);
}

bool CEvt::Register(const CString& name, CEvt* receiver, Handler handler) {
  if (name.IsEmpty() || receiver == nullptr || handler == nullptr) return false;
  if (!IsRegistered(name, receiver, handler)) {
    AllRegistrations().emplace(NextSerial(), Registration{name, receiver, handler});
  }
  return true;
}

void CEvt::UnregisterAll(CEvt* receiver) {
  std::erase_if(AllRegistrations(),
                [receiver](const auto& item) { return item.second.receiver == receiver; });
}

int CEvt::Send(const CString& name, long first, long second) {
  bool refused = false;
  for (const std::uint64_t serial : SerialsUnder(name)) {
    const auto found = AllRegistrations().find(serial);
    if (found == AllRegistrations().end()) continue;
    // Copied: the handler may change the registrations and so invalidate the entry.
    const Registration entry = found->second;
    if ((entry.receiver->*entry.handler)(first, second) == 0) refused = true;
  }
  return refused ? 0 : 1;
}

int CEvt::CountReceivers(const CString& name) {
  return static_cast<int>(SerialsUnder(name).size());
}
