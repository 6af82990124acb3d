// The Dart texts behind the main window's "Generate" command:
//  - the rules that read one field line (list line, last space, field name,
//    element type);
//  - the model class, appended to the "Model" memo;
//  - the Firestore CRUD class, appended to the "CRUD" memo;
//  - the input checks the handler runs first, with their messages.
//
// Each generated entry is one Add to a memo's lines; an entry may hold CR LF
// pairs and so become several lines. Empty field lines are skipped by every
// loop; a line of blanks is not empty and is processed.
#pragma once

#include <span>
#include <vector>

#include "platform/rtl/SystemTypes.h"

using TGeneratedEntries = std::vector<rtl::String>;

// A field line is a list line when it holds "List<" anywhere (case-sensitive).
bool IsListLine(const rtl::String& ALine);

// The 0-based index of the last blank (U+0020) in the line, -1 when none.
int LastSpaceIndex(const rtl::String& ALine);

// The text between the last blank and the first ";" after it, without
// leading and trailing control characters and blanks. Empty when that part
// of the line has no ";".
rtl::String FieldName(const rtl::String& ALine);

// For list lines: what follows the last "<" in the line before its last blank
// (less the one character before that blank), with every "<" removed.
rtl::String ElementType(const rtl::String& ALine);

// The model name with only the ASCII capitals A to Z lowered; it names the
// collection, the CRUD operations' parameter and the proposed file names.
rtl::String LowerAsciiModelName(const rtl::String& AModelName);

// Appends the model class of AModelName to AEntries.
void GenerateModelClass(const rtl::String& AModelName, std::span<const rtl::String> AFieldLines,
                        TGeneratedEntries& AEntries);

// Appends the CRUD class of AModelName to AEntries (never clears it: the CRUD
// memo keeps every class generated since the window was created).
void GenerateCrudClass(const rtl::String& AModelName, std::span<const rtl::String> AFieldLines,
                       TGeneratedEntries& AEntries);

enum class TGenerateInputError { None, NoModelName, NoModelFields };

// Which input Generate must refuse, the model name tested first. AFieldsText
// is the whole text of the field memo: blanks and line breaks alone pass.
TGenerateInputError CheckGenerateInput(const rtl::String& AModelName, const rtl::String& AFieldsText);

// The error box text for a refused input; empty for None.
rtl::String GenerateInputErrorText(TGenerateInputError AError);
