// Makes the packages of the built-in skins and the user skin, the default
// skin icons and the resource script that carries them, from the theme
// table. Run at build time (under Wine on Linux):
//
//   SkinGen <theme table> <output folder> <output folder as the script names it>
//
// Every package is written by the skin core's own writer, so the program
// reads back exactly what its writer produces; only the icons are put in
// afterwards (see PackageBytes). Nothing is read back here:
// checking the packages is the tests' work.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "app/LinkOrder.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemUnits.h"
#include "skins/dxSkinsCore.h"
#include "tools/SkinGenPackage.h"
#include "tools/SkinGenThemes.h"

namespace {

std::string ReadTextFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> file(rtl::New<rtl::TFileStream>(AFileName, rtl::fmOpenRead | rtl::fmShareDenyWrite));
  std::string text(static_cast<std::size_t>(file->GetSize()), '\0');
  if (!text.empty())
    file->ReadBuffer(text.data(), static_cast<int>(text.size()));
  return text;
}

void WriteFile(const rtl::String& AFileName, const void* AData, std::size_t ASize)
{
  rtl::TOwnedPtr<rtl::TFileStream> file(rtl::New<rtl::TFileStream>(AFileName, rtl::fmCreate));
  if (ASize != 0)
    file->WriteBuffer(AData, static_cast<int>(ASize));
}

rtl::String Upper(rtl::String AText)
{
  for (wchar_t& c : AText)
    c = static_cast<wchar_t>(std::towupper(c));
  return AText;
}

rtl::String Wide(const std::string& AText)
{
  return rtl::String(AText.begin(), AText.end());
}

// The resource name and file of each output.
struct TSkinGenOutput {
  rtl::String Resource;
  rtl::String File;
};

void Generate(const rtl::String& ATable, const rtl::String& AFolder, const rtl::String& AScriptFolder)
{
  const std::vector<skingen::TTheme> themes = skingen::ReadThemeTable(ReadTextFile(ATable));
  std::vector<TSkinGenOutput> outputs;
  for (const skingen::TTheme& theme : themes) {
    const rtl::String name = theme.IsUserSkin() ? rtl::String(L"DefaultUserSkinData") : Wide(theme.Name);
    rtl::TOwnedPtr<TdxSkin> skin(skingen::BuildSkin(theme));
    const std::vector<std::uint8_t> package = skingen::PackageBytes(skin.get(), theme);
    WriteFile(AFolder + L"\\" + name + L".skin", package.data(), package.size());
    outputs.push_back({Upper(name), name + L".skin"});
  }
  for (const auto& [size, name] : {std::pair{16, L"DefaultSkinIconSmall"}, std::pair{48, L"DefaultSkinIconLarge"}}) {
    const std::vector<std::uint8_t> icon = skingen::DefaultSkinIcon(size);
    WriteFile(AFolder + L"\\" + name + L".png", icon.data(), icon.size());
    outputs.push_back({Upper(name), rtl::String(name) + L".png"});
  }
  // The script comes last: the build takes it as the sign that all is made.
  std::string script = "// Made by SkinGen from the theme table; not to be edited.\n";
  for (const TSkinGenOutput& output : outputs) {
    const std::wstring line = output.Resource + L" DXSKINS \"" + AScriptFolder + L"/" + output.File + L"\"\n";
    script.append(line.begin(), line.end());
  }
  WriteFile(AFolder + L"\\Skins.rc", script.data(), script.size());
}

// The skin core and what it stands on, in the program's order. The build
// runs the generator with no display, where Wine makes no window at all:
// the units that make one at start-up (the system-colour listener of the
// core graphics, for one), or work with themes and the screen, stay down.
std::vector<const rtl::UnitInfo*> GeneratorUnits()
{
  static constexpr std::string_view Needed[] = {"dxCore",       "dxGenerics",       "cxClasses",  "cxGeometry",
                                                "dxGDIPlusAPI", "dxGDIPlusClasses", "dxSkinsCore"};
  std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
  std::erase_if(units, [](const rtl::UnitInfo* AUnit) {
    return std::find(std::begin(Needed), std::end(Needed), std::string_view(AUnit->name)) == std::end(Needed);
  });
  return units;
}

int ReportError(const wchar_t* AMessage)
{
  std::fwprintf(stderr, L"SkinGen: %ls\n", AMessage);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
  if (argc != 4) {
    std::fwprintf(stderr, L"usage: SkinGen <theme table> <output folder> <output folder as the script names it>\n");
    return 2;
  }
  try {
    const std::vector<const rtl::UnitInfo*> units = GeneratorUnits();
    rtl::InitUnits(units);
    Generate(argv[1], argv[2], argv[3]);
    rtl::FinalizeUnits();
    return 0;
  } catch (const rtl::Exception& e) {
    return ReportError(e.Message().c_str());
  } catch (const std::exception& e) {
    const std::string what = e.what();
    return ReportError(rtl::String(what.begin(), what.end()).c_str());
  }
}
