// The resources built into the three programs, read back from the
// executables through the system's loader, and the animated picture that the
// About window loads from its folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "little_endian.h"
#include "paths.h"
#include "program_facts.h"
#include "version.h"

namespace {

const WORD kLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_AUS);  // 3081

std::string committed(const char* name) {
  return read_text_file(source_path((std::string("resources/") + name).c_str()));
}

BOOL CALLBACK collect_language(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out) {
  reinterpret_cast<std::vector<WORD>*>(out)->push_back(language);
  return TRUE;
}

// A built program mapped as a data file, for reading its resources.
class program_file {
 public:
  explicit program_file(const char* exe)
      : module_(LoadLibraryExA(program_path(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~program_file() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  program_file(const program_file&) = delete;
  program_file& operator=(const program_file&) = delete;

  bool loaded() const { return module_ != nullptr; }

  // The resource's bytes in the programs' language; empty when it is missing.
  std::string data(LPCSTR type, LPCSTR name) const {
    HRSRC found = FindResourceExA(module_, type, name, kLanguage);
    if (found == nullptr) return {};
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return bytes != nullptr ? std::string(bytes, SizeofResource(module_, found)) : std::string();
  }

  // Every language that the resource is stored in.
  std::vector<WORD> languages(LPCSTR type, LPCSTR name) const {
    std::vector<WORD> found;
    EnumResourceLanguagesA(module_, type, name, collect_language,
                           reinterpret_cast<LONG_PTR>(&found));
    return found;
  }

  // The icon group: an entry of `bits` per pixel at each size the system
  // asks for, small and large icons at 100 % to 200 % and Explorer's 256,
  // each image the one in the committed icon file.
  void expect_icon(const char* ico_file, unsigned bits) const {
    SCOPED_TRACE(ico_file);
    const std::string group = data(RT_GROUP_ICON, MAKEINTRESOURCEA(PROGRAM_ICON_GROUP_ID));
    const unsigned sizes[] = {32, 16, 20, 24,
                              40, 48, 64, 256};  // 32 first, as loads of no size take
    ASSERT_EQ(group.size(), 6u + 14u * 8);
    EXPECT_EQ(read_u16(group, 0), 0u);
    EXPECT_EQ(read_u16(group, 2), 1u);
    EXPECT_EQ(read_u16(group, 4), 8u);
    const std::string file = committed(ico_file);
    for (int i = 0; i < 8; ++i) {
      const std::size_t entry = 6 + 14 * i;
      EXPECT_EQ(static_cast<unsigned char>(group[entry]), sizes[i] & 0xFF);  // 0 for 256
      EXPECT_EQ(static_cast<unsigned char>(group[entry + 1]), sizes[i] & 0xFF);
      const bool png = sizes[i] == 256;  // compressed, 8-bit RGBA
      EXPECT_EQ(read_u16(group, entry + 6), png ? 32u : bits);
      std::string image = data(RT_ICON, MAKEINTRESOURCEA(read_u16(group, entry + 12)));
      EXPECT_EQ(image.size(), read_u32(group, entry + 8));
      EXPECT_EQ(png ? read_u32(image, 16) : read_u32(image, 4), png ? 0x10000u : sizes[i]);
      EXPECT_EQ(read_u16(image, png ? 24 : 14), png ? 0x608u : bits);
      HICON drawn =
          CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&image[0]),
                                   static_cast<DWORD>(image.size()), TRUE, 0x30000, 0, 0, 0);
      EXPECT_NE(drawn, nullptr) << "the system cannot read image " << sizes[i];
      if (drawn != nullptr) DestroyIcon(drawn);
      const std::size_t file_entry = 6 + 16 * i;
      EXPECT_TRUE(image ==
                  file.substr(read_u32(file, file_entry + 12), read_u32(file, file_entry + 8)))
          << "icon image " << sizes[i] << " differs from the file";
    }
    EXPECT_EQ(languages(RT_GROUP_ICON, MAKEINTRESOURCEA(PROGRAM_ICON_GROUP_ID)),
              std::vector<WORD>{kLanguage});
  }

  // A sound: the committed WAV file byte for byte, stored only in the
  // programs' language.
  void expect_sound(int id, const char* wav_file, std::size_t size, std::uint32_t rate,
                    unsigned bits) const {
    SCOPED_TRACE(wav_file);
    const std::string sound = data(RT_RCDATA, MAKEINTRESOURCEA(id));
    ASSERT_EQ(sound.size(), size);
    EXPECT_EQ(sound.substr(0, 4), "RIFF");
    EXPECT_EQ(sound.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(read_u16(sound, 20), 1u);  // PCM
    EXPECT_EQ(read_u16(sound, 22), 1u);  // mono
    EXPECT_EQ(read_u32(sound, 24), rate);
    EXPECT_EQ(read_u16(sound, 34), bits);
    EXPECT_TRUE(sound == committed(wav_file)) << "sound differs from the file";
    EXPECT_EQ(languages(RT_RCDATA, MAKEINTRESOURCEA(id)), std::vector<WORD>{kLanguage});
  }

 private:
  HMODULE module_;
};

TEST(ProgramResources, LapwickHasItsChimeAndSixteenColourIcon) {
  const program_file lapwick("Lapwick.exe");
  ASSERT_TRUE(lapwick.loaded());
  lapwick.expect_sound(LAPWICK_CHIME_SOUND, "lapwick_chime.wav", LAPWICK_CHIME_BYTES, 11025, 16);
  lapwick.expect_icon("lapwick.ico", 4);
  EXPECT_TRUE(lapwick.data(RT_RCDATA, MAKEINTRESOURCEA(ABOUT_CLOSING_SOUND)).empty());
}

TEST(ProgramResources, AboutHasClickClosingSoundAndTrueColourIcon) {
  const program_file about("OmbrelAbout.exe");
  ASSERT_TRUE(about.loaded());
  about.expect_sound(ABOUT_CLICK_SOUND, "about_click.wav", ABOUT_CLICK_BYTES, 22050, 8);
  about.expect_sound(ABOUT_CLOSING_SOUND, "about_close.wav", ABOUT_CLOSE_BYTES, 22050, 8);
  about.expect_icon("about.ico", 24);
  // The click alone has a "fact" chunk, after an 18-byte format.
  const std::string click = about.data(RT_RCDATA, MAKEINTRESOURCEA(ABOUT_CLICK_SOUND));
  EXPECT_EQ(read_u32(click, 16), 18u);
  EXPECT_EQ(click.substr(38, 4), "fact");
  EXPECT_EQ(read_u32(click, 46), 4578u);
}

TEST(ProgramResources, SplashHasItsPaletteBitmapAndTrueColourIcon) {
  const program_file splash("OmbrelSplash.exe");
  ASSERT_TRUE(splash.loaded());
  splash.expect_icon("splash.ico", 24);
  const std::string dib = splash.data(RT_BITMAP, SPLASH_BITMAP);
  ASSERT_EQ(dib.size(), 30956u);
  // The rest of the header is checked on the file itself.
  EXPECT_EQ(read_u32(dib, 0), 40u);
  EXPECT_EQ(read_u32(dib, 4), static_cast<std::uint32_t>(SPLASH_PICTURE_WIDTH));
  EXPECT_EQ(read_u32(dib, 8),
            static_cast<std::uint32_t>(SPLASH_PICTURE_HEIGHT));  // positive: bottom-up
  EXPECT_EQ(read_u16(dib, 14), 8u);
  EXPECT_EQ(read_u32(dib, 32), 256u);
  EXPECT_TRUE(dib == committed("splash.bmp").substr(14)) << "bitmap differs from the file";
  EXPECT_EQ(splash.languages(RT_BITMAP, SPLASH_BITMAP), std::vector<WORD>{kLanguage});
}

// The version resource as the system's own version functions read it (the
// host script tests/scripts/check_resources.py parses the same bytes on its
// own). Version numbers, product, vendor and copyright are release
// settings: they are expected as resources/version.h has them.
std::string version_string(const std::vector<char>& info, const char* name) {
  const std::string query = std::string("\\StringFileInfo\\0C0904E4\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
      value == nullptr) {
    return "(missing)";
  }
  return value;
}

TEST(ProgramResources, VersionFieldsReadThroughTheSystem) {
  struct program {
    const char* exe;
    const char* description;
    const char* file_version;
    DWORD file_version_ms;
  };
  const program programs[] = {
      {"Lapwick.exe", "Lapwick stopwatch", LAPWICK_VERSION_TEXT,
       MAKELONG(LAPWICK_VERSION_MINOR, LAPWICK_VERSION_MAJOR)},
      {"OmbrelAbout.exe", OMBREL_PRODUCT_NAME " About window", OMBREL_VERSION_TEXT,
       MAKELONG(OMBREL_VERSION_MINOR, OMBREL_VERSION_MAJOR)},
      {"OmbrelSplash.exe", OMBREL_PRODUCT_NAME " splash screen", OMBREL_VERSION_TEXT,
       MAKELONG(OMBREL_VERSION_MINOR, OMBREL_VERSION_MAJOR)}};
  for (const program& p : programs) {
    SCOPED_TRACE(p.exe);
    const std::string path = program_path(p.exe);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    EXPECT_EQ(version_string(info, "CompanyName"), OMBREL_COMPANY_NAME);
    EXPECT_EQ(version_string(info, "FileDescription"), p.description);
    EXPECT_EQ(version_string(info, "FileVersion"), p.file_version);
    EXPECT_EQ(version_string(info, "InternalName"), std::string(p.exe, std::strlen(p.exe) - 4));
    EXPECT_EQ(version_string(info, "LegalCopyright"), OMBREL_COPYRIGHT);
    EXPECT_EQ(version_string(info, "OriginalFilename"), p.exe);
    EXPECT_EQ(version_string(info, "ProductName"), OMBREL_PRODUCT_NAME);
    EXPECT_EQ(version_string(info, "ProductVersion"), OMBREL_VERSION_TEXT);

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwFileVersionMS, p.file_version_ms);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS,
              static_cast<DWORD>(MAKELONG(OMBREL_VERSION_MINOR, OMBREL_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], kLanguage);
    EXPECT_EQ(translation[1], 1252);

    // The manifest is there for the loader: resource 1 of its type, in the
    // programs' one language like every other resource.
    const program_file file(p.exe);
    EXPECT_NE(file.data(RT_MANIFEST, MAKEINTRESOURCEA(1)).find("asInvoker"), std::string::npos);
    EXPECT_EQ(file.languages(RT_MANIFEST, MAKEINTRESOURCEA(1)), std::vector<WORD>{kLanguage});
  }
}

// Draws step `step` of an animated icon onto black and returns the pixels.
std::vector<COLORREF> draw_step(HICON icon, UINT step) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 32, 32);
  HGDIOBJ old = SelectObject(dc, target);
  PatBlt(dc, 0, 0, 32, 32, BLACKNESS);
  DrawIconEx(dc, 0, 0, icon, 32, 32, step, nullptr, DI_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Loaded the way the About window loads it, from the copy beside the programs.
TEST(AnimatedPicture, LoadsAsA32By32IconWhoseFramesDiffer) {
  HANDLE image = LoadImageA(nullptr, program_path("ombrel.ani").c_str(), IMAGE_ICON, 0, 0,
                            LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  ASSERT_NE(image, nullptr);
  HICON icon = static_cast<HICON>(image);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 32);
  EXPECT_EQ(colour.bmHeight, 32);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);

  const std::vector<COLORREF> furled = draw_step(icon, 0);
  const std::vector<COLORREF> open = draw_step(icon, 4);
  int drawn = 0;
  for (COLORREF c : open) drawn += c != 0;
  EXPECT_GT(drawn, 200);
  EXPECT_NE(furled, open);
  DestroyIcon(icon);
}

}  // namespace
