// Converts a form file from its text form into the binary form the program
// reads from its RCDATA resources. Run at build time (under Wine on Linux):
//
//   FormToBinary <form text file> <binary output file>
//
// The conversion is the run-time library's own, so what the build stores is
// exactly what the reader at run time expects.

#include <windows.h>

#include <cstdio>
#include <exception>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"

namespace {

int ReportFormError(const wchar_t* AInput, const rtl::String& AMessage)
{
  std::fwprintf(stderr, L"FormToBinary: %ls: %ls\n", AInput, AMessage.c_str());
  return 1;
}

void ConvertFormFile(const rtl::String& AInput, const rtl::String& AOutput)
{
  rtl::TOwnedPtr<rtl::TFileStream> input(rtl::New<rtl::TFileStream>(AInput, rtl::fmOpenRead | rtl::fmShareDenyWrite));
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectTextToBinary(input.get(), binary.get());
  // Written only once the whole text converted, so a failed conversion never
  // leaves a half-written resource for the next build to pick up.
  binary->SaveToFile(AOutput);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
  if (argc != 3) {
    std::fwprintf(stderr, L"usage: FormToBinary <form text file> <binary output file>\n");
    return 2;
  }
  try {
    ConvertFormFile(argv[1], argv[2]);
    return 0;
  } catch (const rtl::Exception& e) {
    DeleteFileW(argv[2]);
    return ReportFormError(argv[1], e.Message());
  } catch (const std::exception& e) {
    DeleteFileW(argv[2]);
    return ReportFormError(argv[1], rtl::String(e.what(), e.what() + std::strlen(e.what())));
  }
}
