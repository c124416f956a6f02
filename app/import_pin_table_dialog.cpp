#include "app/import_pin_table_dialog.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "host/model/component_library_edit.h"
#include "host/model/design.h"
#include "platform/data_exchange.h"
#include "platform/dialog_template_builder.h"
#include "platform/message_box.h"
#include "platform/resource_registry.h"

const MessageMap CImportPinTableDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, IDC_PIN_TABLE_LAYOUT, &CImportPinTableDialog::OnPreview),
        NotifyEntry(CBN_SELCHANGE, IDC_PIN_TABLE_SPLIT, &CImportPinTableDialog::OnPreview),
        CommandEntry(IDC_PIN_TABLE_REFRESH, &CImportPinTableDialog::OnPreview),
        NotifyEntry(LBN_SELCHANGE, IDC_PIN_TABLE_PREVIEW, &CImportPinTableDialog::OnPinChosen),
        NotifyEntry(CBN_SELCHANGE, IDC_PIN_TABLE_KIND, &CImportPinTableDialog::OnKindChanged),
    }};

namespace {

using namespace dialog_templates;

// In the order of PinTableLayout and PinGateSplit.
const char* const kLayouts[] = {"Found by the header", "Package file (Pin, Pin Name, Bank)",
                                "Multi-package (PAD, Pin/Ball Function)", "Generic columns"};
const char* const kSplits[] = {"Bank", "Unit", "None (one gate)"};
constexpr std::size_t kPreviewedPins = 500;
// In the order of PinKind.
constexpr PinKind kKinds[] = {PinKind::Input, PinKind::Output, PinKind::Bidirectional, PinKind::Passive,
                              PinKind::Power, PinKind::Ground, PinKind::NoConnect};

// The settings on top, the preview filling the rest.
const ResourceModule& PinTableResources() {
  static const ResourceModule module = [] {
    ResourceModule built;
    built.name = "ComponentEditorPinTable";
    const DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER;
    built.dialogs[IDD_IMPORT_PIN_TABLE] =
        ModalDialog(IDD_IMPORT_PIN_TABLE, "Import Pin Table", {0, 0, 400, 320},
                    {
                        Label("Table:", {7, 8, 40, 8}),
                        Label(IDC_PIN_TABLE_FILE, "", {52, 8, 280, 8}),
                        Label("&Component:", {7, 25, 42, 8}),
                        Edit(IDC_PIN_TABLE_NAME, kSingleLineEdit, {52, 23, 150, 14}),
                        Label("&Layout:", {7, 43, 42, 8}),
                        ComboBox(IDC_PIN_TABLE_LAYOUT, CBS_DROPDOWNLIST | WS_VSCROLL, {52, 41, 150, 80}),
                        Label("&Gates by:", {212, 43, 36, 8}),
                        ComboBox(IDC_PIN_TABLE_SPLIT, CBS_DROPDOWNLIST | WS_VSCROLL, {250, 41, 82, 80}),
                        Label("&Footprints (PACKAGE=FOLDER:FOOTPRINT; ...):", {7, 60, 280, 8}),
                        Edit(IDC_PIN_TABLE_FOOTPRINTS, kSingleLineEdit, {7, 70, 325, 14}),
                        PushButton(IDC_PIN_TABLE_REFRESH, "&Preview", {343, 70, 50, 14}),
                        Label("Preview:", {7, 90, 60, 8}),
                        Label("&Kind of the pin chosen:", {180, 90, 90, 8}),
                        ComboBox(IDC_PIN_TABLE_KIND, CBS_DROPDOWNLIST | WS_VSCROLL, {272, 87, 121, 100}),
                        ListBox(IDC_PIN_TABLE_PREVIEW, list, {7, 103, 386, 210}),
                        DefPushButton(IDOK, "OK", {343, 7, 50, 14}),
                        PushButton(IDCANCEL, "Cancel", {343, 24, 50, 14}),
                    });
    return built;
  }();
  return module;
}

std::vector<std::pair<CString, CString>> ReadFootprints(const std::string& text) {
  std::vector<std::pair<CString, CString>> footprints;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find(';', at);
    if (end == std::string::npos) end = text.size();
    CString entry(text.substr(at, end - at));
    entry.Trim();
    const int equals = entry.Find('=');
    if (equals > 0) footprints.emplace_back(entry.Left(equals).Trim(), entry.Mid(equals + 1).Trim());
    at = end + 1;
  }
  return footprints;
}

CString KindCounts(const CPinoutPlan& plan, const CPinoutPlan::Gate& gate) {
  std::map<std::string, int> counts;
  for (const std::size_t row : gate.rows) ++counts[PinKindName(plan.Kinds()[row])];
  std::string text;
  for (const auto& [kind, count] : counts)
    text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
  return CString(text);
}

}  // namespace

CImportPinTableDialog::CImportPinTableDialog(CDesign* design, const CString& componentLibrary,
                                             const CString& table, CWnd* parent)
    : CDialog(IDD_IMPORT_PIN_TABLE, parent),
      m_design(design),
      m_componentLibrary(componentLibrary),
      m_table(table) {
  Resources::AddModule(&PinTableResources());
}

void CImportPinTableDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_PIN_TABLE_LAYOUT, m_layout);
  DDX_Control(dx, IDC_PIN_TABLE_SPLIT, m_split);
  DDX_Control(dx, IDC_PIN_TABLE_PREVIEW, m_preview);
  DDX_Control(dx, IDC_PIN_TABLE_KIND, m_kind);
}

