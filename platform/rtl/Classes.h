// The Classes unit, first part:
//   TList (pointer list), TObjectList, TThreadList, IInterfaceList and
//   TInterfaceList
//   TPersistent, TInterfacedPersistent, TPersistentClass
//   TStrings, TStringList
// and, from ClassesStreams.h and ClassesThreads.h, the streams, encodings,
// threads and hidden windows.
//
// Indexes are 0-based as in the framework; a bad index raises EListError with
// the framework's texts.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"

namespace rtl {

// Horizontal placement of text in controls and painters.
RTL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);

// What a list tells Notify: an item came in, was taken out without being
// destroyed, or was deleted.
enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// How TList::Assign combines the list with a source list; membership is
// pointer equality.
enum TListAssignOp { laCopy, laAnd, laOr, laXor, laSrcUnique, laDestUnique };

// What a list that keeps its items unique does with a duplicate: ignores it,
// accepts it, or raises.
enum TDuplicates { dupIgnore, dupAccept, dupError };

// The framework's sort callback: <0, 0 or >0.
using TListSortCompare = int (*)(void* AItem1, void* AItem2);

// ---------------------------------------------------------------------------
// TList: an array of pointers with a capacity of its own.

class TList : public TObject {
  RTL_CLASS(TList, TObject)

 public:
  void Destroy() override;

  int Add(void* AItem);
  void Insert(int AIndex, void* AItem);
  void Delete(int AIndex);
  // Deletes the first occurrence; answers its index, or -1.
  int Remove(void* AItem);
  // Takes the first occurrence out with lnExtracted instead of lnDeleted;
  // answers it, or null when absent.
  void* Extract(void* AItem);
  virtual void Clear();
  // Removes the null items.
  void Pack();

  int IndexOf(void* AItem) const;
  void Exchange(int AIndex1, int AIndex2);
  void Move(int ACurIndex, int ANewIndex);
  // Raise EListError when the list is empty.
  void* First() const;
  void* Last() const;

  int GetCount() const { return static_cast<int>(FList.size()); }
  // A larger count adds nulls; a smaller one deletes from the end.
  void SetCount(int ANewCount);
  int GetCapacity() const { return FCapacity; }
  void SetCapacity(int ANewCapacity);
  void* GetItem(int AIndex) const;
  void SetItem(int AIndex, void* AItem);
  // The items as they are stored, for the framework's List property.
  void* const* List() const { return FList.data(); }

  // Unstable quicksort. A comparator that contradicts itself leaves the
  // order unspecified but never makes the sort leave the list.
  void Sort(TListSortCompare ACompare);

  // Combines the list with AListA (see TListAssignOp); with AListB given, the
  // list first becomes a copy of AListA and is combined with AListB.
  void Assign(TList* AListA, TListAssignOp AOperator = laCopy, TList* AListB = nullptr);

 protected:
  // Called after an item came in and after one went out; never for nulls.
  virtual void Notify(void* APtr, TListNotification AAction);

 private:
  void Grow();
  void CheckIndex(int AIndex) const;

  std::vector<void*> FList;
  int FCapacity;
};

// Raises EListError "List index out of bounds (%d)" and its siblings.
[[noreturn]] void ListIndexError(int AIndex);

// A list of objects that frees them as they are deleted when it owns them.
class TObjectList : public TList {
  RTL_CLASS(TObjectList, TList)

 public:
  // Owns its objects unless told otherwise.
  void Create() { Create(true); }
  void Create(bool AOwnsObjects) { FOwnsObjects = AOwnsObjects; }

  int Add(TObject* AObject) { return inherited::Add(AObject); }
  void Insert(int AIndex, TObject* AObject) { inherited::Insert(AIndex, AObject); }
  int Remove(TObject* AObject) { return inherited::Remove(AObject); }
  TObject* Extract(TObject* AObject) { return static_cast<TObject*>(inherited::Extract(AObject)); }
  int IndexOf(TObject* AObject) const { return inherited::IndexOf(AObject); }
  TObject* First() const { return static_cast<TObject*>(inherited::First()); }
  TObject* Last() const { return static_cast<TObject*>(inherited::Last()); }
  TObject* GetItem(int AIndex) const { return static_cast<TObject*>(inherited::GetItem(AIndex)); }
  void SetItem(int AIndex, TObject* AObject) { inherited::SetItem(AIndex, AObject); }
  // The index of the first object of AClass (exactly, or a descendant when
  // not AExact) from AStartAt on; -1 when none.
  int FindInstanceOf(TClass AClass, bool AExact = true, int AStartAt = 0) const;

  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

