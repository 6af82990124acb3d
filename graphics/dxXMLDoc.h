#pragma once
// A small XML document model with its reader and writer:
// - TdxXMLDocument, a nameless root node holding the top-level elements, with
//   load and save entry points;
// - TdxXMLNode (name, ordered attributes, text, ordered children) and
//   TdxXMLNodeAttribute with typed accessors;
// - TdxXMLParser, a single-pass reader over a byte buffer, bounded so that
//   bytes from outside cannot exhaust the stack or memory: damaged input
//   raises EdxXMLParserError naming what is wrong and where;
// - TdxXMLHelper: reference decoding and encoding of texts;
// - TdxXMLDateTime, TdxXMLStringBuilder and TdxXMLSharedStrings.
//
// Names, values and texts are held as UTF-8 bytes (TdxXMLString); accessors
// that take or give the system's 16-bit text convert with code page 65001.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/cxClasses.h"
#include "core/dxCore.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemTypes.h"

namespace rtl {
class TStream;
class Variant;
}  // namespace rtl

class TdxXMLDocument;
class TdxXMLNode;
class TdxXMLParser;

// 8-bit text; by convention its bytes are UTF-8.
using TdxXMLString = std::string;

// Raised by the date-time parser with the offending character and the text.
class EdxXMLUnexpectedToken : public EdxException {
 public:
  EdxXMLUnexpectedToken(const rtl::String& AToken, const rtl::String& AStringForParsing);
  const wchar_t* ClassName() const override { return L"EdxXMLUnexpectedToken"; }
};

// Raised by the reader for damaged or oversized input; Line and Column (both
// from 1, the column counted in bytes) say where the damage starts.
class EdxXMLParserError : public EdxException {
 public:
  EdxXMLParserError(const rtl::String& AWhat, int ALine, int AColumn);
  const wchar_t* ClassName() const override { return L"EdxXMLParserError"; }
  int Line() const { return FLine; }
  int Column() const { return FColumn; }

 private:
  int FLine;
  int FColumn;
};

// ---------------------------------------------------------------------------
// Date and time in the XML schema's text form.

struct TdxXMLDateTime {
  std::uint16_t Year = 0;
  std::uint16_t Month = 0;
  std::uint16_t Day = 0;
  std::uint16_t Hour = 0;
  std::uint16_t Minute = 0;
  std::uint16_t Second = 0;
  std::uint16_t Millisecond = 0;
  bool IsUTC = false;

  void Assign(rtl::TDateTime ASource, bool AIsUTC);
  void Clear();
  // "yyyy-mm-dd", optionally "Thh:nn:ss[.fff]" and "Z" or an offset
  // "+hh[:mm]" / "-hh[:mm]", which is folded into the fields as UTC. Raises
  // EdxXMLUnexpectedToken at a delimiter out of place.
  void Parse(const rtl::String& S);
  // The platform's EConvertError for a date or time that does not exist.
  rtl::TDateTime ToDateTime() const;
  // "yyyy-mm-ddThh:nn:ss.zzz", "Z" appended when IsUTC; locale-independent.
  rtl::String ToString() const;
};

// ---------------------------------------------------------------------------
// Helpers

class TdxXMLHelper {
 public:
  TdxXMLHelper() = delete;

  // An integer is True unless 0; other texts are True only for "true"
  // (without case).
  static bool DecodeBoolean(const rtl::String& S);
  static rtl::String EncodeBoolean(bool AValue);

  // Resolves character references (the five named ones, decimal "&#n;" and
  // hexadecimal "&#xn;") and "_xHHHH_" escapes in one pass, so a decoded
  // text is never decoded again. A numeric reference becomes its character
  // encoded as UTF-8; one that names no character stays as written.
  static TdxXMLString DecodeString(std::string_view S);
  // Escapes the markup characters, TAB, CR and LF as references, other
  // control bytes as "_xHHHH_", and an underscore that would read as an
  // escape as "_x005F_". ARemoveBreakLines turns CR and LF into spaces
  // first (attribute values).
  static TdxXMLString EncodeString(std::string_view S, bool ARemoveBreakLines);
  static TdxXMLString EncodeString(const rtl::String& S, bool ARemoveBreakLines);
  // True when the text starts or ends with white space or holds a line
  // break: only xml:space="preserve" keeps it through a reader.
  static bool IsPreserveSpacesNeeded(std::string_view S);
  static bool IsPreserveSpacesNeeded(const rtl::String& S);

