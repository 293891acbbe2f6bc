// The classes unit: points and rectangles, the notify event, the shift state, string lists and the
// streams. Stream buffers are strings here: scripts have no untyped parameters.
#include "script/standard_units.h"

namespace script {

using namespace decl;

static constexpr Decl kClasses[] = {
    type("THandle", "LongWord"),
    type("TPoint", "record X, Y: Longint; end"),
    type("TRect", "record Left, Top, Right, Bottom: Longint; end"),
    type("TNotifyEvent", "procedure (Sender: TObject)"),
    type("TShiftState", "set of (ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)"),
    type("THelpContext", "Longint"),
    type("TAlignment", "(taLeftJustify, taRightJustify, taCenter)"),
    type("TDuplicates", "(dupIgnore, dupAccept, dupError)"),
    intConst("soFromBeginning", 0),
    intConst("soFromCurrent", 1),
    intConst("soFromEnd", 2),
    intConst("fmCreate", 0xFFFF),
    intConst("fmOpenRead", 0x0000),
    intConst("fmOpenWrite", 0x0001),
    intConst("fmOpenReadWrite", 0x0002),
    intConst("fmShareCompat", 0x0000),
    intConst("fmShareExclusive", 0x0010),
    intConst("fmShareDenyWrite", 0x0020),
    intConst("fmShareDenyRead", 0x0030),
    intConst("fmShareDenyNone", 0x0040),
    routine("function Point(AX, AY: Integer): TPoint;"),
    routine("function Rect(ALeft, ATop, ARight, ABottom: Integer): TRect;"),
    routine("function Bounds(ALeft, ATop, AWidth, AHeight: Integer): TRect;"),

    cls("TStream", "TObject"),
    method("function Read(var Buffer: string; Count: Longint): Longint;"),
    method("function Write(const Buffer: string; Count: Longint): Longint;"),
    method("function Seek(Offset: Longint; Origin: Word): Longint;"),
    method("procedure ReadBuffer(var Buffer: string; Count: Longint);"),
    method("procedure WriteBuffer(const Buffer: string; Count: Longint);"),
    method("function CopyFrom(Source: TStream; Count: Int64): Int64;"),
    prop("Position", "Int64"),
    prop("Size", "Int64"),

    cls("THandleStream", "TStream"),
    method("constructor Create(AHandle: Integer);"),
    propR("Handle", "Integer"),

    cls("TFileStream", "THandleStream"),
    method("constructor Create(const FileName: string; Mode: Word);"),

    cls("TCustomMemoryStream", "TStream"),
    method("procedure SaveToStream(Stream: TStream);"),
    method("procedure SaveToFile(const FileName: string);"),

    cls("TMemoryStream", "TCustomMemoryStream"),
    method("procedure Clear;"),
    method("procedure LoadFromStream(Stream: TStream);"),
    method("procedure LoadFromFile(const FileName: string);"),
    method("procedure SetSize(NewSize: Longint);"),

    cls("TResourceStream", "TCustomMemoryStream"),
    method("constructor Create(Instance: THandle; const ResName: string; ResType: PChar);"),
    method("constructor CreateFromID(Instance: THandle; ResID: Integer; ResType: PChar);"),

    cls("TStringStream", "TStream"),
    method("constructor Create(const AString: string);"),
    method("function ReadString(Count: Longint): string;"),
    method("procedure WriteString(const AString: string);"),
    propR("DataString", "string"),

    cls("TStrings", "TPersistent"),
    method("function Add(const S: string): Integer;"),
    method("function AddObject(const S: string; AObject: TObject): Integer;"),
    method("procedure Append(const S: string);"),
    method("procedure AddStrings(Strings: TStrings);"),
    method("procedure BeginUpdate;"),
    method("procedure EndUpdate;"),
    method("procedure Clear;"),
    method("procedure Delete(Index: Integer);"),
    method("function Equals(Strings: TStrings): Boolean;"),
    method("procedure Exchange(Index1, Index2: Integer);"),
    method("function IndexOf(const S: string): Integer;"),
    method("function IndexOfName(const Name: string): Integer;"),
    method("function IndexOfObject(AObject: TObject): Integer;"),
    method("procedure Insert(Index: Integer; const S: string);"),
    method("procedure InsertObject(Index: Integer; const S: string; AObject: TObject);"),
    method("procedure Move(CurIndex, NewIndex: Integer);"),
    method("procedure LoadFromFile(const FileName: string);"),
    method("procedure SaveToFile(const FileName: string);"),
    method("procedure LoadFromStream(Stream: TStream);"),
    method("procedure SaveToStream(Stream: TStream);"),
    prop("Capacity", "Integer"),
    prop("CommaText", "string"),
    propR("Count", "Integer"),
    prop("Delimiter", "Char"),
    prop("DelimitedText", "string"),
    propR("Names", "string Integer"),
    prop("NameValueSeparator", "Char"),
    prop("Objects", "TObject Integer"),
    prop("QuoteChar", "Char"),
    prop("Values", "string string"),
    prop("Strings", "string Integer"),
    defaultProp("Strings"),
    prop("Text", "string"),

    cls("TStringList", "TStrings"),
    method("function Find(const S: string; var Index: Integer): Boolean;"),
    method("procedure Sort;"),
    prop("CaseSensitive", "Boolean"),
    prop("Duplicates", "TDuplicates"),
    prop("Sorted", "Boolean"),
    prop("OnChange", "TNotifyEvent"),
    prop("OnChanging", "TNotifyEvent"),

    cls("TBits", "TObject"),
    method("function OpenBit: Integer;"),
    prop("Bits", "Boolean Integer"),
    defaultProp("Bits"),
    prop("Size", "Integer"),
};

std::span<const Decl> classesUnit()
{
    return kClasses;
}

} // namespace script
