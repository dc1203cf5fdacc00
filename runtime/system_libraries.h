// The system libraries that are not among Windows' Known DLLs (winmm for
// sound, comctl32 for the common controls, dwmapi for the desktop
// composition's caption) are never imported: a DLL of
// that name beside the program would be loaded in their place. They are
// loaded here, from the system folder only, on first use and once, and
// their functions taken by name. The programs import Known DLLs alone.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

// Called first at start: every later library load, the system's own on the
// program's behalf included (sound drivers, shell extensions), searches the
// system folder only where the system can say so, and at least no longer
// searches the current folder where it cannot.
void restrict_library_search();

// PlaySoundA with no module. Without winmm or its function, nothing is
// played and the result is FALSE, as with no sound device.
BOOL system_play_sound(LPCSTR sound, DWORD flags);

// timeBeginPeriod and timeEndPeriod: the system timer's tick asked for
// and given back. Without winmm or the function, nothing is asked and the
// result is TIMERR_NOCANDO.
MMRESULT system_time_begin_period(UINT period_ms);
MMRESULT system_time_end_period(UINT period_ms);

// InitCommonControlsEx. Without comctl32 or its function, nothing is
// initialised and the result is FALSE.
BOOL system_init_common_controls(const INITCOMMONCONTROLSEX* controls);

// DwmGetWindowAttribute: DWM's own answer (an error where composition is
// off). Without dwmapi or its function nothing is read and the result is
// E_NOTIMPL.
HRESULT system_dwm_window_attribute(HWND window, DWORD attribute, void* value, DWORD size);