  // "xlink:" of "xlink:href"; empty without a colon.
  static TdxXMLString ExtractNameScope(std::string_view AName);
  // "href" of "xlink:href"; the whole name without a colon.
  static TdxXMLString ExtractNameWithoutNameScope(std::string_view AName);
};

// A growable byte buffer.
class TdxXMLStringBuilder : public rtl::TObject {
  RTL_CLASS(TdxXMLStringBuilder, rtl::TObject)

 public:
  void Create(int ACapacity);

  void Append(char AChar);
  void Append(std::string_view AText);
  TdxXMLString AsString() const;

  int GetCapacity() const { return static_cast<int>(FData.size()); }
  // Below the used length raises EdxException.
  void SetCapacity(int AValue);
  int GetLength() const { return FLength; }
  // Grows the buffer as needed; when memory runs out the length stays and
  // EOutOfMemory is raised.
  void SetLength(int AValue);

 private:
  void Grow(int ALength);

  std::vector<char> FData;
  int FLength;
};

// ---------------------------------------------------------------------------
// Tokens of the reader

RTL_ENUM(TdxXMLTokenID, ttUnknown, ttEqual, ttTagHeaderBegin, ttTagHeaderEnd, ttTagEnd, ttTagFooter, ttComment);

// A stretch of the input buffer; no bytes are copied.
struct TdxXMLToken {
  const char* Buffer = nullptr;
  int BufferLengthInChars = 0;
  TdxXMLTokenID TokenType = TdxXMLTokenID::ttUnknown;
  // A text between quotes: a value, never a name.
  bool Quoted = false;

  std::string_view View() const { return {Buffer, static_cast<std::size_t>(BufferLengthInChars)}; }
};

// Interns the names and values of one load, so equal texts are hashed and
// compared once and kept once in the table.
class TdxXMLSharedStrings : public rtl::TObject {
  RTL_CLASS(TdxXMLSharedStrings, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  const TdxXMLString& Add(const TdxXMLToken& AToken);
  const TdxXMLString& Add(std::string_view AValue);
  void Clear();

  // Not 65536: a prime-free odd modulus spreads the shift-xor hash better.
  static constexpr std::uint32_t FTableSize = 65535;

 private:
  struct TValue {
    std::uint32_t Hash;
    std::unique_ptr<TValue> Next;
    TdxXMLString Value;
  };

  std::vector<std::unique_ptr<TValue>> FTable;
};

// ---------------------------------------------------------------------------
// Attributes

class TdxXMLNodeAttribute : public TcxDoublyLinkedObject {
  RTL_CLASS(TdxXMLNodeAttribute, TcxDoublyLinkedObject)

 public:
  void Create() {}

  const TdxXMLString& GetName() const { return FName; }
  void SetName(const TdxXMLString& AValue) { FName = AValue; }
  // The decoded value: UTF-8, without quotes or references.
  const TdxXMLString& GetValue() const { return FValue; }
  void SetValue(const TdxXMLString& AValue) { FValue = AValue; }

  rtl::String GetValueAsString() const;
  void SetValueAsString(const rtl::String& AValue);
  bool GetValueAsBoolean() const;
  // Stores "1" or "0".
  void SetValueAsBoolean(bool AValue);
  // "true" and "false" read as 1 and 0; other non-numbers raise the
  // platform's EConvertError.
  int GetValueAsInteger() const;
  void SetValueAsInteger(int AValue);
  std::int64_t GetValueAsInt64() const;
  void SetValueAsInt64(std::int64_t AValue);
  // "." is the decimal separator on every locale; raises EConvertError.
  double GetValueAsFloat() const;
  void SetValueAsFloat(double AValue);
  rtl::TDateTime GetValueAsDateTime() const;
  void SetValueAsDateTime(rtl::TDateTime AValue);

  TdxXMLNodeAttribute* Next() const { return static_cast<TdxXMLNodeAttribute*>(FNext); }
  TdxXMLNodeAttribute* Prev() const { return static_cast<TdxXMLNodeAttribute*>(FPrev); }

 private:
  TdxXMLString FName;
  TdxXMLString FValue;
};

// The attributes of a node, in insertion order; duplicates are allowed and
// lookups by name ignore ASCII case.
class TdxXMLNodeAttributes : public TcxDoublyLinkedObjectList {
  RTL_CLASS(TdxXMLNodeAttributes, TcxDoublyLinkedObjectList)

 public:
  void Create(TdxXMLNode* ANode);

  TcxDoublyLinkedObjectClass GetLinkedObjectClass() const override;

