// The About window: its class, its building and its window procedure,
// which routes the menu commands.
#pragma once

#include <windows.h>

#include "version.h"

// Class styles: the window keeps its own drawing context (about_dc).
constexpr UINT ABOUT_CLASS_STYLE = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
constexpr DWORD ABOUT_WINDOW_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// Form size in dialog units: 318 by 364 pixels with factors of 2.
constexpr int ABOUT_FORM_WIDTH = 155;
constexpr int ABOUT_FORM_HEIGHT = 170;
// The picture sits at (70, 70) dialog units.
constexpr int PICTURE_X = 70;
constexpr int PICTURE_Y = 70;
constexpr const char PICTURE_FILE[] = "ombrel.ani";
// Created under this caption; the user sees the title set just before the
// window is shown.
constexpr const char ABOUT_FORM_CAPTION[] = "About Ombrel";
// The product and its major version: "Ombrel Rezizazuriro 3".
constexpr const char ABOUT_TITLE[] = OMBREL_PRODUCT_NAME " " OMBREL_STRINGIZE(OMBREL_VERSION_MAJOR);
// Common control classes initialised at start (list view, tree view, bars,
// tabs, up-down, progress, date).
constexpr DWORD ABOUT_COMMON_CONTROLS = 0x13F;

// Registers the window class over about_class_name and module_instance.
void register_about_class();
void init_common_controls();

// Builds the window, its picture, context and menu, places and shows it,
// then draws the version page. When another instance runs it posts the quit
// message instead and creates nothing.
void build_about_window();

LRESULT CALLBACK about_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
