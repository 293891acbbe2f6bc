// Date and time routines of the class library (SysUtils and DateUtils), the first standard table.
// TimeToStr, StrToTime and DayOfYear are not here: the support library declares those itself.
//
// The var parameters that the class library types as Word are Integer here. The support library later
// declares WORD as an alias of integer, so from then on a script's Word is Integer, and a var parameter
// must match its argument's type exactly: with the built-in Word no script variable could be passed.
#include "script/standard_units.h"

namespace script {

using namespace decl;

static constexpr Decl kDateUtils[] = {
    type("TDateTime", "Double"),
    routine("function EncodeDate(Year, Month, Day: Word): TDateTime;"),
    routine("function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime;"),
    routine("function TryEncodeDate(Year, Month, Day: Word; var Date: TDateTime): Boolean;"),
    routine("function TryEncodeTime(Hour, Min, Sec, MSec: Word; var Time: TDateTime): Boolean;"),
    routine("procedure DecodeDate(const DateTime: TDateTime; var Year, Month, Day: Integer);"),
    routine("procedure DecodeTime(const DateTime: TDateTime; var Hour, Min, Sec, MSec: Integer);"),
    routine("function EncodeDateTime(const AYear, AMonth, ADay, AHour, AMinute, ASecond, "
            "AMilliSecond: Word): TDateTime;"),
    routine("procedure DecodeDateTime(const AValue: TDateTime; var AYear, AMonth, ADay, AHour, "
            "AMinute, ASecond, AMilliSecond: Integer);"),
    routine("function DayOfWeek(const DateTime: TDateTime): Word;"),
    routine("function Date: TDateTime;"),
    routine("function Time: TDateTime;"),
    routine("function Now: TDateTime;"),
    routine("function IsLeapYear(Year: Word): Boolean;"),
    routine("function IncMonth(const DateTime: TDateTime; NumberOfMonths: Integer): TDateTime;"),
    routine("function DateToStr(const DateTime: TDateTime): string;"),
    routine("function DateTimeToStr(const DateTime: TDateTime): string;"),
    routine("function StrToDate(const S: string): TDateTime;"),
    routine("function StrToDateTime(const S: string): TDateTime;"),
    routine("function FormatDateTime(const Format: string; DateTime: TDateTime): string;"),
    routine("function DateTimeToUnix(const AValue: TDateTime): Int64;"),
    routine("function UnixToDateTime(const AValue: Int64): TDateTime;"),
    routine("function YearOf(const AValue: TDateTime): Word;"),
    routine("function MonthOf(const AValue: TDateTime): Word;"),
    routine("function DayOf(const AValue: TDateTime): Word;"),
    routine("function HourOf(const AValue: TDateTime): Word;"),
    routine("function MinuteOf(const AValue: TDateTime): Word;"),
    routine("function SecondOf(const AValue: TDateTime): Word;"),
    routine("function MilliSecondOf(const AValue: TDateTime): Word;"),
    routine("function DaysInAMonth(const AYear, AMonth: Word): Word;"),
    routine("function DaysBetween(const ANow, AThen: TDateTime): Integer;"),
    routine("function IncDay(const AValue: TDateTime; const ANumberOfDays: Integer): TDateTime;"),
    routine("function IncHour(const AValue: TDateTime; const ANumberOfHours: Int64): TDateTime;"),
    routine("function IncMinute(const AValue: TDateTime; const ANumberOfMinutes: Int64): TDateTime;"),
    routine("function IncSecond(const AValue: TDateTime; const ANumberOfSeconds: Int64): TDateTime;"),
    routine("function StartOfTheDay(const AValue: TDateTime): TDateTime;"),
    routine("function EndOfTheDay(const AValue: TDateTime): TDateTime;"),
    routine("function IsToday(const AValue: TDateTime): Boolean;"),
    routine("function SameDate(const A, B: TDateTime): Boolean;"),
    routine("function CompareDateTime(const A, B: TDateTime): Integer;"),
};

std::span<const Decl> dateUtilsUnit()
{
    return kDateUtils;
}

} // namespace script