BOOL CImportPinTableDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  GetDlgItem(IDC_PIN_TABLE_FILE)->SetWindowText(m_table);
  GetDlgItem(IDC_PIN_TABLE_NAME)
      ->SetWindowText(CString(std::filesystem::path(m_table.str()).stem().string()));
  for (const char* layout : kLayouts) m_layout.AddString(layout);
  for (const char* split : kSplits) m_split.AddString(split);
  for (const PinKind kind : kKinds) m_kind.AddString(PinKindName(kind));
  m_kind.EnableWindow(FALSE);
  m_layout.SetCurSel(0);
  m_split.SetCurSel(0);
  OnPreview();
  GotoDlgCtrl(GetDlgItem(IDC_PIN_TABLE_NAME));
  return FALSE;
}

CPinoutImport::Request CImportPinTableDialog::ReadRequest() const {
  CPinoutImport::Request request;
  request.componentLibrary = m_componentLibrary;
  request.table = m_table;
  request.name = GetDlgItem(IDC_PIN_TABLE_NAME)->GetWindowText().Trim();
  request.layout = static_cast<PinTableLayout>(std::max(m_layout.GetCurSel(), 0));
  request.split = static_cast<PinGateSplit>(std::max(m_split.GetCurSel(), 0));
  request.footprints = ReadFootprints(GetDlgItem(IDC_PIN_TABLE_FOOTPRINTS)->GetWindowText().str());
  request.kinds = m_kinds;
  return request;
}

void CImportPinTableDialog::OnPreview() {
  CPinoutImport::Request request = ReadRequest();
  // The preview does not wait for a valid name: the table is what it shows.
  if (request.name.IsEmpty()) request.name = "PART";
  PinTable table;
  CPinoutPlan plan;
  CString error;
  m_preview.ResetContent();
  m_lineRows.clear();
  m_kind.EnableWindow(FALSE);
  if (!CPinoutImport::Prepare(request, table, plan, error)) {
    m_preview.AddString(error);
    return;
  }
  m_rowKinds = plan.Kinds();
  ShowPreview(table, plan);
}

void CImportPinTableDialog::ShowPreview(const PinTable& table, const CPinoutPlan& plan) {
  std::string columns;
  for (const std::string& column : table.columns) columns += (columns.empty() ? "" : ", ") + column;
  AddLine(-1, CString("Columns read (") + PinTableLayoutName(table.layout) + ", line " +
                  CString(std::to_string(table.headerLine)) + "): " + CString(columns));
  AddLine(-1, CString(std::to_string(plan.Gates().size())) + " gates:");
  for (const CPinoutPlan::Gate& gate : plan.Gates())
    AddLine(-1, "    " + gate.symbol + "  " + CString(std::to_string(gate.rows.size())) +
                    " pins: " + KindCounts(plan, gate));
  AddLine(-1, CString(std::to_string(table.packages.size())) + " packages:");
  for (std::size_t p = 0; p < table.packages.size(); ++p) {
    std::size_t balls = 0;
    for (const PinTableRow& row : table.rows) balls += row.balls[p].empty() ? 0 : 1;
    AddLine(-1, "    " + CString(table.packages[p]) + "  " + CString(std::to_string(balls)) + " balls");
  }
  AddLine(-1, CString(std::to_string(table.rows.size())) + " pins (line, ball, name, kind):");
  for (std::size_t i = 0; i < table.rows.size() && i < kPreviewedPins; ++i) {
    const PinTableRow& row = table.rows[i];
    const char* source = m_kinds.contains(i)                             ? " (chosen)"
                         : PinKindOfType(row.type, row.name).has_value() ? ""
                                                                         : " (guessed)";
    AddLine(static_cast<int>(i), "    " + CString(std::to_string(row.line)) + "  " +
                                     CString(row.balls.front()) + "  " + CString(row.name) + "  " +
                                     PinKindName(plan.Kinds()[i]) + source);
  }
}

void CImportPinTableDialog::AddLine(int row, const CString& text) {
  m_preview.AddString(text);
  m_lineRows.push_back(row);
}

void CImportPinTableDialog::OnPinChosen() {
  const int line = m_preview.GetCurSel();
  const int row = line >= 0 && line < static_cast<int>(m_lineRows.size())
                      ? m_lineRows[static_cast<std::size_t>(line)]
                      : -1;
  m_kind.EnableWindow(row >= 0);
  if (row < 0) return;
  m_chosenRow = row;
  m_kind.SelectString(-1, PinKindName(m_rowKinds[static_cast<std::size_t>(row)]));
}

void CImportPinTableDialog::OnKindChanged() {
  const int chosen = m_kind.GetCurSel();
  if (m_chosenRow < 0 || chosen < 0) return;
  m_kinds[static_cast<std::size_t>(m_chosenRow)] = kKinds[chosen];
  const int line = m_preview.GetCurSel();
  OnPreview();
  m_preview.SetCurSel(line);
  OnPinChosen();
}

void CImportPinTableDialog::OnOK() {
  const CPinoutImport::Request request = ReadRequest();
  PinTable table;
  CPinoutPlan plan;
  CString error;
  if (CPinoutImport::Prepare(request, table, plan, error) &&
      !CComponentLibraryEdit::HasComponent(m_componentLibrary, request.name, error) && error.IsEmpty()) {
    m_notes.clear();
    if (CPinoutImport::BuildAndSaveSymbols(request, table, plan, *m_design, m_notes, error)) {
      EndDialog(IDOK);
      return;
    }
    // The design is the new component's alone: a failed build leaves none of it.
    while (m_design->FirstComponent() != nullptr) m_design->DeleteComponent(m_design->FirstComponent());
  } else if (error.IsEmpty()) {
    error.Format("The library already holds a component named \"%s\".", request.name.c_str());
  }
  AfxMessageBox(error, MB_OK | MB_ICONWARNING);
}
