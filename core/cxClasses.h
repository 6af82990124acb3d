#pragma once
// Base persistent objects of the core library:
// - TcxOwnedPersistent, a persistent object that remembers its owner and is
//   made through a virtual constructor taking the owner, so that a container
//   can create its parts from a class reference.

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TcxOwnedPersistent : public rtl::TPersistent {
  RTL_CLASS(TcxOwnedPersistent, rtl::TPersistent)

 public:
  // The owner is not owned; it normally owns this object.
  virtual void Create(rtl::TPersistent* AOwner);

  // Any TcxOwnedPersistent source, of whatever branch, reaches CopyFrom, which
  // checks the source's class itself; other sources go to the platform's
  // Assign and raise EConvertError unless they can assign themselves.
  void Assign(rtl::TPersistent* ASource) override;
  rtl::TPersistent* GetOwner() override;

 protected:
  // Descendants copy their own values after calling the inherited CopyFrom.
  virtual void CopyFrom(rtl::TPersistent* ASource);

 private:
  rtl::TPersistent* FOwner;
};

using TcxOwnedPersistentClass = rtl::ClassOf<TcxOwnedPersistent>;
