// The culture names of the core unit: a map from Windows locale identifiers
// to language tags, made at the unit's start-up and freed at its finish.
#include <windows.h>

#include <map>
#include <utility>

#include "core/dxCoreCultures.h"

namespace {

struct TdxCultureNameRow {
  std::uint32_t LCID;
  const wchar_t* Name;
};

// The tags of the Windows locale identifier reference, in ascending order;
// the invariant locale ($007F) has the empty name.
constexpr TdxCultureNameRow kCultureNames[] = {
    {0x0001, L"ar"}, {0x0002, L"bg"}, {0x0003, L"ca"}, {0x0004, L"zh-Hans"}, {0x0005, L"cs"}, {0x0006, L"da"},
    {0x0007, L"de"}, {0x0008, L"el"}, {0x0009, L"en"}, {0x000A, L"es"}, {0x000B, L"fi"}, {0x000C, L"fr"},
    {0x000D, L"he"}, {0x000E, L"hu"}, {0x000F, L"is"}, {0x0010, L"it"}, {0x0011, L"ja"}, {0x0012, L"ko"},
    {0x0013, L"nl"}, {0x0014, L"no"}, {0x0015, L"pl"}, {0x0016, L"pt"}, {0x0017, L"rm"}, {0x0018, L"ro"},
    {0x0019, L"ru"}, {0x001A, L"hr"}, {0x001B, L"sk"}, {0x001C, L"sq"}, {0x001D, L"sv"}, {0x001E, L"th"},
    {0x001F, L"tr"}, {0x0020, L"ur"}, {0x0021, L"id"}, {0x0022, L"uk"}, {0x0023, L"be"}, {0x0024, L"sl"},
    {0x0025, L"et"}, {0x0026, L"lv"}, {0x0027, L"lt"}, {0x0028, L"tg"}, {0x0029, L"fa"}, {0x002A, L"vi"},
    {0x002B, L"hy"}, {0x002C, L"az"}, {0x002D, L"eu"}, {0x002E, L"hsb"}, {0x002F, L"mk"}, {0x0032, L"tn"},
    {0x0034, L"xh"}, {0x0035, L"zu"}, {0x0036, L"af"}, {0x0037, L"ka"}, {0x0038, L"fo"}, {0x0039, L"hi"},
    {0x003A, L"mt"}, {0x003B, L"se"}, {0x003C, L"ga"}, {0x003E, L"ms"}, {0x003F, L"kk"}, {0x0040, L"ky"},
    {0x0041, L"sw"}, {0x0042, L"tk"}, {0x0043, L"uz"}, {0x0044, L"tt"}, {0x0045, L"bn"}, {0x0046, L"pa"},
    {0x0047, L"gu"}, {0x0048, L"or"}, {0x0049, L"ta"}, {0x004A, L"te"}, {0x004B, L"kn"}, {0x004C, L"ml"},
    {0x004D, L"as"}, {0x004E, L"mr"}, {0x004F, L"sa"}, {0x0050, L"mn"}, {0x0051, L"bo"}, {0x0052, L"cy"},
    {0x0053, L"km"}, {0x0054, L"lo"}, {0x0056, L"gl"}, {0x0057, L"kok"}, {0x0059, L"sd"}, {0x005A, L"syr"},
    {0x005B, L"si"}, {0x005C, L"chr"}, {0x005D, L"iu"}, {0x005E, L"am"}, {0x005F, L"tzm"}, {0x0061, L"ne"},
    {0x0062, L"fy"}, {0x0063, L"ps"}, {0x0064, L"fil"}, {0x0065, L"dv"}, {0x0067, L"ff"}, {0x0068, L"ha"},
    {0x006A, L"yo"}, {0x006B, L"quz"}, {0x006C, L"nso"}, {0x006D, L"ba"}, {0x006E, L"lb"}, {0x006F, L"kl"},
    {0x0070, L"ig"}, {0x0073, L"ti"}, {0x0075, L"haw"}, {0x0078, L"ii"}, {0x007A, L"arn"}, {0x007C, L"moh"},
    {0x007E, L"br"}, {0x007F, L""}, {0x0080, L"ug"}, {0x0081, L"mi"}, {0x0082, L"oc"}, {0x0083, L"co"},
    {0x0084, L"gsw"}, {0x0085, L"sah"}, {0x0086, L"quc"}, {0x0087, L"rw"}, {0x0088, L"wo"}, {0x008C, L"prs"},
    {0x0091, L"gd"}, {0x0092, L"ku"}, {0x0401, L"ar-SA"}, {0x0402, L"bg-BG"}, {0x0403, L"ca-ES"},
    {0x0404, L"zh-TW"}, {0x0405, L"cs-CZ"}, {0x0406, L"da-DK"}, {0x0407, L"de-DE"}, {0x0408, L"el-GR"},
    {0x0409, L"en-US"}, {0x040B, L"fi-FI"}, {0x040C, L"fr-FR"}, {0x040D, L"he-IL"}, {0x040E, L"hu-HU"},
    {0x040F, L"is-IS"}, {0x0410, L"it-IT"}, {0x0411, L"ja-JP"}, {0x0412, L"ko-KR"}, {0x0413, L"nl-NL"},
    {0x0414, L"nb-NO"}, {0x0415, L"pl-PL"}, {0x0416, L"pt-BR"}, {0x0417, L"rm-CH"}, {0x0418, L"ro-RO"},
    {0x0419, L"ru-RU"}, {0x041A, L"hr-HR"}, {0x041B, L"sk-SK"}, {0x041C, L"sq-AL"}, {0x041D, L"sv-SE"},
    {0x041E, L"th-TH"}, {0x041F, L"tr-TR"}, {0x0420, L"ur-PK"}, {0x0421, L"id-ID"}, {0x0422, L"uk-UA"},
    {0x0423, L"be-BY"}, {0x0424, L"sl-SI"}, {0x0425, L"et-EE"}, {0x0426, L"lv-LV"}, {0x0427, L"lt-LT"},
    {0x0428, L"tg-Cyrl-TJ"}, {0x0429, L"fa-IR"}, {0x042A, L"vi-VN"}, {0x042B, L"hy-AM"}, {0x042C, L"az-Latn-AZ"},
    {0x042D, L"eu-ES"}, {0x042E, L"hsb-DE"}, {0x042F, L"mk-MK"}, {0x0432, L"tn-ZA"}, {0x0434, L"xh-ZA"},
    {0x0435, L"zu-ZA"}, {0x0436, L"af-ZA"}, {0x0437, L"ka-GE"}, {0x0438, L"fo-FO"}, {0x0439, L"hi-IN"},
    {0x043A, L"mt-MT"}, {0x043B, L"se-NO"}, {0x043E, L"ms-MY"}, {0x043F, L"kk-KZ"}, {0x0440, L"ky-KG"},
    {0x0441, L"sw-KE"}, {0x0442, L"tk-TM"}, {0x0443, L"uz-Latn-UZ"}, {0x0444, L"tt-RU"}, {0x0445, L"bn-IN"},
    {0x0446, L"pa-IN"}, {0x0447, L"gu-IN"}, {0x0448, L"or-IN"}, {0x0449, L"ta-IN"}, {0x044A, L"te-IN"},
    {0x044B, L"kn-IN"}, {0x044C, L"ml-IN"}, {0x044D, L"as-IN"}, {0x044E, L"mr-IN"}, {0x044F, L"sa-IN"},
    {0x0450, L"mn-MN"}, {0x0451, L"bo-CN"}, {0x0452, L"cy-GB"}, {0x0453, L"km-KH"}, {0x0454, L"lo-LA"},
    {0x0456, L"gl-ES"}, {0x0457, L"kok-IN"}, {0x045A, L"syr-SY"}, {0x045B, L"si-LK"}, {0x045C, L"chr-Cher-US"},
    {0x045D, L"iu-Cans-CA"}, {0x045E, L"am-ET"}, {0x0461, L"ne-NP"}, {0x0462, L"fy-NL"}, {0x0463, L"ps-AF"},
    {0x0464, L"fil-PH"}, {0x0465, L"dv-MV"}, {0x0468, L"ha-Latn-NG"}, {0x046A, L"yo-NG"}, {0x046B, L"quz-BO"},
    {0x046C, L"nso-ZA"}, {0x046D, L"ba-RU"}, {0x046E, L"lb-LU"}, {0x046F, L"kl-GL"}, {0x0470, L"ig-NG"},
    {0x0473, L"ti-ET"}, {0x0475, L"haw-US"}, {0x0478, L"ii-CN"}, {0x047A, L"arn-CL"}, {0x047C, L"moh-CA"},
    {0x047E, L"br-FR"}, {0x0480, L"ug-CN"}, {0x0481, L"mi-NZ"}, {0x0482, L"oc-FR"}, {0x0483, L"co-FR"},
    {0x0484, L"gsw-FR"}, {0x0485, L"sah-RU"}, {0x0486, L"quc-Latn-GT"}, {0x0487, L"rw-RW"}, {0x0488, L"wo-SN"},
    {0x048C, L"prs-AF"}, {0x0491, L"gd-GB"}, {0x0492, L"ku-Arab-IQ"}, {0x0801, L"ar-IQ"},
    {0x0803, L"ca-ES-valencia"}, {0x0804, L"zh-CN"}, {0x0807, L"de-CH"}, {0x0809, L"en-GB"}, {0x080A, L"es-MX"},
    {0x080C, L"fr-BE"}, {0x0810, L"it-CH"}, {0x0813, L"nl-BE"}, {0x0814, L"nn-NO"}, {0x0816, L"pt-PT"},
    {0x081A, L"sr-Latn-CS"}, {0x081D, L"sv-FI"}, {0x082C, L"az-Cyrl-AZ"}, {0x082E, L"dsb-DE"}, {0x0832, L"tn-BW"},
    {0x083B, L"se-SE"}, {0x083C, L"ga-IE"}, {0x083E, L"ms-BN"}, {0x0843, L"uz-Cyrl-UZ"}, {0x0845, L"bn-BD"},
    {0x0846, L"pa-Arab-PK"}, {0x0849, L"ta-LK"}, {0x0850, L"mn-Mong-CN"}, {0x0859, L"sd-Arab-PK"},
    {0x085D, L"iu-Latn-CA"}, {0x085F, L"tzm-Latn-DZ"}, {0x0867, L"ff-Latn-SN"}, {0x086B, L"quz-EC"},
    {0x0873, L"ti-ER"}, {0x0C01, L"ar-EG"}, {0x0C04, L"zh-HK"}, {0x0C07, L"de-AT"}, {0x0C09, L"en-AU"},
    {0x0C0A, L"es-ES"}, {0x0C0C, L"fr-CA"}, {0x0C1A, L"sr-Cyrl-CS"}, {0x0C3B, L"se-FI"}, {0x0C6B, L"quz-PE"},
    {0x1001, L"ar-LY"}, {0x1004, L"zh-SG"}, {0x1007, L"de-LU"}, {0x1009, L"en-CA"}, {0x100A, L"es-GT"},
    {0x100C, L"fr-CH"}, {0x101A, L"hr-BA"}, {0x103B, L"smj-NO"}, {0x105F, L"tzm-Tfng-MA"}, {0x1401, L"ar-DZ"},
    {0x1404, L"zh-MO"}, {0x1407, L"de-LI"}, {0x1409, L"en-NZ"}, {0x140A, L"es-CR"}, {0x140C, L"fr-LU"},
    {0x141A, L"bs-Latn-BA"}, {0x143B, L"smj-SE"}, {0x1801, L"ar-MA"}, {0x1809, L"en-IE"}, {0x180A, L"es-PA"},
    {0x180C, L"fr-MC"}, {0x181A, L"sr-Latn-BA"}, {0x183B, L"sma-NO"}, {0x1C01, L"ar-TN"}, {0x1C09, L"en-ZA"},
    {0x1C0A, L"es-DO"}, {0x1C1A, L"sr-Cyrl-BA"}, {0x1C3B, L"sma-SE"}, {0x2001, L"ar-OM"}, {0x2009, L"en-JM"},
    {0x200A, L"es-VE"}, {0x201A, L"bs-Cyrl-BA"}, {0x203B, L"sms-FI"}, {0x2401, L"ar-YE"}, {0x2409, L"en-029"},
    {0x240A, L"es-CO"}, {0x241A, L"sr-Latn-RS"}, {0x243B, L"smn-FI"}, {0x2801, L"ar-SY"}, {0x2809, L"en-BZ"},
    {0x280A, L"es-PE"}, {0x281A, L"sr-Cyrl-RS"}, {0x2C01, L"ar-JO"}, {0x2C09, L"en-TT"}, {0x2C0A, L"es-AR"},
    {0x2C1A, L"sr-Latn-ME"}, {0x3001, L"ar-LB"}, {0x3009, L"en-ZW"}, {0x300A, L"es-EC"}, {0x301A, L"sr-Cyrl-ME"},
    {0x3401, L"ar-KW"}, {0x3409, L"en-PH"}, {0x340A, L"es-CL"}, {0x3801, L"ar-AE"}, {0x380A, L"es-UY"},
    {0x3C01, L"ar-BH"}, {0x3C0A, L"es-PY"}, {0x4001, L"ar-QA"}, {0x4009, L"en-IN"}, {0x400A, L"es-BO"},
    {0x4409, L"en-MY"}, {0x440A, L"es-SV"}, {0x4809, L"en-SG"}, {0x480A, L"es-HN"}, {0x4C0A, L"es-NI"},
    {0x500A, L"es-PR"}, {0x540A, L"es-US"}, {0x641A, L"bs-Cyrl"}, {0x681A, L"bs-Latn"}, {0x6C1A, L"sr-Cyrl"},
    {0x701A, L"sr-Latn"}, {0x703B, L"smn"}, {0x742C, L"az-Cyrl"}, {0x743B, L"sms"}, {0x7804, L"zh"},
    {0x7814, L"nn"}, {0x781A, L"bs"}, {0x782C, L"az-Latn"}, {0x783B, L"sma"}, {0x7843, L"uz-Cyrl"},
    {0x7850, L"mn-Cyrl"}, {0x785D, L"iu-Cans"}, {0x785F, L"tzm-Tfng"}, {0x7C04, L"zh-Hant"}, {0x7C14, L"nb"},
    {0x7C1A, L"sr"}, {0x7C28, L"tg-Cyrl"}, {0x7C2E, L"dsb"}, {0x7C3B, L"smj"}, {0x7C43, L"uz-Latn"},
    {0x7C46, L"pa-Arab"}, {0x7C50, L"mn-Mong"}, {0x7C59, L"sd-Arab"}, {0x7C5C, L"chr-Cher"}, {0x7C5D, L"iu-Latn"},
    {0x7C5F, L"tzm-Latn"}, {0x7C67, L"ff-Latn"}, {0x7C68, L"ha-Latn"}, {0x7C92, L"ku-Arab"},
};

std::map<std::uint32_t, rtl::String>* CultureNames = nullptr;

}  // namespace

void dxCultureNamesInitialize()
{
  delete std::exchange(CultureNames, new std::map<std::uint32_t, rtl::String>);
  for (const TdxCultureNameRow& row : kCultureNames)
    CultureNames->emplace_hint(CultureNames->end(), row.LCID, row.Name);
}

void dxCultureNamesFinalize()
{
  delete std::exchange(CultureNames, nullptr);
}

int dxCultureNameCount()
{
  return CultureNames ? static_cast<int>(CultureNames->size()) : 0;
}

bool dxTryGetCultureName(std::uint32_t ALCID, rtl::String& AName)
{
  if (!CultureNames)
    return false;
  const auto found = CultureNames->find(ALCID);
  if (found == CultureNames->end())
    return false;
  AName = found->second;
  return true;
}
