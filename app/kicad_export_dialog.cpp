#include "app/kicad_export_dialog.h"

#include <filesystem>

#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "platform/data_exchange.h"
#include "platform/dialog_template_builder.h"
#include "platform/message_box.h"

namespace {

using namespace dialog_templates;

ResourceModule BuildResources() {
  ResourceModule module;
  module.name = "KicadExport";
  module.dialogs[IDD_KICAD_EXPORT] = ModalDialog(
      IDD_KICAD_EXPORT, "Export to KiCad", {0, 0, 260, 150},
      {
          Label("&Components:", {7, 9, 66, 8}),
          ComboBox(IDC_KICAD_EXPORT_WHAT, CBS_DROPDOWNLIST | WS_VSCROLL, {76, 7, 177, 120}),
          Label("&Symbol library:", {7, 27, 66, 8}),
          Edit(IDC_KICAD_EXPORT_OUTPUT, kSingleLineEdit, {76, 25, 177, 14}),
          Label("&Footprint folder:", {7, 45, 66, 8}),
          Edit(IDC_KICAD_EXPORT_FOOTPRINTS, kSingleLineEdit, {76, 43, 177, 14}),
          Label("Footprint &nickname:", {7, 63, 66, 8}),
          Edit(IDC_KICAD_EXPORT_NICKNAME, kSingleLineEdit, {76, 61, 177, 14}),
          Label("Footprints of this program's libraries are written into the folder (none when it is "
                "empty); the nickname names them, the folder's name when it is empty.",
                {7, 80, 246, 24}),
          CheckBox(IDC_KICAD_EXPORT_UNNUMBERED, "&Leave pins without a package pin unnumbered",
                   {7, 107, 246, 10}),
          DefPushButton(IDOK, "&Export", {147, 129, 50, 14}),
          PushButton(IDCANCEL, "Cancel", {203, 129, 50, 14}),
      });
  return module;
}

const ResourceModule& KicadExportResources() {
  static const ResourceModule module = BuildResources();
  return module;
}

CString Beside(const CString& library, const char* extension) {
  std::filesystem::path path(library.str());
  path.replace_extension(extension);
  return CString(path.string());
}

}  // namespace

CKicadExportDialog::CKicadExportDialog(const CString& library, const CDesign* current, CWnd* parent)
    : CDialog(IDD_KICAD_EXPORT, parent),
      m_library(library),
      m_current(current),
      m_output(Beside(library, ".kicad_sym")),
      m_footprints(Beside(library, ".pretty")) {
  if (!Resources::HasModule(&KicadExportResources())) Resources::AddModule(&KicadExportResources());
  if (m_current != nullptr && m_current->FirstComponent() != nullptr)
    m_currentName = m_current->FirstComponent()->GetName();
}

void CKicadExportDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_KICAD_EXPORT_WHAT, m_what);
  DDX_Text(dx, IDC_KICAD_EXPORT_OUTPUT, m_output);
  DDX_Text(dx, IDC_KICAD_EXPORT_FOOTPRINTS, m_footprints);
  DDX_Text(dx, IDC_KICAD_EXPORT_NICKNAME, m_nickname);
  DDX_Check(dx, IDC_KICAD_EXPORT_UNNUMBERED, m_unnumbered);
}

BOOL CKicadExportDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_currentName.IsEmpty()) m_entries.push_back({Choice::Current, m_currentName});
  m_entries.push_back({Choice::Every, {}});
  std::vector<LibraryEntry> components;
  CString error;
  if (CComponentLibraryFile::ReadContents(m_library, components, error)) {
    for (const LibraryEntry& component : components) m_entries.push_back({Choice::One, component.name});
  }
  const std::string library = std::filesystem::path(m_library.str()).filename().string();
  for (const Entry& entry : m_entries) {
    if (entry.choice == Choice::Current)
      m_what.AddString(CString("Current component: " + entry.name.str()));
    else if (entry.choice == Choice::Every)
      m_what.AddString(CString("Every component of " + library));
    else
      m_what.AddString(entry.name);
  }
  m_what.SetCurSel(0);
  UpdateData(FALSE);
  return TRUE;
}

bool CKicadExportDialog::Run(const CKicadExport::Options& options, CString& error) {
  const int chosen = m_what.GetCurSel();
  const Entry& entry = m_entries.at(chosen < 0 ? 0 : static_cast<size_t>(chosen));
  if (entry.choice == Choice::Current)
    return CKicadExport::Export(options, {CKicadExport::SourceOf(*m_current, entry.name)}, m_summary, error);
  std::vector<CString> names;
  if (entry.choice == Choice::One) names.push_back(entry.name);
  return CKicadExport::ExportLibrary(options, names, m_summary, error);
}

void CKicadExportDialog::OnOK() {
  UpdateData(TRUE);
  CKicadExport::Options options;
  options.componentLibrary = m_library;
  options.output = m_output.Trim();
  options.footprintFolder = m_footprints.Trim();
  options.footprintLibrary = m_nickname.Trim();
  options.leaveUnnumbered = m_unnumbered != 0;
  CString error;
  if (!Run(options, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONERROR);
    return;
  }
  EndDialog(IDOK);
}
