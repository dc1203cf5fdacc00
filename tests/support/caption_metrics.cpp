#include "caption_metrics.h"

#include "display_dpi.h"
#include "library_function.h"

windows11_caption::windows11_caption(int text_percent) {
  saved.cbSize = sizeof saved;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
  NONCLIENTMETRICSW metrics = saved;
  metrics.iCaptionWidth = 46;
  metrics.lfCaptionFont = LOGFONTW{};
  metrics.lfCaptionFont.lfHeight = -12 * text_percent / 100;
  metrics.lfCaptionFont.lfWeight = FW_NORMAL;
  lstrcpyW(metrics.lfCaptionFont.lfFaceName, L"Segoe UI");
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

windows11_caption::~windows11_caption() {
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved,
                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

int caption_room_left(HWND window, const char* title, int dpi) {
  const auto for_dpi = loaded_library_function<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>(
      "user32.dll", "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  TITLEBARINFO bar = {};
  bar.cbSize = sizeof bar;
  if (for_dpi == nullptr || !GetTitleBarInfo(window, &bar) ||
      !for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    return -1000;
  }
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  HDC screen = GetDC(nullptr);
  HGDIOBJ before = SelectObject(screen, font);
  SIZE text = {};
  GetTextExtentPoint32A(screen, title, lstrlenA(title), &text);
  SelectObject(screen, before);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return bar.rcTitleBar.right - bar.rcTitleBar.left - 3 * metric_for_dpi(SM_CXSIZE, dpi) - text.cx;
}
