#include "app/fill_series_dialog.h"

#include <charconv>
#include <iterator>
#include <string>

#include "app/app_resources.h"
#include "platform/data_exchange.h"
#include "platform/message_box.h"

IMPLEMENT_DYNAMIC(CFillSeriesDialog, CDialog)

const MessageMap CFillSeriesDialog::kMessageMap{
    &CDialog::kMessageMap,
    {
        NotifyEntry(CBN_SELCHANGE, IDC_FILL_KIND, &CFillSeriesDialog::OnKindChanged),
    }};

namespace {

// In the order of SeriesKind.
const char* const kKindNames[] = {"Numbers", "Ball names along rows (A1, A2, ...)",
                                  "Ball names down columns (A1, B1, ...)"};

bool ReadWholeNumber(CString text, int& value) {
  const std::string trimmed = text.Trim().str();
  const char* end = trimmed.data() + trimmed.size();
  const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
  return !trimmed.empty() && error == std::errc() && stop == end;
}

}  // namespace

CFillSeriesDialog::CFillSeriesDialog(const CString& target, CWnd* parent)
    : CDialog(IDD_FILL_SERIES, parent), m_target(target) {
  Resources::AddModule(&AppResources());
}

void CFillSeriesDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_FILL_KIND, m_kind);
}

BOOL CFillSeriesDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  GetDlgItem(IDC_FILL_TARGET)->SetWindowText(m_target);
  for (const char* name : kKindNames) m_kind.AddString(name);
  m_kind.SetCurSel(0);
  GetDlgItem(IDC_FILL_START)->SetWindowText("1");
  GetDlgItem(IDC_FILL_STEP)->SetWindowText("1");
  OnKindChanged();
  GotoDlgCtrl(GetDlgItem(IDC_FILL_START));
  return FALSE;
}

SeriesKind CFillSeriesDialog::ChosenKind() const {
  const int chosen = m_kind.GetCurSel();
  return chosen > 0 && chosen < static_cast<int>(std::size(kKindNames)) ? static_cast<SeriesKind>(chosen)
                                                                        : SeriesKind::Numbers;
}

// The width matters to ball names only, and the first value of those is a ball.
void CFillSeriesDialog::OnKindChanged() {
  const SeriesKind kind = ChosenKind();
  const bool balls = kind != SeriesKind::Numbers;
  GetDlgItem(IDC_FILL_WIDTH)->EnableWindow(balls);
  GetDlgItem(IDC_FILL_WIDTH_LABEL)->EnableWindow(balls);
  GetDlgItem(IDC_FILL_WIDTH_LABEL)
      ->SetWindowText(kind == SeriesKind::BallsDownColumns ? "Balls per &column:" : "Balls per &row:");
  GetDlgItem(IDC_FILL_START_LABEL)->SetWindowText(balls ? "&First ball:" : "&Start:");
  const CString start = GetDlgItem(IDC_FILL_START)->GetWindowText();
  int number = 0;
  if (balls && ReadWholeNumber(start, number)) GetDlgItem(IDC_FILL_START)->SetWindowText("A1");
  if (!balls && !ReadWholeNumber(start, number)) GetDlgItem(IDC_FILL_START)->SetWindowText("1");
}

bool CFillSeriesDialog::ReadSeries(FillSeries& series, CString& error) const {
  series.kind = ChosenKind();
  const bool balls = series.kind != SeriesKind::Numbers;
  if (!ReadWholeNumber(GetDlgItem(IDC_FILL_STEP)->GetWindowText(), series.step) ||
      (balls && series.step < 1)) {
    error =
        balls ? "The step must be a whole number of balls, 1 or more." : "The step must be a whole number.";
    return false;
  }
  const CString start = GetDlgItem(IDC_FILL_START)->GetWindowText();
  if (!balls) {
    if (ReadWholeNumber(start, series.start)) return true;
    error = "The start must be a whole number.";
    return false;
  }
  if (!ReadWholeNumber(GetDlgItem(IDC_FILL_WIDTH)->GetWindowText(), series.lineLength) ||
      series.lineLength < 1) {
    error = "The grid's width must be a whole number of balls, 1 or more.";
    return false;
  }
  CString name = start;
  name.Trim();
  if (BallPosition(series, name, series.start)) return true;
  error.Format("\"%s\" is not a ball of a grid %d balls %s.", name.c_str(), series.lineLength,
               series.kind == SeriesKind::BallsAlongRows ? "wide" : "high");
  return false;
}

void CFillSeriesDialog::OnOK() {
  FillSeries series;
  CString error;
  if (!ReadSeries(series, error)) {
    AfxMessageBox(error, MB_OK | MB_ICONWARNING);
    return;
  }
  m_series = series;
  EndDialog(IDOK);
}