  // Appends without looking for an existing attribute of the name.
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName);
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, bool AValue);
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, int AValue);
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, double AValue);
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, std::int64_t AValue);
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, const rtl::String& AValue);
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, const TdxXMLString& AValue);
  // Literals would otherwise pick the bool overload.
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, const char* AValue);
  TdxXMLNodeAttribute* Add(const TdxXMLString& AttrName, const wchar_t* AValue);

  void Assign(const TdxXMLNodeAttributes* ASource);
  void Delete(const TdxXMLString& AAttrName);
  using TcxDoublyLinkedObjectList::Delete;
  bool Exists(const TdxXMLString& AAttrName) const;
  bool Find(std::string_view AAttrName, TdxXMLNodeAttribute*& AAttr) const;

  TdxXMLString GetValue(const TdxXMLString& AAttrName, const TdxXMLString& ADefaultValue = {}) const;
  bool GetValueAsBoolean(const TdxXMLString& AAttrName, bool ADefaultValue = false) const;
  TdxDefaultBoolean GetValueAsDefaultBoolean(const TdxXMLString& AAttrName) const;
  // A value that is no integer gives the default as well.
  int GetValueAsInteger(const TdxXMLString& AAttrName, int ADefaultValue = 0) const;
  std::int64_t GetValueAsInt64(const TdxXMLString& AAttrName, std::int64_t ADefaultValue = 0) const;
  // These two let a conversion error through.
  double GetValueAsFloat(const TdxXMLString& AAttrName, double ADefaultValue = 0) const;
  rtl::TDateTime GetValueAsDateTime(const TdxXMLString& AAttrName, rtl::TDateTime ADefaultValue = 0) const;
  bool GetValueAsDateTime(const TdxXMLString& AAttrName, TdxXMLDateTime& ADateTime) const;
  rtl::String GetValueAsString(const TdxXMLString& AAttrName, const rtl::String& ADefaultValue = {}) const;

  // An existing attribute keeps its place.
  void SetValue(const TdxXMLString& AAttrName, const TdxXMLString& AValue);
  void SetValueAsBoolean(const TdxXMLString& AAttrName, bool AValue);
  // bDefault deletes the attribute.
  void SetValueAsDefaultBoolean(const TdxXMLString& AAttrName, TdxDefaultBoolean AValue);
  void SetValueAsInteger(const TdxXMLString& AAttrName, int AValue);
  void SetValueAsInt64(const TdxXMLString& AAttrName, std::int64_t AValue);
  void SetValueAsFloat(const TdxXMLString& AAttrName, double AValue);
  void SetValueAsString(const TdxXMLString& AAttrName, const rtl::String& AValue);
  void SetValueAsDateTime(const TdxXMLString& AAttrName, rtl::TDateTime AValue);
  void SetValueAsDateTime(const TdxXMLString& AAttrName, const TdxXMLDateTime& AValue);

  TdxXMLNodeAttribute* First() const { return static_cast<TdxXMLNodeAttribute*>(FFirst); }
  TdxXMLNodeAttribute* Last() const { return static_cast<TdxXMLNodeAttribute*>(FLast); }
  TdxXMLNode* GetNode() const { return FNode; }

 private:
  TdxXMLNodeAttribute* FindOrAdd(const TdxXMLString& AAttrName);

  TdxXMLNode* FNode;
};

// ---------------------------------------------------------------------------
// Nodes

// The children of a node; it owns them.
class TdxXMLNodes : public TcxDoublyLinkedObjectList {
  RTL_CLASS(TdxXMLNodes, TcxDoublyLinkedObjectList)

 public:
  TcxDoublyLinkedObjectClass GetLinkedObjectClass() const override;
};

using TdxXMLNodeClass = rtl::ClassOf<TdxXMLNode>;
using TdxXMLNodeForEachProc = std::function<void(TdxXMLNode* ANode, void* AUserData)>;

class TdxXMLNode : public TcxDoublyLinkedObject {
  RTL_CLASS(TdxXMLNode, TcxDoublyLinkedObject)

 public:
  virtual void Create();
  // Leaves its parent's child list first, so the list stays whole whoever
  // frees the node.
  void Destroy() override;

