// The Find Symbol sequence of the dialogs with a "Find Symbol..." button: the host's
// symbol-search dialog opens on the libraries of the chooser's kind, in the chooser's
// library directory, and every symbol the user takes there is shown in the chooser.
//
// The dialog's button handler runs the sequence with its own static callback, which
// receives the dialog as its context and hands the take to the right chooser:
//
//   void CAddGateDialog::OnFindSymbol() {
//     RunFindSymbol("Addgate", this, *m_pChooser, &CAddGateDialog::OnSymbolFound);
//   }
//   void CAddGateDialog::OnSymbolFound(CFindLibraryItem* find, void* context) {
//     TakeFoundSymbol(*find, *static_cast<CAddGateDialog*>(context)->m_pChooser);
//   }
#pragma once

#include "editor/dialogs/library_symbol_chooser.h"
#include "host/libtools/find_library_item.h"
#include "platform/dialog.h"

// Shows the find dialog modally, named `identifier` ("Addgate", "NewCompScm",
// "NewCompPcb") and owned by `dialog`, which is also the callback's context.
void RunFindSymbol(const char* identifier, CDialog* dialog, const CLibrarySymbolChooser& chooser,
                   CFindLibraryItem::Callback callback);

// Shows the symbol taken in `find` in the chooser: its library first when the find
// dialog asks for a switch, then the symbol and its pin count.
void TakeFoundSymbol(const CFindLibraryItem& find, CLibrarySymbolChooser& chooser);