 protected:
  void Notify(void* APtr, TListNotification AAction) override;

 private:
  bool FOwnsObjects;
};

// A list guarded by a critical section: LockList hands it out, UnlockList
// gives it back; Add, Remove and Clear lock on their own.
class TThreadList : public TObject {
  RTL_CLASS(TThreadList, TObject)

 public:
  void Create();
  void Destroy() override;

  // Duplicates are ignored unless Duplicates says otherwise; dupError raises
  // EListError "List does not allow duplicates ($0%x)".
  void Add(void* AItem);
  void Remove(void* AItem);
  void Clear();
  TList* LockList();
  void UnlockList();

  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates AValue) { FDuplicates = AValue; }

 private:
  TList* FList;
  CRITICAL_SECTION FLock;
  bool FLockMade;
  TDuplicates FDuplicates;
};

// A list of interfaces, each counted (AddRef) while the list holds it;
// thread-safe through its own TThreadList. Items compare by the pointer
// given, without asking for IInterface first.
struct IInterfaceList : IInterface {
  RTL_GUID(IInterfaceList, "{285DEA8A-B865-11D1-AAA7-00C04FB17A72}")
  virtual IPtr<IInterface> Get(int AIndex) = 0;
  virtual int GetCapacity() = 0;
  virtual int GetCount() = 0;
  virtual void Put(int AIndex, IInterface* AItem) = 0;
  virtual void SetCapacity(int ANewCapacity) = 0;
  virtual void SetCount(int ANewCount) = 0;
  virtual void Clear() = 0;
  virtual void Delete(int AIndex) = 0;
  virtual void Exchange(int AIndex1, int AIndex2) = 0;
  virtual IPtr<IInterface> First() = 0;
  virtual int IndexOf(IInterface* AItem) = 0;
  virtual int Add(IInterface* AItem) = 0;
  virtual void Insert(int AIndex, IInterface* AItem) = 0;
  virtual IPtr<IInterface> Last() = 0;
  virtual int Remove(IInterface* AItem) = 0;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

class TInterfaceList : public TInterfacedObject, public IInterfaceList {
  RTL_CLASS(TInterfaceList, TInterfacedObject)
  RTL_INTERFACES(IInterfaceList)

 public:
  void Create();
  void Destroy() override;

  IPtr<IInterface> Get(int AIndex) override;
  int GetCapacity() override;
  int GetCount() override;
  void Put(int AIndex, IInterface* AItem) override;
  void SetCapacity(int ANewCapacity) override;
  void SetCount(int ANewCount) override;
  void Clear() override;
  void Delete(int AIndex) override;
  void Exchange(int AIndex1, int AIndex2) override;
  IPtr<IInterface> First() override { return Get(0); }
  int IndexOf(IInterface* AItem) override;
  int Add(IInterface* AItem) override;
  void Insert(int AIndex, IInterface* AItem) override;
  IPtr<IInterface> Last() override;
  int Remove(IInterface* AItem) override;
  void Lock() override { FList->LockList(); }
  void Unlock() override { FList->UnlockList(); }

 private:
  TThreadList* FList;
};

// ---------------------------------------------------------------------------
// TPersistent

class TFiler;
class TReader;
class TWriter;

class TPersistent : public TObject {
  RTL_CLASS(TPersistent, TObject)

 public:
  // Lets ASource assign itself (AssignTo); what neither side knows raises
  // EConvertError "Cannot assign a <source class or nil> to a <class>".
  virtual void Assign(TPersistent* ASource);
  // The name a designer or a message shows; the class name here.
  virtual String GetNamePath();
  // The object that owns this one in the persistent model, or null. Public,
  // unlike the framework's, so helpers that look for the owner need no
  // access tricks.
  virtual TPersistent* GetOwner();

 protected:
  virtual void AssignTo(TPersistent* ADest);
  // Declares properties the filer stores beyond the published ones; none
  // here.
  virtual void DefineProperties(TFiler* AFiler);

 private:
  [[noreturn]] void AssignError(TPersistent* ASource);

  friend class TFiler;
  friend class TReader;
  friend class TWriter;
};

using TPersistentClass = ClassOf<TPersistent>;

// A persistent object with IInterface. Its references count on the owner's
// IInterface when GetOwner has one at AfterConstruction, so the object lives
// as long as its owner; without one they are not counted at all.
class TInterfacedPersistent : public TPersistent, public IInterface {
  RTL_CLASS(TInterfacedPersistent, TPersistent)
  RTL_INTERFACE_TABLE(IInterface)

