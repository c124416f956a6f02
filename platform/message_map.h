// Message maps as declarative tables. A class lists its entries once:
//
//   const MessageMap CAddGateDialog::kMessageMap{&CDialog::kMessageMap, {
//       NotifyEntry(CBN_SELCHANGE, 1030, &CAddGateDialog::OnLibraryChanged),
//       CommandEntry(1037, &CAddGateDialog::OnFindSymbol),
//   }};
//
// and returns it from GetMessageMap(). Dispatch walks from the most derived table to
// the base tables; the first matching entry handles the message.
#pragma once

#include <functional>
#include <vector>

#include "platform/types.h"

class CCmdTarget;
class CCmdUI;

enum class MessageEntryKind {
  Message,          // a window message by number
  Registered,       // a registered window message; the number is read at dispatch time
  Command,          // WM_COMMAND with code 0 (menu, accelerator 1, BN_CLICKED) for an id range
  Notify,           // WM_COMMAND notification code from a control id
  UpdateCommandUI,  // enabling query for a command id
};

struct MessageMapEntry {
  MessageEntryKind kind;
  UINT message = 0;                  // Message
  const UINT* registered = nullptr;  // Registered
  UINT code = 0;                     // Notify
  UINT firstId = 0;                  // Command, Notify, UpdateCommandUI
  UINT lastId = 0;
  std::function<LRESULT(CCmdTarget&, WPARAM, LPARAM, UINT id)> handler;
};

struct MessageMap {
  const MessageMap* base = nullptr;
  std::vector<MessageMapEntry> entries;
};

template <class T>
MessageMapEntry MessageEntry(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
  return {
      MessageEntryKind::Message, message, nullptr, 0, 0, 0, [fn](CCmdTarget& t, WPARAM w, LPARAM l, UINT) {
        return (static_cast<T&>(t).*fn)(w, l);
      }};
}

template <class T>
MessageMapEntry RegisteredMessageEntry(const UINT& message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
  return {MessageEntryKind::Registered, 0, &message, 0, 0, 0, [fn](CCmdTarget& t, WPARAM w, LPARAM l, UINT) {
            return (static_cast<T&>(t).*fn)(w, l);
          }};
}

template <class T>
MessageMapEntry CommandEntry(UINT id, void (T::*fn)()) {
  return {MessageEntryKind::Command, 0, nullptr, 0, id, id, [fn](CCmdTarget& t, WPARAM, LPARAM, UINT) {
            (static_cast<T&>(t).*fn)();
            return LRESULT{1};
          }};
}

template <class T>
MessageMapEntry CommandRangeEntry(UINT firstId, UINT lastId, void (T::*fn)(UINT)) {
  return {MessageEntryKind::Command,
          0,
          nullptr,
          0,
          firstId,
          lastId,
          [fn](CCmdTarget& t, WPARAM, LPARAM, UINT id) {
            (static_cast<T&>(t).*fn)(id);
            return LRESULT{1};
          }};
}

template <class T>
MessageMapEntry NotifyEntry(UINT code, UINT id, void (T::*fn)()) {
  return {MessageEntryKind::Notify, 0, nullptr, code, id, id, [fn](CCmdTarget& t, WPARAM, LPARAM, UINT) {
            (static_cast<T&>(t).*fn)();
            return LRESULT{1};
          }};
}

template <class T>
MessageMapEntry UpdateCommandUIEntry(UINT id, void (T::*fn)(CCmdUI*)) {
  return {
      MessageEntryKind::UpdateCommandUI, 0, nullptr, 0, id, id, [fn](CCmdTarget& t, WPARAM, LPARAM l, UINT) {
        (static_cast<T&>(t).*fn)(reinterpret_cast<CCmdUI*>(l));
        return LRESULT{1};
      }};
}
