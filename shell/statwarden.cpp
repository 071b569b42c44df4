// Statwarden: the entry point, the main window and its command dispatch.
#include <windows.h>

#include <commctrl.h>

#include "autoscan_win32.h"
#include "blit_picture.h"
#include "config_file.h"
#include "dialogs.h"
#include "help_viewer.h"
#include "open_pud_win32.h"
#include "report_list_win32.h"
#include "report_texts.h"
#include "resource.h"
#include "scan_win32.h"
#include "show_map.h"
#include "start_dir.h"
#include "support_files.h"

namespace {

constexpr char kClassName[] = "Statwarden";

// Painted above the list: the columns of the report.
constexpr char kReportHeader[] = "    Name                          Standard     This pud";
static_assert(IsColumnHeading(kReportHeader));

constexpr COLORREF kBackground = RGB(128, 128, 128);

HINSTANCE Instance;
HWND MainWindow;
HACCEL Accelerators;
HBITMAP MainPicture;

// The Config menu's check mark beside "Check every field" while it is on.
void ShowAllFieldsMark(HWND window) {
  CheckMenuItem(GetMenu(window), IDM_ALL_FIELDS,
                static_cast<UINT>(MF_BYCOMMAND | (AllFieldsFlag != 0 ? MF_CHECKED : MF_UNCHECKED)));
}

// Every command, whether from the menu, a button, a key or the Autoscan dialog; the identifier
// alone decides.
void HandleCommand(HWND window, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDM_OPEN:
      OpenAnyPud(window);
      break;
    case IDM_SHOW_MAP:
      ShowMap(window);
      break;
    case IDM_EXIT:
      DestroyWindow(window);
      break;
    case IDM_SOUND:
      DialogBoxParamA(Instance, "NoClearConfig", window, SoundDlgProc, 0);
      break;
    case IDM_ALL_FIELDS:
      AllFieldsFlag = AllFieldsFlag != 0 ? 0 : 1;
      ShowAllFieldsMark(window);
      break;
    case IDM_HELP:
      ShowHelp(window);
      break;
    case IDM_ABOUT:
      DialogBoxParamA(Instance, "AboutDlg", window, AboutDlgProc, 0);
      break;
    case IDC_SCAN:
      RestoreStartDir();
      ScanLatestPud(window);
      break;
    case IDC_AUTOSCAN:
      DialogBoxParamA(Instance, "Scan", window, AutoscanDlgProc, 0);
      break;
    default:  // Clear (whose menu is grayed), list notifications, anything else
      break;
  }
}

void PaintMainWindow(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  HDC dc = GetDC(window);
  SetBkColor(dc, kBackground);
  TextOutA(dc, 30, 10, kReportHeader, sizeof kReportHeader - 1);
  BlitPicture(dc, MainPicture, 435, 60, 300, 270);
  ReleaseDC(window, dc);
  EndPaint(window, &paint);
}

void CreateButtons(HWND window) {
  CreateWindowExA(0, "button", "Scan", WS_CHILD | WS_VISIBLE, 450, 240, 80, 25, window,
                  reinterpret_cast<HMENU>(IDC_SCAN), Instance, nullptr);
  CreateWindowExA(0, "button", "Autoscan", WS_CHILD | WS_VISIBLE, 450, 285, 80, 25, window,
                  reinterpret_cast<HMENU>(IDC_AUTOSCAN), Instance, nullptr);
}

void ShutDown(HWND window) {
  CloseHelp(window);
  WriteConfig();
  Sleep(5);
  DeleteSupportFiles();
  PostQuitMessage(0);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateButtons(window);
      break;
    case WM_DESTROY:
      ShutDown(window);
      break;
    case WM_PAINT:
      PaintMainWindow(window);
      break;
    case WM_CLOSE:
      DestroyWindow(window);
      break;
    case WM_COMMAND:
      HandleCommand(window, wParam);
      break;
    case WM_DROPFILES:
      OpenDroppedPud(window, reinterpret_cast<HDROP>(wParam));
      break;
    case WM_INITMENU:
      SendMessageA(ReportList, LB_SETTABSTOPS, 5, reinterpret_cast<LPARAM>(ReportTabStops));
      // Show map once a map has been analysed; keys send this too, before their command.
      EnableMenuItem(reinterpret_cast<HMENU>(wParam), IDM_SHOW_MAP,
                     MF_BYCOMMAND | (AnalysedPud[0] != '\0' ? MF_ENABLED : MF_GRAYED));
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterMainClass() {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = Instance;
  windowClass.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(IDI_STATWARDEN));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  windowClass.lpszMenuName = "MainMenu";
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int) {
  Instance = instance;
  // The manifest asks for the common controls of version 6, whose library Windows XP loads only
  // when the program calls into it: without it no button or dialog could be made there.
  InitCommonControls();
  if (previous == nullptr) RegisterMainClass();
  SaveStartDir();
  AboutPicture = LoadBitmapA(Instance, "mascot");
  MainPicture = LoadBitmapA(Instance, "war2");
  ReadConfig();

  MainWindow = CreateWindowExA(WS_EX_NOPARENTNOTIFY, kClassName, "Statwarden",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50, 605, 450,
                               nullptr, nullptr, Instance, nullptr);
  if (MainWindow == nullptr) return 0;
  ReportList =
      CreateWindowExA(0, "LISTBOX", "Listbox1",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_USETABSTOPS | LBS_HASSTRINGS, 20, 30,
                      400, 350, MainWindow, nullptr, Instance, nullptr);
  ShowWindow(MainWindow, SW_SHOWNORMAL);
  ShowWindow(ReportList, SW_SHOWNORMAL);
  UpdateWindow(MainWindow);
  UpdateWindow(ReportList);
  HMENU menu = GetMenu(MainWindow);
  EnableMenuItem(menu, 2, MF_BYPOSITION | MF_GRAYED);
  ShowAllFieldsMark(MainWindow);
  DrawMenuBar(MainWindow);
  // A map dropped on the window is checked as one chosen with File, Open.
  DragAcceptFiles(MainWindow, TRUE);
  Accelerators = LoadAcceleratorsA(Instance, "MainMenu");

  ExtractResource("swhelp", "HLP", L"sw_", L".hlp", HelpPath);
  ExtractResource("happy", "EXE", L"hpy", L".exe", HappyPath);
  ExtractResource("alarm", "EXE", L"alm", L".exe", AlarmPath);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(MainWindow, Accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  // The window is gone; a tune that still plays is waited for, so that its file goes too.
  FinishDeletingSupportFiles();
  return static_cast<int>(message.wParam);
}