  TdxXMLNode* AddChild(const TdxXMLString& ATagName);
  // Copies name, attributes and the children, recursively; no text.
  void Assign(const TdxXMLNode* ASource);
  // Empties attributes and children; the text stays.
  virtual void Clear();
  // The first direct child of the name, without ASCII case.
  virtual bool FindChild(std::string_view AName, TdxXMLNode*& ANode) const;
  TdxXMLNode* FindChild(std::string_view AName) const;
  // Walks a path of child names, appending missing steps when ACanCreate.
  // An empty path answers False with ANode this node.
  bool FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode, bool ACanCreate = false);
  void ForEach(const TdxXMLNodeForEachProc& AProc, void* AUserData = nullptr);
  rtl::String GetChildValue(std::string_view AName) const;
  bool HasAttribute(const TdxXMLString& AAttrName) const;
  void SetAttribute(const TdxXMLString& AttrName, const rtl::Variant& AValue);

  // The child at AIndex from 0; EListError outside the children.
  TdxXMLNode* GetItem(int AIndex) const;
  int GetCount() const;
  TdxXMLNode* First() const;
  TdxXMLNode* Next() const { return static_cast<TdxXMLNode*>(FNext); }
  TdxXMLNode* Prev() const { return static_cast<TdxXMLNode*>(FPrev); }
  bool HasChildren() const { return First() != nullptr; }
  // -1 without a parent.
  int Index() const;
  // -1 for a document's root, 0 for the top-level elements.
  int Level() const;
  // No attributes, no children and no text.
  bool IsEmpty() const { return GetIsEmpty(); }

  TdxXMLNodeAttributes* GetAttributes() const { return FAttributes; }
  TdxXMLNode* GetParent() const { return FParent; }
  const TdxXMLString& GetName() const { return FName; }
  void SetName(const TdxXMLString& AValue) { FName = AValue; }
  rtl::String NameAsString() const;
  TdxXMLString NameScope() const;
  TdxXMLString NameWithoutNameScope() const;
  const TdxXMLString& GetText() const { return FText; }
  void SetText(const TdxXMLString& AValue) { FText = AValue; }
  rtl::String GetTextAsString() const;
  void SetTextAsString(const rtl::String& AValue);
  bool GetTextAsBoolean() const;
  // Stores "true" or "false".
  void SetTextAsBoolean(bool AValue);
  rtl::TDateTime GetTextAsDateTime() const;
  void SetTextAsDateTime(rtl::TDateTime AValue);

  // The writer.
  virtual void CheckSpaceAttribute();
  virtual void WriteAttributes(rtl::TStream* AStream);
  virtual void WriteChildren(rtl::TStream* AStream, bool AAutoIndent);
  virtual void WriteContent(rtl::TStream* AStream, bool AAutoIndent);
  virtual void Write(rtl::TStream* AStream, bool AAutoIndent);

 protected:
  virtual TdxXMLNodeAttributes* CreateAttributes();
  virtual bool GetIsEmpty() const;
  virtual TdxXMLNodeClass GetChildNodeClass() const;

 private:
  friend class TdxXMLParser;

  void ChildrenNeeded();
  // xml:space="preserve", without case.
  bool HasPreserveSpace() const;
  void WriteIndent(rtl::TStream* AStream) const;

  TdxXMLNodeAttributes* FAttributes;
  TdxXMLNode* FParent;
  TdxXMLString FText;
  TdxXMLNodes* FChildren;
  TdxXMLString FName;
};

// ---------------------------------------------------------------------------
// Document

class TdxXMLDocument : public TcxInterfacedPersistent {
  RTL_CLASS(TdxXMLDocument, TcxInterfacedPersistent)

 public:
  void Create(rtl::TPersistent* AOwner) override;
  void CreateEx(const rtl::String& AFileName);
  void Destroy() override;

  void LoadFromFile(const rtl::String& AFileName);
  // Reads from the stream's position to its end; the tree is replaced, and
  // left empty when the bytes are damaged (EdxXMLParserError).
  void LoadFromStream(rtl::TStream* AStream);
  void LoadFromString(std::string_view AString);
  void SaveToFile(const rtl::String& AFileName);
  // UTF-8 without a byte-order mark.
  void SaveToStream(rtl::TStream* AStream);

