#include "editor/dialogs/display_dialog.h"

#include "editor/resources/resource_ids.h"
#include "platform/app_registry.h"

namespace {

struct StoredColour {
  const char* name;
  int controlId;
};

// The dialog's combos and the values they store, in the order the combos are stored.
constexpr std::array<StoredColour, 9> kStoredColours{{
    {"UnassignedPins", IDC_COLOUR_UNASSIGNED_PINS},
    {"Text", IDC_COLOUR_TEXT},
    {"Outlines", IDC_COLOUR_OUTLINES},
    {"Selection", IDC_COLOUR_SELECTION},
    {"Highlight", IDC_COLOUR_HIGHLIGHT},
    {"Background", IDC_COLOUR_BACKGROUND},
    {"AssignedPins", IDC_COLOUR_ASSIGNED_PINS},
    {"PinNames", IDC_COLOUR_TERMINAL_NAMES},
    {"PinNumbers", IDC_COLOUR_TERMINAL_NUMBERS},
}};

// Read in the order the views read them, so that missing values take the same palette
// entries here as in the drawings.
constexpr std::array<StoredColour, 9> kReadingOrder{{
    {"Background", IDC_COLOUR_BACKGROUND},
    {"AssignedPins", IDC_COLOUR_ASSIGNED_PINS},
    {"UnassignedPins", IDC_COLOUR_UNASSIGNED_PINS},
    {"Text", IDC_COLOUR_TEXT},
    {"Outlines", IDC_COLOUR_OUTLINES},
    {"Selection", IDC_COLOUR_SELECTION},
    {"Highlight", IDC_COLOUR_HIGHLIGHT},
    {"PinNames", IDC_COLOUR_TERMINAL_NAMES},
    {"PinNumbers", IDC_COLOUR_TERMINAL_NUMBERS},
}};

}  // namespace

CDisplayDialog::CDisplayDialog(CDesign* design, CWnd* parent)
    : CDialog(IDD_DISPLAY, parent), m_design(design) {}

void CDisplayDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  for (size_t i = 0; i < kColourCount; ++i) DDX_Control(dx, kStoredColours[i].controlId, m_colours[i]);
}

CDesignColoursComboBox& CDisplayDialog::ComboOf(int controlId) {
  for (size_t i = 0; i < kColourCount; ++i) {
    if (kStoredColours[i].controlId == controlId) return m_colours[i];
  }
  return m_colours.front();
}

BOOL CDisplayDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const StoredColour& colour : kReadingOrder) {
    ComboOf(colour.controlId).SetUp(m_design, m_reader.GetColour(colour.name));
  }
  return TRUE;
}

// A value that cannot be kept leaves the one stored before; the views read whatever is
// there, so there is nothing to tell the user.
void CDisplayDialog::OnOK() {
  CAppRegistry registry(kViewColoursKey);
  for (size_t i = 0; i < kColourCount; ++i) {
    registry.SetValue(kStoredColours[i].name, static_cast<unsigned long>(m_colours[i].GetColour()));
  }
  CDialog::OnOK();
}