 public:
  void AfterConstruction() override;
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
  ULONG __stdcall AddRef() override;
  ULONG __stdcall Release() override;

 private:
  // Not counted itself: an owner that owns this object would otherwise be
  // kept alive by it.
  IInterface* FOwnerInterface;
};

// ---------------------------------------------------------------------------
// TStrings: an abstract list of strings, each with an object.

class TStrings;
class TStringList;

class TStrings : public TPersistent {
  RTL_CLASS(TStrings, TPersistent)

 public:
  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  void AddStrings(TStrings* AStrings);
  void Assign(TPersistent* ASource) override;
  virtual void Clear() = 0;
  virtual void Delete(int AIndex) = 0;
  virtual void Insert(int AIndex, const String& S) = 0;
  virtual void InsertObject(int AIndex, const String& S, TObject* AObject);
  virtual void Exchange(int AIndex1, int AIndex2);
  virtual void Move(int ACurIndex, int ANewIndex);
  // Same count and the same strings, compared exactly.
  bool Equals(TStrings* AStrings);

  // Found by CompareStrings; -1 when absent.
  virtual int IndexOf(const String& S);
  // The first "name=value" line whose name matches by CompareStrings.
  virtual int IndexOfName(const String& AName);
  int IndexOfObject(TObject* AObject);

  // Callers that change many lines bracket the changes: the list reports
  // them once, at the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  virtual int GetCount() const = 0;
  String GetStrings(int AIndex) { return Get(AIndex); }
  void SetStrings(int AIndex, const String& S) { Put(AIndex, S); }
  TObject* GetObjects(int AIndex) { return GetObject(AIndex); }
  void SetObjects(int AIndex, TObject* AObject) { PutObject(AIndex, AObject); }
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int) {}

  // "name=value" lines: the part before the first separator (empty when the
  // line has none), the value of the first line of a name (empty when
  // absent). Setting an empty value deletes the line.
  String GetNames(int AIndex);
  String GetValue(const String& AName);
  void SetValue(const String& AName, const String& AValue);
  String GetValueFromIndex(int AIndex);
  Char GetNameValueSeparator() const { return FNameValueSeparator ? FNameValueSeparator : L'='; }
  void SetNameValueSeparator(Char AValue) { FNameValueSeparator = AValue; }

  // Every line followed by CR LF. Setting splits at CR LF, LF or CR; a line
  // break at the very end adds no empty line.
  String GetText() { return GetTextStr(); }
  void SetText(const String& AText) { SetTextStr(AText); }

  // The lines separated by Delimiter; a line with blanks, control
  // characters, the delimiter or the quote character is quoted (QuoteChar,
  // quotes inside doubled). Setting reads that form back: outside quotes,
  // blanks and control characters separate lines too unless
  // StrictDelimiter. CommaText is the same with ',' and '"' and not strict.
  String GetDelimitedText();
  void SetDelimitedText(const String& AText);
  String GetCommaText();
  void SetCommaText(const String& AText);
  Char GetDelimiter() const { return FDelimiter ? FDelimiter : L','; }
  void SetDelimiter(Char AValue) { FDelimiter = AValue; }
  Char GetQuoteChar() const { return FQuoteChar ? FQuoteChar : L'"'; }
  void SetQuoteChar(Char AValue) { FQuoteChar = AValue; }
  bool GetStrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool AValue) { FStrictDelimiter = AValue; }

  // Reading recognises a byte-order mark (UTF-8, UTF-16 LE or BE); without
  // one it decodes with AEncoding, else DefaultEncoding (the system's ANSI
  // code page). The encoding found is remembered for saving.
  void LoadFromStream(TStream* AStream, TEncoding* AEncoding = nullptr);
  void LoadFromFile(const String& AFileName, TEncoding* AEncoding = nullptr);
  // Writes in AEncoding, else the encoding last loaded, else DefaultEncoding,
  // with its byte-order mark when WriteBOM (the ANSI code page has none).
  void SaveToStream(TStream* AStream, TEncoding* AEncoding = nullptr);
  void SaveToFile(const String& AFileName, TEncoding* AEncoding = nullptr);
  // The standard encodings only; the list does not free encodings.
  TEncoding* GetEncoding() const { return FEncoding; }
  TEncoding* GetDefaultEncoding() const { return FDefaultEncoding ? FDefaultEncoding : TEncoding::Default(); }
  void SetDefaultEncoding(TEncoding* AEncoding) { FDefaultEncoding = AEncoding; }
  bool GetWriteBOM() const { return !FNoWriteBOM; }
  void SetWriteBOM(bool AValue) { FNoWriteBOM = !AValue; }

 protected:
  // A form file keeps the lines as "Strings", a list of texts: written when
  // there are lines (or, under an ancestor, when they differ from its).
  void DefineProperties(TFiler* AFiler) override;
  virtual String Get(int AIndex) = 0;
  virtual void Put(int AIndex, const String& S);
  virtual TObject* GetObject(int AIndex);
  virtual void PutObject(int AIndex, TObject* AObject);
  virtual String GetTextStr();
  virtual void SetTextStr(const String& AText);
  // Called with true when the first BeginUpdate starts and false when the
  // last EndUpdate ends.
  virtual void SetUpdateState(bool AUpdating);
  // How lines compare for IndexOf and IndexOfName: by the user's locale,
  // ignoring case.
  virtual int CompareStrings(const String& S1, const String& S2);

 private:
  String QuotedLine(const String& S) const;
  void ReadData(TReader* AReader);
  void WriteData(TWriter* AWriter);

  int FUpdateCount;
  // Zero stands for the defaults ('=', ',', '"'): the object starts zeroed.
  Char FNameValueSeparator;
  Char FDelimiter;
  Char FQuoteChar;
  bool FStrictDelimiter;
  bool FNoWriteBOM;
  TEncoding* FEncoding;
  TEncoding* FDefaultEncoding;
};

