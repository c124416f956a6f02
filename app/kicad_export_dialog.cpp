#include "app/kicad_export_dialog.h"

#include <filesystem>
#include <memory>

#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "platform/data_exchange.h"
#include "platform/dialog_template_builder.h"
#include "platform/message_box.h"

namespace {

using namespace dialog_templates;

constexpr DWORD kList = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;

ResourceModule BuildResources() {
  ResourceModule module;
  module.name = "KicadExport";
  module.dialogs[IDD_KICAD_EXPORT] = ModalDialog(
      IDD_KICAD_EXPORT, "Export to KiCad", {0, 0, 260, 250},
      {
          Label("&Components:", {7, 9, 66, 8}),
          ComboBox(IDC_KICAD_EXPORT_WHAT, CBS_DROPDOWNLIST | WS_VSCROLL, {76, 7, 177, 120}),
          Label("In the library:", {7, 27, 100, 8}),
          ListBox(IDC_KICAD_EXPORT_LIBRARY, kList, {7, 37, 100, 86}),
          PushButton(IDC_KICAD_EXPORT_ADD, "&Add >", {111, 55, 38, 14}),
          PushButton(IDC_KICAD_EXPORT_REMOVE, "< &Remove", {111, 73, 38, 14}),
          Label("Chosen:", {153, 27, 100, 8}),
          ListBox(IDC_KICAD_EXPORT_CHOSEN, kList, {153, 37, 100, 86}),
          Label("&Symbol library:", {7, 127, 66, 8}),
          Edit(IDC_KICAD_EXPORT_OUTPUT, kSingleLineEdit, {76, 125, 177, 14}),
          Label("&Footprint folder:", {7, 145, 66, 8}),
          Edit(IDC_KICAD_EXPORT_FOOTPRINTS, kSingleLineEdit, {76, 143, 177, 14}),
          Label("Footprint &nickname:", {7, 163, 66, 8}),
          Edit(IDC_KICAD_EXPORT_NICKNAME, kSingleLineEdit, {76, 161, 177, 14}),
          Label("Footprints of this program's libraries are written into the folder (none when it is "
                "empty); the nickname names them, the folder's name when it is empty.",
                {7, 180, 246, 24}),
          CheckBox(IDC_KICAD_EXPORT_UNNUMBERED, "&Leave pins without a package pin unnumbered",
                   {7, 207, 246, 10}),
          DefPushButton(IDOK, "&Export", {147, 229, 50, 14}),
          PushButton(IDCANCEL, "Cancel", {203, 229, 50, 14}),
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

// A double click moves a line to the other list, as the buttons do.
const MessageMap CKicadExportDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        CommandEntry(IDC_KICAD_EXPORT_ADD, &CKicadExportDialog::OnAdd),
        CommandEntry(IDC_KICAD_EXPORT_REMOVE, &CKicadExportDialog::OnRemove),
        NotifyEntry(LBN_DBLCLK, IDC_KICAD_EXPORT_LIBRARY, &CKicadExportDialog::OnAdd),
        NotifyEntry(LBN_DBLCLK, IDC_KICAD_EXPORT_CHOSEN, &CKicadExportDialog::OnRemove),
    }};

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
  DDX_Control(dx, IDC_KICAD_EXPORT_LIBRARY, m_libraryList);
  DDX_Control(dx, IDC_KICAD_EXPORT_CHOSEN, m_chosenList);
  DDX_Text(dx, IDC_KICAD_EXPORT_OUTPUT, m_output);
  DDX_Text(dx, IDC_KICAD_EXPORT_FOOTPRINTS, m_footprints);
  DDX_Text(dx, IDC_KICAD_EXPORT_NICKNAME, m_nickname);
  DDX_Check(dx, IDC_KICAD_EXPORT_UNNUMBERED, m_unnumbered);
}

BOOL CKicadExportDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  std::vector<LibraryEntry> components;
  CString error;
  if (CComponentLibraryFile::ReadContents(m_library, components, error)) {
    for (const LibraryEntry& component : components) m_names.push_back(component.name);
  }
  m_chosen.assign(m_names.size(), false);
  if (!m_currentName.IsEmpty()) {
    m_choices.push_back(Choice::Current);
    m_what.AddString(CString("Current component: " + m_currentName.str()));
  }
  m_choices.push_back(Choice::Every);
  m_what.AddString(
      CString("Every component of " + std::filesystem::path(m_library.str()).filename().string()));
  m_choices.push_back(Choice::Chosen);
  m_what.AddString("The components chosen below");
  m_what.SetCurSel(0);
  ShowLists();
  UpdateData(FALSE);
  return TRUE;
}

// Each list keeps the library's order; a line's item data is its component's place there.
void CKicadExportDialog::ShowLists() {
  m_libraryList.ResetContent();
  m_chosenList.ResetContent();
  for (size_t index = 0; index < m_names.size(); ++index) {
    CListBox& list = m_chosen[index] ? m_chosenList : m_libraryList;
    const int line = list.AddString(m_names[index]);
    list.SetItemData(line, index);
  }
}

void CKicadExportDialog::OnAdd() {
  Move(m_libraryList, true);
}

void CKicadExportDialog::OnRemove() {
  Move(m_chosenList, false);
}

void CKicadExportDialog::Move(CListBox& from, bool chosen) {
  const int line = from.GetCurSel();
  if (line < 0) return;
  const size_t index = from.GetItemData(line);
  if (index >= m_chosen.size()) return;
  m_chosen[index] = chosen;
  ShowLists();
  // The next line moves with the next click, as the user works down the list.
  from.SetCurSel(line < from.GetCount() ? line : from.GetCount() - 1);
  m_what.SetCurSel(static_cast<int>(m_choices.size()) - 1);
}

bool CKicadExportDialog::Run(const CKicadExport::Options& options, CString& error) {
  const int line = m_what.GetCurSel();
  const Choice choice = m_choices.at(line < 0 ? 0 : static_cast<size_t>(line));
  if (choice == Choice::Current)
    return CKicadExport::Export(options, {CKicadExport::SourceOf(*m_current, m_currentName)}, m_summary,
                                error);
  if (choice == Choice::Every) return CKicadExport::ExportLibrary(options, {}, m_summary, error);
  return ExportChosen(options, error);
}

// The current component among the chosen goes out as it stands in its tab.
bool CKicadExportDialog::ExportChosen(const CKicadExport::Options& options, CString& error) {
  std::vector<std::unique_ptr<CDesign>> designs;
  std::vector<CKicadExport::Source> sources;
  for (size_t index = 0; index < m_names.size(); ++index) {
    if (!m_chosen[index]) continue;
    const CString& name = m_names[index];
    if (m_current != nullptr && name == m_currentName) {
      sources.push_back(CKicadExport::SourceOf(*m_current, name));
      continue;
    }
    auto& design = designs.emplace_back(std::make_unique<CDesign>());
    if (!CComponentLibraryFile::LoadComponent(m_library, name.c_str(), *design, error)) return false;
    sources.push_back(CKicadExport::SourceOf(*design, name));
  }
  if (sources.empty()) {
    error = "No component is chosen: add the components to export to the list of chosen ones.";
    return false;
  }
  return CKicadExport::Export(options, sources, m_summary, error);
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
