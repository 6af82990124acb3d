#include "core/dxCoreStores.h"

#include <cstring>
#include <utility>

#include "core/cxClasses.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesStreams.h"

namespace {

TcxDialogsMetricsStore* DialogsMetricsStore = nullptr;

bool IsSizeable(vcl::TCustomForm* AForm)
{
  const vcl::TFormBorderStyle style = AForm->GetBorderStyle();
  return style == vcl::TFormBorderStyle::bsSizeable || style == vcl::TFormBorderStyle::bsSizeToolWin;
}

// The form's scale as N/D, 1/1 when it has none.
void GetFormScale(vcl::TCustomForm* AForm, int& N, int& D)
{
  if (!dxFindDPIScale(AForm, N, D) || N <= 0 || D <= 0) {
    N = 1;
    D = 1;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxDialogMetricsInfo

void TcxDialogMetricsInfo::Create(vcl::TCustomForm* AForm)
{
  Store(AForm);
}

void TcxDialogMetricsInfo::Store(vcl::TCustomForm* AForm)
{
  FDialogClass = AForm->ClassType();
  FLeft = AForm->GetLeft();
  FTop = AForm->GetTop();
  rtl::IPtr<IcxDialogMetricsClientSize> sizeIntf;
  TSize size = rtl::Supports(AForm, &sizeIntf) ? sizeIntf->GetClientSize()
                                               : TSize{AForm->GetClientWidth(), AForm->GetClientHeight()};
  int n, d;
  GetFormScale(AForm, n, d);
  FClientSize = {MulDiv(size.cx, d, n), MulDiv(size.cy, d, n)};
  FMaximized = AForm->GetWindowState() == vcl::TWindowState::wsMaximized;
  FData.clear();
  rtl::IPtr<IcxDialogMetricsInfoData> dataIntf;
  if (rtl::Supports(AForm, &dataIntf) && dataIntf->GetInfoDataSize() > 0) {
    const auto* data = static_cast<const std::uint8_t*>(dataIntf->GetInfoData());
    FData.assign(data, data + dataIntf->GetInfoDataSize());
  }
}

void TcxDialogMetricsInfo::Restore(vcl::TCustomForm* AForm)
{
  if (FMaximized) {
    AForm->SetWindowState(vcl::TWindowState::wsMaximized);
  } else {
    AForm->SetLeft(FLeft);
    AForm->SetTop(FTop);
    int n, d;
    GetFormScale(AForm, n, d);
    const TSize size{MulDiv(FClientSize.cx, n, d), MulDiv(FClientSize.cy, n, d)};
    if (IsSizeable(AForm)) {
      rtl::IPtr<IcxDialogMetricsClientSize> sizeIntf;
      if (rtl::Supports(AForm, &sizeIntf)) {
        sizeIntf->SetClientSize(size);
      } else {
        AForm->SetClientHeight(size.cy);
        AForm->SetClientWidth(size.cx);
      }
    }
  }
  rtl::IPtr<IcxDialogMetricsInfoData> dataIntf;
  if (!FData.empty() && rtl::Supports(AForm, &dataIntf))
    dataIntf->SetInfoData(FData.data());
}

// ---------------------------------------------------------------------------
// TcxDialogsMetricsStore

void TcxDialogsMetricsStore::Create()
{
  FDefaultPosition = vcl::TPosition::poMainFormCenter;
  FMetrics = rtl::New<TcxObjectList>(true);
}

void TcxDialogsMetricsStore::Destroy()
{
  rtl::FreeAndNil(FMetrics);
  inherited::Destroy();
}

TcxDialogMetricsInfo* TcxDialogsMetricsStore::FindMetrics(vcl::TCustomForm* AForm) const
{
  // Exactly the form's class: a descendant dialog keeps its own place.
  for (int i = FMetrics->GetCount() - 1; i >= 0; --i) {
    auto* info = static_cast<TcxDialogMetricsInfo*>(FMetrics->GetItem(i));
    if (info->FDialogClass == AForm->ClassType())
      return info;
  }
  return nullptr;
}

void TcxDialogsMetricsStore::InitDialog(vcl::TCustomForm* AForm)
{
  if (TcxDialogMetricsInfo* info = FindMetrics(AForm)) {
    AForm->SetPosition(vcl::TPosition::poDesigned);
    info->Restore(AForm);
  } else {
    AForm->SetPosition(FDefaultPosition);
    FMetrics->Add(rtl::New<TcxDialogMetricsInfo>(AForm));
  }
}

void TcxDialogsMetricsStore::StoreMetrics(vcl::TCustomForm* AForm)
{
  if (TcxDialogMetricsInfo* info = FindMetrics(AForm))
    info->Store(AForm);
}

TcxDialogsMetricsStore* cxGetDialogsMetricsStore()
{
  if (!DialogsMetricsStore)
    DialogsMetricsStore = rtl::New<TcxDialogsMetricsStore>();
  return DialogsMetricsStore;
}

void dxCoreStoresFinalize()
{
  rtl::FreeAndNil(DialogsMetricsStore);
}

// ---------------------------------------------------------------------------
// TdxMemIniFile

void TdxMemIniFile::Create(rtl::TStream* AStream)
{
  Create();
  LoadFromStream(AStream);
}

void TdxMemIniFile::LoadFromStream(rtl::TStream* AStream)
{
  const rtl::TOwnedPtr<rtl::TStringList> lines(rtl::New<rtl::TStringList>());
  lines->LoadFromStream(AStream);
  SetStrings(lines.get());
}

void TdxMemIniFile::SaveToStream(rtl::TStream* AStream)
{
  SaveToStream(AStream, GetEncoding());
}

void TdxMemIniFile::SaveToStream(rtl::TStream* AStream, rtl::TEncoding* AEncoding)
{
  const rtl::TOwnedPtr<rtl::TStringList> lines(rtl::New<rtl::TStringList>());
  GetStrings(lines.get());
  lines->SaveToStream(AStream, AEncoding);
}
