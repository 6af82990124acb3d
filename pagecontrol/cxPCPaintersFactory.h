// The process-wide register of tab painter classes. The tab control never
// makes a painter without asking it for the class: by style id, style name
// or standard style, or by the look and feel the control uses.
//
// A painter class answers the factory's questions (style id, name, which
// look and feel it claims, ...) through virtual operations that need no view
// info, so the factory keeps one bare instance of each registered class to
// ask them: the C++ stand-in for class-level virtual functions.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"

class TcxLookAndFeel;
class TcxPCCustomPainter;

// -1 means no style; 0 as the settings' Style lets the look and feel decide;
// the registered styles use 1 to 11.
using TcxPCStyleID = int;

RTL_ENUM(TcxPCStandardStyle, tsTabs, tsButtons, tsFlatButtons);

using TcxPCPainterClass = rtl::ClassOf<TcxPCCustomPainter>;

class TcxPCPaintersFactory : public rtl::TObject {
  RTL_CLASS(TcxPCPaintersFactory, rtl::TObject)

 public:
  void Destroy() override;

  // A second registration of the same class changes nothing.
  void RegisterPCPainterClass(TcxPCPainterClass APainterClass);
  // Removing an absent class does nothing.
  void UnregisterPCPainterClass(TcxPCPainterClass APainterClass);

  int GetPainterClassCount() const { return static_cast<int>(FPainterClassList.size()); }
  // Raises EListError for an index outside the list.
  TcxPCPainterClass InternalGetPainterClass(int AIndex) const;
  TcxPCStyleID GetPainterStyleID(int AIndex) const;

  // The first class in registration order that matches; nil when none does.
  TcxPCPainterClass GetPainterClass(TcxPCStyleID AStyleID) const;
  // Compared ignoring case.
  TcxPCPainterClass GetPainterClass(const rtl::String& AStyleName) const;
  TcxPCPainterClass GetPainterClass(TcxPCStandardStyle AStandardStyle) const;

  // The style of the last registered class that claims the look and feel,
  // so that a later registration (the skin painter) wins; -1 when none does.
  TcxPCStyleID GetStyleID(TcxLookAndFeel* ALookAndFeel) const;
  // The first registered style unless a class calls itself the default for
  // the look and feel. Raises EdxException on an empty factory.
  TcxPCStyleID GetDefaultStyleID(TcxLookAndFeel* ALookAndFeel) const;

 private:
  struct TRegisteredClass {
    TcxPCPainterClass PainterClass;
    // Answers the class-level questions; made without a view info.
    TcxPCCustomPainter* Prototype;
  };

  int IndexOf(TcxPCPainterClass APainterClass) const;
  const TcxPCCustomPainter* Prototype(int AIndex) const;

  std::vector<TRegisteredClass> FPainterClassList;
};

// Nil before the first registration and after the last unregistration.
TcxPCPaintersFactory* PaintersFactory();
// Creates the factory on the first registration.
void RegisterPainterClass(TcxPCPainterClass APainterClass);
// Frees the factory when its last class leaves.
void UnregisterPainterClass(TcxPCPainterClass APainterClass);
