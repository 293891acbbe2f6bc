// Reading the declaration lines of the tables: a routine or method line ("function MsgBox(AText,
// ACaption:string;Flags:integer):integer;") or a procedure type text ("procedure (Sender: TObject)").
// The lists for completion, parameter hints and handler templates are made from what this finds, so
// they name the parameters exactly as the compiler sees them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

struct ParamGroup {
    std::string modifier;           // "", "var", "const" or "out", lower case
    std::vector<std::string> names; // A, B in "A, B: Integer"
    std::string type;               // "Integer", "array of Variant"
};

struct Signature {
    std::string keyword; // "procedure", "function" or "constructor", lower case
    std::string name;    // empty for a procedure type
    std::vector<ParamGroup> params;
    std::string result; // empty for a procedure

    int paramCount() const;
    // The parameter list in one canonical spelling: "(Sender: TObject; var Key: Char)", or "" when the
    // routine has no parameters.
    std::string paramText() const;
    // One item per parameter, for parameter hints: "AText: string;", "ACaption: string;", "Flags: integer".
    std::vector<std::string> paramItems() const;
};

// Parses one declaration line or procedure type text; nothing when it is not one.
std::optional<Signature> parseSignature(std::string_view text);

} // namespace script