  TdxXMLNode* AddChild(const TdxXMLString& ATagName);
  bool FindChild(std::string_view AName, TdxXMLNode*& ANode) const;
  bool FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode);
  TdxXMLNode* FindChild(const std::vector<TdxXMLString>& ANames);
  void ForEach(const std::vector<TdxXMLString>& ANames, const TdxXMLNodeForEachProc& AProc, void* AUserData = nullptr);

  bool GetAutoIndent() const { return FAutoIndent; }
  void SetAutoIndent(bool AValue) { FAutoIndent = AValue; }
  const TdxXMLString& GetEncoding() const { return FEncoding; }
  void SetEncoding(const TdxXMLString& AValue) { FEncoding = AValue; }
  TdxXMLNode* GetRoot() const { return FRoot; }
  const TdxXMLString& GetStandalone() const { return FStandalone; }
  void SetStandalone(const TdxXMLString& AValue) { FStandalone = AValue; }
  const TdxXMLString& GetVersion() const { return FVersion; }
  void SetVersion(const TdxXMLString& AValue) { FVersion = AValue; }

  // The caller frees the parser.
  virtual TdxXMLParser* CreateParser();
  virtual TdxXMLNode* CreateRootNode();
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

 private:
  void Parse(const char* AData, int ACount);
  TdxXMLString GetHeader() const;

  bool FAutoIndent;
  TdxXMLString FEncoding;
  TdxXMLNode* FRoot;
  TdxXMLString FStandalone;
  TdxXMLString FVersion;
};

// ---------------------------------------------------------------------------
// Reader

RTL_ENUM(TdxXMLEncoding, dxxeNone, dxxeUTF8, dxxeWindows);

// Fills a document from bytes in one pass. It tolerates what costs no
// content (end tags are not matched by name, bare attribute words, values
// without quotes) and raises EdxXMLParserError where content would be lost:
// an unclosed start tag, element, comment, CDATA section or declaration, a
// stray end tag, UTF-16 input, and input beyond the limits below.
class TdxXMLParser : public rtl::TObject {
  RTL_CLASS(TdxXMLParser, rtl::TObject)

 public:
  // Deeper nesting would let the recursive walks over the tree (writing,
  // copying, freeing, importing) exhaust the stack.
  static constexpr int MaxDepth = 256;
  // Per element; far above any real document, far below memory exhaustion.
  static constexpr int MaxAttributeCount = 1024;

  void Create(TdxXMLDocument* ADocument, bool AShareStrings);
  void Destroy() override;

  // Rebuilds the document's root node from the buffer.
  void Parse(const char* AScan, int ACount);

  TdxXMLDocument* GetDocument() const { return FDocument; }
  TdxXMLEncoding GetEncoding() const { return FEncoding; }
  int GetEncodingCodePage() const { return FEncodingCodePage; }

 protected:
  // The raw bytes of a value or text in the declared code page, references
  // resolved: UTF-8.
  virtual TdxXMLString DecodeValue(std::string_view ARaw);
  // A "<?xml ...?>" declaration: encoding and version.
  virtual void ParseDeclaration();
  virtual void DetectEncoding();
  // Reads a start tag's name and attributes into ANode (the "<" is read).
  // Answers ANode when content follows, its parent when the tag was empty,
  // or nil to end the parse quietly (a reader that wants only the first
  // tag).
  virtual TdxXMLNode* ParseTag(TdxXMLNode* ANode);
  // Adds the text between AStart and AEnd to the node's text: every run of
  // text an element holds is kept, in order.
  virtual void SetNodeText(TdxXMLNode* ANode, const char* AStart, const char* AEnd);

  // The next token; False at the end of the input.
  bool NextToken(TdxXMLToken& AToken);
  [[noreturn]] void RaiseError(const rtl::String& AWhat, const char* AWhere) const;

 private:
  enum class TTagEnd { Open, Empty };

  // AElement: the tag of an element, not of a declaration.
  TTagEnd ReadTag(TdxXMLNode* ANode, const char* ATagStart, bool AElement);
  void CheckName(const TdxXMLToken& AToken, bool AElementName) const;
  void ReadEndTag(const char* AFooterStart);
  void ReadCData(TdxXMLNode* ANode, const TdxXMLToken& AToken);
  void SkipDeclaration(const char* AStart);
  void SkipProcessingInstruction(const char* AStart);
  void CheckByteOrder();
  TdxXMLString ConvertCodePage(std::string_view ARaw) const;
  TdxXMLString Share(std::string_view AValue);
  bool ProbeComment(std::string_view AStartMark, std::string_view AEndMark, TdxXMLToken& AToken) const;
  void Advance(int ACount)
  {
    FData += ACount;
    FDataLength -= ACount;
  }

  TdxXMLDocument* FDocument;
  const char* FBuffer;
  const char* FData;
  int FDataLength;
  TdxXMLEncoding FEncoding;
  int FEncodingCodePage;
  TdxXMLSharedStrings* FSharedStrings;
  // Where each open element's start tag begins, outermost first.
  std::vector<const char*> FOpenTags;
};
