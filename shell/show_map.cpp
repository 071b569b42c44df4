#include "show_map.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "dialogs.h"
#include "resource.h"
#include "report_texts.h"
#include "scan_win32.h"
#include "start_reach.h"

namespace {

// The table's columns start at these tab stops (dialog units), under two heading lines.
constexpr int kTabStops[4] = {40, 80, 120, 160};
constexpr const char* kHeadings[2] = {"\tHome mine\t\tWithin 12\tWithin 20",
                                      "Player\tgold\tdistance\tgold\trescuable"};

// Room for a colour and four values of up to 20 digits, each after a tab.
constexpr std::size_t kLineRoom = 8 + 4 * 21 + 1;

// A start's line of the table: its colour, its home mine's gold and distance ("none" for both
// without one), the gold within 12 and the rescuable units within 20.
void StartLine(const StartReach& start, char (&line)[kLineRoom]) {
  const char* color = kPlayerColors[start.player - 1];
  char* at = std::copy(color, color + std::strlen(color), line);
  for (int item = 0; item < kReachItems; ++item) {
    const bool mine = item <= static_cast<int>(ReachItem::HomeMineDistance);
    const std::uint64_t value = mine && !start.homeMine ? kNoDistance : start.values[item];
    *at++ = '\t';
    if (value == kNoDistance) {
      lstrcpyA(at, "none");
    } else {
      _ui64toa(value, at, 10);
    }
    at += std::strlen(at);
  }
}

COLORREF SlotColor(int player) {
  const std::uint32_t color = kOwnerColors[player - 1];
  return RGB(color >> 16, color >> 8 & 0xff, color & 0xff);
}

// Black or white, whichever stands out more on `color`.
COLORREF Contrast(COLORREF color) {
  const int light = GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114;
  return light > 128000 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

// A frame `thickness` pixels wide along the inside of `box`.
void DrawFrame(HDC dc, RECT box, COLORREF color, int thickness) {
  HBRUSH brush = CreateSolidBrush(color);
  for (int line = 0; line < thickness; ++line) {
    FrameRect(dc, &box, brush);
    box = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  }
  DeleteObject(brush);
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// What a start's name must not cover: the gold mines, the frames and the names placed already.
struct Marks {
  const MapLand& land;
  int tile;  // pixels
  int count = 0;
  RECT placed[2 * kPlayerSlots]{};

  bool Cover(const RECT& box) const {
    for (int i = 0; i < count; ++i) {
      if (Overlaps(box, placed[i])) return true;
    }
    for (const MapUnit& unit : land.units) {
      const int side = FootprintOf(kGoldMine).width;
      const RECT mine{unit.x * tile, unit.y * tile, (unit.x + side) * tile, (unit.y + side) * tile};
      if (unit.type == kGoldMine && Overlaps(box, mine)) return true;
    }
    return false;
  }
};

// Where a label of `size` goes beside `frame`: to its right, left, below or above, moved within
// `bounds`, the first place that covers no mark; false where every place covers one, and the
// start keeps its frame alone.
bool PlaceLabel(const RECT& frame, SIZE size, const RECT& bounds, const Marks& marks, RECT& label) {
  const LONG middleX = (frame.left + frame.right - size.cx) / 2;
  const LONG middleY = (frame.top + frame.bottom - size.cy) / 2;
  const POINT corners[4] = {{frame.right + 1, middleY},
                            {frame.left - 1 - size.cx, middleY},
                            {middleX, frame.bottom + 1},
                            {middleX, frame.top - 1 - size.cy}};
  for (const POINT& corner : corners) {
    const LONG left = std::max(bounds.left, std::min(corner.x, bounds.right - size.cx));
    const LONG top = std::max(bounds.top, std::min(corner.y, bounds.bottom - size.cy));
    label = {left, top, left + size.cx, top + size.cy};
    if (!marks.Cover(label)) return true;
  }
  return false;
}

// The picture at `scale`, each start framed in its slot's colour with the colour's name beside
// it, clear of the gold mines, the frames and the other names.
HBITMAP MarkedPicture(const ShownMap& shown, int scale, HFONT font) {
  const Picture& picture = shown.picture;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width * scale;
  info.bmiHeader.biHeight = -picture.height * scale;  // top row first, as the picture's
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  const RECT bounds{0, 0, info.bmiHeader.biWidth, -info.bmiHeader.biHeight};
  // Rows of blue, green, red, each padded to four bytes.
  const int stride = (bounds.right * 3 + 3) & ~3;
  for (int y = 0; y < bounds.bottom; ++y) {
    auto* row = static_cast<std::uint8_t*>(bits) + y * stride;
    const std::uint8_t* source =
        &picture.rgb[static_cast<std::size_t>(y / scale * picture.width * 3)];
    for (int x = 0; x < bounds.right; ++x, row += 3) {
      const std::uint8_t* pixel = source + x / scale * 3;
      row[0] = pixel[2];
      row[1] = pixel[1];
      row[2] = pixel[0];
    }
  }

  // Each frame lies just outside its start tile: an outline, then two lines of the colour.
  constexpr int kFrame = 3;
  Marks marks{shown.land, kPixelsPerTile * scale, 0, {}};
  for (int i = 0; i < shown.reach.count; ++i) {
    const StartReach& start = shown.reach.starts[i];
    marks.placed[marks.count++] = {start.x * marks.tile - kFrame, start.y * marks.tile - kFrame,
                                   (start.x + 1) * marks.tile + kFrame,
                                   (start.y + 1) * marks.tile + kFrame};
  }

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < shown.reach.count; ++i) {
    const StartReach& start = shown.reach.starts[i];
    const COLORREF color = SlotColor(start.player);
    const RECT frame = marks.placed[i];
    DrawFrame(dc, frame, Contrast(color), 1);
    DrawFrame(dc, {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1}, color,
              kFrame - 1);

    const char* name = kPlayerColors[start.player - 1];
    const int length = static_cast<int>(std::strlen(name));
    SIZE size;
    GetTextExtentPoint32A(dc, name, length, &size);
    size.cx += 4;
    RECT label;
    if (!PlaceLabel(frame, size, bounds, marks, label)) continue;
    marks.placed[marks.count++] = label;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &label, brush);
    DeleteObject(brush);
    DrawFrame(dc, label, Contrast(color), 1);
    SetTextColor(dc, Contrast(color));
    TextOutA(dc, label.left + 2, label.top, name, length);
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  return bitmap;
}

struct Size {
  int width;
  int height;
};

Size SizeOf(HWND window) {
  RECT box;
  GetWindowRect(window, &box);
  return {box.right - box.left, box.bottom - box.top};
}

}  // namespace

void ShowMap(HWND owner) {
  if (AnalysedPud[0] == '\0') return;
  ShownMap shown;
  PudFile file(AnalysedPud, true);
  if (!file.IsOpen()) {
    MessageBoxA(owner, "The map can no longer be read.", "Show map", MB_ICONERROR);
    return;
  }
  if (!ReadMapLand(file, shown.land)) {
    MessageBoxA(owner, kNoPicture, "Show map", MB_ICONINFORMATION);
    return;
  }
  DrawPicture(shown.land, shown.picture);
  MeasureReach(shown.land, shown.reach);
  shown.name = AnalysedPud;
  for (const char* c = AnalysedPud; *c != '\0'; ++c) {
    if (*c == '\\') shown.name = c + 1;
  }
  DialogBoxParamA(GetModuleHandleA(nullptr), "MapDlg", owner, MapDlgProc,
                  reinterpret_cast<LPARAM>(&shown));
  if (shown.bitmap != nullptr) DeleteObject(shown.bitmap);
}

void FillMapDialog(HWND dialog, ShownMap& shown) {
  // The name may lie beyond the ANSI code page: the Unicode default procedure keeps it whole.
  wchar_t title[8 + MAX_PATH] = L"Map of ";
  MultiByteToWideChar(CP_UTF8, 0, shown.name, -1, title + 7, MAX_PATH);
  DefWindowProcW(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));

