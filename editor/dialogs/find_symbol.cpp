#include "editor/dialogs/find_symbol.h"

#include "host/utility/file_path.h"

void RunFindSymbol(const char* identifier, CDialog* dialog, const CLibrarySymbolChooser& chooser,
                   CFindLibraryItem::Callback callback) {
  const CFilePath libraryPath(chooser.GetLibraryPath());
  CFindLibraryItem find(identifier, dialog);
  find.m_pLibraryKind = chooser.GetLibraryKind();
  find.m_strSearchDirectory = libraryPath.GetDriveAndDirectory();
  find.m_strLibraryFile = libraryPath.GetFileNameAndExtension();
  find.m_pfnCallback = callback;
  find.m_pCallbackContext = dialog;
  // Every symbol taken has reached the chooser through the callback by now, so how
  // the find dialog was closed changes nothing.
  find.DoModal();
}

void TakeFoundSymbol(const CFindLibraryItem& find, CLibrarySymbolChooser& chooser) {
  if (find.GetSwitchLibrary()) chooser.SelectLibrary(find.GetLibraryFile());
  chooser.SetSymbolName(find.GetSymbolName());
}
