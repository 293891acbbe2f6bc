// Compiler messages as data: what the compiler found, where, and how it is shown.
//
// The compiler never prints. It returns a list of messages in source order; the studio, the player and
// lmbtool decide how to present them. The long form is the one the Messages list and lmbtool show:
//   [Error] (12:5): Unknown identifier 'Foo'
//   [Hint] inc/util.inc(3:7): Variable 'I' never used
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pascal {

enum class MessageKind { Hint, Warning, Error };

// What a message is about. Texts are built by messageText(); hosts that must produce one of the
// compiler's own texts (the uses callback reporting an unknown unit, for instance) use it as well.
enum class MessageCode {
    // errors
    UnknownIdentifier,          // Unknown identifier 'X'
    IdentifierExpected,         // Identifier expected
    Expected,                   // 'X' expected
    DuplicateIdentifier,        // Duplicate identifier 'X'
    TypeMismatch,               // Type mismatch
    InvalidNumberOfParameters,  // Invalid number of parameters
    VariableExpected,           // Variable expected
    UnknownType,                // Unknown type 'X'
    UnterminatedString,         // Unterminated string
    UnexpectedEndOfFile,        // Unexpected end of file
    ConstantExpressionExpected, // Constant expression expected
    NotAMember,                 // Not a method or property of 'TClassName': 'X'  (param = "TClassName\nX")
    PropertyReadOnly,           // Property 'X' is read-only
    PropertyWriteOnly,          // Property 'X' is write-only
    BreakOutsideLoop,           // Break or Continue outside a loop
    NotSupported,               // 'X' not supported
    SyntaxError,                // Syntax error
    DivisionByZero,             // Division by zero
    ConstantOutOfRange,         // Constant out of range
    NestingTooDeep,             // Nesting too deep
    DataTypeTooLarge,           // Data type too large
    DeclarationDiffers,         // Declaration of 'X' differs from previous declaration
    UnsatisfiedForward,         // Unsatisfied forward declaration: 'X'
    ExportRefused,              // Cannot export 'X'
    Custom,                     // the text is the parameter itself (host failures, registration errors)
    // warnings
    FunctionResultNotSet, // Function result value not set
    UnreachableCode,      // Unreachable code
    // hints
    VariableNeverUsed,      // Variable 'X' never used
    ValueAssignedNeverUsed, // Value assigned to 'X' never used
};

// The text of a message; param is the X of the texts above.
std::string messageText(MessageCode code, std::string_view param = {});

// "Error", "Warning" or "Hint".
const char* messageKindName(MessageKind kind);

struct Message {
    MessageKind kind = MessageKind::Error;
    MessageCode code = MessageCode::Custom;
    std::string text;       // e.g. "Unknown identifier 'Foo'"
    std::string module;     // empty for the script itself, else the include file that holds the position
    int row = -1;           // 1-based, in the module; -1 when the message has no position
    int col = -1;           // 1-based, in bytes
    std::size_t offset = 0; // byte offset in the compiled text

    // "[Error] (12:5): Unknown identifier 'Foo'"
    std::string longForm() const;
};

} // namespace pascal