  HWND list = GetDlgItem(dialog, IDC_MAP_STARTS);
  SendMessageA(list, LB_SETTABSTOPS, 4, reinterpret_cast<LPARAM>(kTabStops));
  for (const char* heading : kHeadings) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(heading));
  }
  for (int i = 0; i < shown.reach.count; ++i) {
    char line[kLineRoom];
    StartLine(shown.reach.starts[i], line);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }

  // The picture at the left, where the template puts it, the table at its right, OK under the
  // table; the template's margin around and between them.
  RECT margin{6, 0, 0, 0};
  MapDialogRect(dialog, &margin);
  const int space = margin.left;
  const Size table = SizeOf(list);
  const Size ok = SizeOf(GetDlgItem(dialog, IDOK));
  // The lines and the border's line above and below.
  const int tableHeight = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0) *
                                           SendMessageA(list, LB_GETITEMHEIGHT, 0, 0)) +
                          2;
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  // The caption and the borders: the window's size beyond its client area.
  RECT client;
  GetClientRect(dialog, &client);
  const Size whole = SizeOf(dialog);
  const int chromeWidth = whole.width - client.right;
  const int chromeHeight = whole.height - client.bottom;
  const int workWidth = work.right - work.left;
  const int workHeight = work.bottom - work.top;
  // The largest whole scale that fits: the picture stays crisp.
  const int scale = std::max(
      1, std::min((workWidth - chromeWidth - 3 * space - table.width) / shown.picture.width,
                  (workHeight - chromeHeight - 2 * space) / shown.picture.height));

  // The picture control takes the bitmap's size.
  shown.bitmap =
      MarkedPicture(shown, scale, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
  SendDlgItemMessageA(dialog, IDC_MAP_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(shown.bitmap));
  const int clientHeight =
      2 * space + std::max(shown.picture.height * scale, tableHeight + space + ok.height);
  const int tableLeft = 2 * space + shown.picture.width * scale;
  SetWindowPos(list, nullptr, tableLeft, space, table.width, tableHeight, SWP_NOZORDER);
  SetWindowPos(GetDlgItem(dialog, IDOK), nullptr, tableLeft + table.width - ok.width,
               clientHeight - space - ok.height, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  const int width = tableLeft + table.width + space + chromeWidth;
  const int height = clientHeight + chromeHeight;
  SetWindowPos(dialog, nullptr, work.left + std::max(0, (workWidth - width) / 2),
               work.top + std::max(0, (workHeight - height) / 2), width, height, SWP_NOZORDER);
}
