#include "caption_metrics.h"

#include "harness.h"
#include "library_function.h"

namespace {

void set_metrics(NONCLIENTMETRICSW* metrics) {
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof *metrics, metrics,
                        SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

}  // namespace

windows11_caption::windows11_caption(int text_percent) {
  saved_.cbSize = sizeof saved_;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved_, &saved_, 0);
  NONCLIENTMETRICSW metrics = saved_;
  metrics.iCaptionWidth = 46;
  metrics.lfCaptionFont = LOGFONTW{};
  metrics.lfCaptionFont.lfHeight = -12 * text_percent / 100;
  metrics.lfCaptionFont.lfWeight = FW_NORMAL;
  lstrcpyW(metrics.lfCaptionFont.lfFaceName, L"Segoe UI");
  set_metrics(&metrics);
}

windows11_caption::~windows11_caption() { set_metrics(&saved_); }

int caption_text_width(const char* text, int dpi) {
  using for_dpi_call = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  const auto for_dpi =
      loaded_library_function<for_dpi_call>("user32.dll", "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (for_dpi == nullptr ||
      !for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    return -1;
  }
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  HDC screen = GetDC(nullptr);
  HGDIOBJ before = SelectObject(screen, font);
  SIZE extent = {};
  GetTextExtentPoint32A(screen, text, lstrlenA(text), &extent);
  SelectObject(screen, before);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return extent.cx;
}

int caption_room(HWND window, int dpi) {
  TITLEBARINFO bar = {};
  bar.cbSize = sizeof bar;
  if (!GetTitleBarInfo(window, &bar)) return -1;
  return bar.rcTitleBar.right - bar.rcTitleBar.left - 3 * metric_for_dpi(SM_CXSIZE, dpi);
}
