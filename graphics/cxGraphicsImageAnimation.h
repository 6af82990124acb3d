// The timer-driven animation controller of smart images (part of the unit
// cxGraphics): the unit's start-up makes it the class every animated image
// uses, and its finish puts the stepless base class back.
#pragma once

#include "core/cxClasses.h"
#include "graphics/dxSmartImage.h"

// Steps its image once per frame delay on a TcxTimer.
class TdxImageAnimationController : public TdxSmartImageAnimationController {
  RTL_CLASS(TdxImageAnimationController, TdxSmartImageAnimationController)

 public:
  void Destroy() override;

 protected:
  // Nothing while a timer exists; else a timer of the image's frame delay.
  void StartTimer() override;
  void StopTimer() override;
  bool IsTimerActive() override;

 private:
  void TimerHandler(rtl::TObject* ASender);

  TcxTimer* FTimer;
};

void cxGraphicsImageAnimationInitialize();
void cxGraphicsImageAnimationFinalize();
