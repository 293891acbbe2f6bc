// Texts of the compiler's messages and their long form.
#include "pascal/messages.h"

namespace pascal {

static std::string quoted(std::string_view s)
{
    std::string r;
    r.reserve(s.size() + 2);
    r += '\'';
    r += s;
    r += '\'';
    return r;
}

std::string messageText(MessageCode code, std::string_view p)
{
    switch (code) {
    case MessageCode::UnknownIdentifier:
        return "Unknown identifier " + quoted(p);
    case MessageCode::IdentifierExpected:
        return "Identifier expected";
    case MessageCode::Expected:
        return quoted(p) + " expected";
    case MessageCode::DuplicateIdentifier:
        return "Duplicate identifier " + quoted(p);
    case MessageCode::TypeMismatch:
        return "Type mismatch";
    case MessageCode::InvalidNumberOfParameters:
        return "Invalid number of parameters";
    case MessageCode::VariableExpected:
        return "Variable expected";
    case MessageCode::UnknownType:
        return "Unknown type " + quoted(p);
    case MessageCode::UnterminatedString:
        return "Unterminated string";
    case MessageCode::UnexpectedEndOfFile:
        return "Unexpected end of file";
    case MessageCode::ConstantExpressionExpected:
        return "Constant expression expected";
    case MessageCode::NotAMember: {
        auto nl = p.find('\n');
        std::string_view cls = nl == std::string_view::npos ? p : p.substr(0, nl);
        std::string_view member = nl == std::string_view::npos ? std::string_view{} : p.substr(nl + 1);
        return "Not a method or property of " + quoted(cls) + ": " + quoted(member);
    }
    case MessageCode::PropertyReadOnly:
        return "Property " + quoted(p) + " is read-only";
    case MessageCode::PropertyWriteOnly:
        return "Property " + quoted(p) + " is write-only";
    case MessageCode::BreakOutsideLoop:
        return "Break or Continue outside a loop";
    case MessageCode::NotSupported:
        return quoted(p) + " not supported";
    case MessageCode::SyntaxError:
        return "Syntax error";
    case MessageCode::DivisionByZero:
        return "Division by zero";
    case MessageCode::ConstantOutOfRange:
        return "Constant out of range";
    case MessageCode::NestingTooDeep:
        return "Nesting too deep";
    case MessageCode::DataTypeTooLarge:
        return "Data type too large";
    case MessageCode::DeclarationDiffers:
        return "Declaration of " + quoted(p) + " differs from previous declaration";
    case MessageCode::UnsatisfiedForward:
        return "Unsatisfied forward declaration: " + quoted(p);
    case MessageCode::ExportRefused:
        return "Cannot export " + quoted(p);
    case MessageCode::Custom:
        return std::string(p);
    case MessageCode::FunctionResultNotSet:
        return "Function result value not set";
    case MessageCode::UnreachableCode:
        return "Unreachable code";
    case MessageCode::VariableNeverUsed:
        return "Variable " + quoted(p) + " never used";
    case MessageCode::ValueAssignedNeverUsed:
        return "Value assigned to " + quoted(p) + " never used";
    }
    return std::string(p);
}

const char* messageKindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Hint:
        return "Hint";
    case MessageKind::Warning:
        return "Warning";
    case MessageKind::Error:
        return "Error";
    }
    return "Error";
}

std::string Message::longForm() const
{
    std::string r = "[";
    r += messageKindName(kind);
    r += "] ";
    r += module;
    r += '(';
    r += std::to_string(row);
    r += ':';
    r += std::to_string(col);
    r += "): ";
    r += text;
    return r;
}

} // namespace pascal
