// Where things are for a test under Wine: the built programs, the source
// tree, and fresh files and folders in the bench's temporary folder.
#pragma once

#include <string>

// Windows path of a built program, e.g. "Z:\...\bin\OmbrelSplash.exe".
std::string program_path(const char* exe_name);
// Windows form of a path under the source tree (OMBREL_SOURCE_DIR).
std::string source_path(const char* relative);
// Windows form of a Unix path (Wine maps / to drive Z:).
std::string wine_path(const std::string& unix_path);

std::string read_text_file(const std::string& windows_path);
// A fresh file name in the bench's temporary folder.
std::string temp_file(const char* stem);
// A fresh empty folder in the bench's temporary folder (Windows path, with
// a trailing backslash).
std::string fresh_folder(const char* stem);
