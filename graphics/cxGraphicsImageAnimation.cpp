#include "graphics/cxGraphicsImageAnimation.h"

void TdxImageAnimationController::Destroy()
{
  StopTimer();
  inherited::Destroy();
}

void TdxImageAnimationController::StartTimer()
{
  if (FTimer)
    return;
  FTimer = cxNewTimer(static_cast<unsigned>(FImage->GetAnimationFrameDelay()), true,
                      rtl::TNotifyEvent::Bind<&TdxImageAnimationController::TimerHandler>(this));
}

void TdxImageAnimationController::StopTimer()
{
  rtl::FreeAndNil(FTimer);
}

bool TdxImageAnimationController::IsTimerActive()
{
  return FTimer && FTimer->GetEnabled();
}

// Frees the timer that calls it (and, at the end of the sequence, this
// controller too): the timer touches nothing of itself after its handler.
void TdxImageAnimationController::TimerHandler(rtl::TObject*)
{
  NextFrame();
}

void cxGraphicsImageAnimationInitialize()
{
  dxSetSmartImageAnimationControllerClass(TdxSmartImageAnimationControllerClass::Of<TdxImageAnimationController>());
}

void cxGraphicsImageAnimationFinalize()
{
  dxSetSmartImageAnimationControllerClass(
      TdxSmartImageAnimationControllerClass::Of<TdxSmartImageAnimationController>());
}
