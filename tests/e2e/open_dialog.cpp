#include "open_dialog.h"

#include "e2e_fixture.h"

namespace {

// The identifier of the file-name field and of both controls around it.
constexpr int kFileNameId = 0x47C;

}  // namespace

HWND OpenDialog(const AppDriver& app) {
  app.Command(kOpen);
  HWND dialog = app.WaitForDialog(kOpenCaption);
  AwaitPosted(dialog);
  return dialog;
}

HWND FileNameField(HWND dialog) {
  HWND field = dialog;
  for (int depth = 0; depth < 3; ++depth) field = GetDlgItem(field, kFileNameId);
  return field;
}

void Enter(HWND dialog, const std::string& text) {
  SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

bool Choose(HWND dialog, const std::string& text) {
  Enter(dialog, text);
  return WaitUntilHidden(dialog);
}
