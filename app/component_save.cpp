#include "app/component_save.h"

#include <filesystem>

#include "host/model/component.h"
#include "host/model/component_library_edit.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "platform/message_box.h"

namespace {

enum class Answer { Overwrite, Copy, Cancel };

CString FileNameOf(const CString& path) {
  return std::filesystem::path(path.str()).filename().string();
}

bool AllowReadOnly(const CString& path) {
  CString text;
  text.Format("\"%s\" is read-only. Save into it anyway?", FileNameOf(path).c_str());
  return AfxMessageBox(text, MB_YESNO | MB_ICONWARNING) == IDYES;
}

Answer AskAboutChange(const ComponentSave& save) {
  CString text;
  text.Format(
      "%s in %s was changed by another program since you opened it.\n\n"
      "Yes: overwrite it with your version.\nNo: save your version as a copy beside it.\n"
      "Cancel: save nothing.",
      save.openedName.c_str(), FileNameOf(save.path).c_str());
  const int answer = AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONWARNING);
  if (answer == IDYES) return Answer::Overwrite;
  return answer == IDNO ? Answer::Copy : Answer::Cancel;
}

// "NAME-copy", or "NAME-copy2" and on, whichever the library does not hold yet.
CString CopyName(const CString& path, const CString& name) {
  const CString stem = name.Left(static_cast<int>(CComponentLibraryFile::kMaxNameLength) - 8) + "-copy";
  CString candidate = stem;
  CString error;
  for (int number = 2; number < 1000 && CComponentLibraryEdit::HasComponent(path, candidate, error); ++number)
    candidate.Format("%s%d", stem.c_str(), number);
  return candidate;
}

void Rename(CDesign& design, const CString& from, const CString& to) {
  POSITION position = nullptr;
  for (CComponent* record = design.FirstComponent(position, from); record != nullptr;
       record = design.NextComponent(position, from))
    record->SetName(to);
}

ComponentSaveResult Write(CDesign& design, ComponentSave& save, const ComponentSaveConditions& conditions,
                          CString& error) {
  if (!save.addNew)
    return CComponentLibraryFile::SaveComponent(save.path, save.name, design, conditions, error);
  return CComponentLibraryEdit::AddComponent(save.path, save.name, design, error, conditions.write)
             ? ComponentSaveResult::Saved
             : ComponentSaveResult::Failed;
}

}  // namespace

bool SaveComponentAsked(CDesign& design, ComponentSave& save) {
  ComponentSaveConditions conditions;
  conditions.openedName = save.openedName;
  conditions.openedForm = save.addNew ? std::nullopt : save.storedForm;
  CString warning;
  conditions.write.warning = &warning;
  conditions.write.replaceReadOnly = IsReadOnlyFile(save.path);
  if (conditions.write.replaceReadOnly && !AllowReadOnly(save.path)) return false;
  CString error;
  ComponentSaveResult result = Write(design, save, conditions, error);
  if (result == ComponentSaveResult::ChangedOnDisk) {
    const Answer answer = AskAboutChange(save);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Copy) {
      const CString copy = CopyName(save.path, save.name);
      Rename(design, save.name, copy);
      save.name = copy;
      save.addNew = true;
    }
    conditions.openedForm.reset();
    result = Write(design, save, conditions, error);
  }
  if (result != ComponentSaveResult::Saved) {
    AfxMessageBox(error + "\n\nThe file on disk was not changed.", MB_OK | MB_ICONERROR);
    return false;
  }
  save.storedForm =
      CComponentLibraryFile::StoredForm(CComponentLibraryFile::CollectComponent(design, save.name));
  if (!warning.IsEmpty()) AfxMessageBox(warning, MB_OK | MB_ICONWARNING);
  return true;
}