// The framework's sort callback of string lists: <0, 0 or >0 for two indexes.
using TStringListSortCompare = int (*)(TStringList* AList, int AIndex1, int AIndex2);

// The string list: kept in order when Sorted (binary search, duplicates by
// Duplicates), compared by the user's locale, ignoring case unless
// CaseSensitive. OnChanging and OnChange report changes outside updates.
class TStringList : public TStrings {
  RTL_CLASS(TStringList, TStrings)

 public:
  void Create() {}
  // Frees the objects of deleted lines when it owns them.
  void Create(bool AOwnsObjects) { FOwnsObjects = AOwnsObjects; }
  void Destroy() override;

  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int AIndex) override;
  // Raise EListError "Operation not allowed on sorted list" when Sorted.
  void Insert(int AIndex, const String& S) override;
  void InsertObject(int AIndex, const String& S, TObject* AObject) override;
  void Exchange(int AIndex1, int AIndex2) override;
  // Raises EListError when Sorted, before anything changes.
  void Move(int ACurIndex, int ANewIndex) override;
  int IndexOf(const String& S) override;

  // Binary search of a sorted list: true when found, AIndex the first match
  // or where S would go.
  virtual bool Find(const String& S, int& AIndex);
  virtual void Sort();
  // Unstable quicksort of an unsorted list; an inconsistent comparator
  // never makes it leave the list.
  virtual void CustomSort(TStringListSortCompare ACompare);
  // CompareStrings of the two lines, public for sort callbacks.
  int CompareLines(int AIndex1, int AIndex2);

  int GetCount() const override { return static_cast<int>(FList.size()); }
  int GetCapacity() const override { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int ANewCapacity) override;

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool AValue);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates AValue) { FDuplicates = AValue; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool AValue);
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool AValue) { FOwnsObjects = AValue; }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent AValue) { FOnChange = AValue; }
  TNotifyEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent AValue) { FOnChanging = AValue; }

 protected:
  virtual void Changed();
  virtual void Changing();
  String Get(int AIndex) override;
  void Put(int AIndex, const String& S) override;
  TObject* GetObject(int AIndex) override;
  void PutObject(int AIndex, TObject* AObject) override;
  void SetUpdateState(bool AUpdating) override;
  int CompareStrings(const String& S1, const String& S2) override;
  virtual void InsertItem(int AIndex, const String& S, TObject* AObject);

 private:
  struct TStringItem {
    String FString;
    TObject* FObject;
  };

  void CheckIndex(int AIndex) const;
  void QuickSort(int L, int R, TStringListSortCompare ACompare);

  std::vector<TStringItem> FList;
  bool FSorted;
  bool FCaseSensitive;
  bool FOwnsObjects;
  TDuplicates FDuplicates;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};

}  // namespace rtl
