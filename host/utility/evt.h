// CEvt: named events. A receiver derives from CEvt and registers member handlers under
// an event name; whoever sends the event reaches every handler registered under it,
// without knowing who listens.
#pragma once

#include "platform/cstring.h"

class CEvt {
 public:
  // A handler takes the event's two values and returns nonzero when it succeeded.
  using Handler = int (CEvt::*)(long, long);

  virtual ~CEvt();

  // Registers handler of receiver under name (names compare exactly). Registering the
  // same receiver and handler under a name again changes nothing. False for a null
  // receiver or handler, or an empty name.
  static bool Register(const CString& name, CEvt* receiver, Handler handler);
  // For handlers declared in a class derived from CEvt.
  template <class Receiver>
  static bool Register(const CString& name, Receiver* receiver, int (Receiver::*handler)(long, long)) {
    return Register(name, static_cast<CEvt*>(receiver), static_cast<Handler>(handler));
  }
  // Removes every registration of receiver, under every name.
  static void UnregisterAll(CEvt* receiver);

  // Calls the handlers registered under name, in the order they were registered.
  // Returns 0 when any handler returned 0 (the event was refused), otherwise 1, also
  // when nobody listens. A handler may register or unregister during the send: a
  // registration removed before its turn is not called, and one added during the send
  // is called from the next send on.
  static int Send(const CString& name, long first, long second);

  // How many registrations name has; for diagnostics and tests.
  static int CountReceivers(const CString& name);

 protected:
  CEvt() = default;
  CEvt(const CEvt&) = delete;
  CEvt& operator=(const CEvt&) = delete;
};
