// The screen tests run inside a wx application; each test drives its own event loop.
#include <gtest/gtest.h>
#include <wx/app.h>

namespace {
class TestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};
}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxEntryStart(argc, argv);
  if (!wxTheApp->CallOnInit()) return 1;
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
