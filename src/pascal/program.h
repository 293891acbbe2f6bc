// The compiled program: the checked, resolved script as the interpreter runs it, and its byte
// serialisation (the compiled output) with the position table (the debug output).
//
// Code is one array of fixed-size instructions; each routine owns a range of it and a frame of
// numbered slots (parameters first, then the result, the locals and the temporaries). Host routines,
// methods and properties are imports named as the declarations named them ("INTTOHEX",
// "TSTRINGS.ADD", "TCONTROL.CAPTION"); the interpreter binds them once, by name, before running.
#pragma once

#include "pascal/opcodes.h"
#include "pascal/value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pascal {

struct Instr {
    std::uint16_t op = OP_NOP;
    std::uint16_t a = 0, b = 0, c = 0;
    std::int32_t d = 0;
};
static_assert(sizeof(Instr) == 12, "instructions are 12 bytes");

// Kinds of run-time types; a type gives the default value of a slot and the conversions of Variants.
enum class RtKind : std::uint8_t {
    Integer,
    Char,
    Bool,
    Enum,
    Float,
    String,
    Variant,
    Pointer,
    Set,
    Array,
    DynArray,
    Record,
    Proc,
    Object,
};

struct RtType {
    RtKind kind = RtKind::Integer;
    std::uint8_t intKind = 4;         // IntKind of integers
    std::int32_t elem = -1;           // Array, DynArray: element type
    std::uint32_t length = 0;         // Array: element count
    std::vector<std::int32_t> fields; // Record: field types
    std::string name;
};

struct ParamInfo {
    std::string name;
    std::uint8_t mode = 0; // ParamMode
    std::int32_t type = -1;
};

struct RoutineCode {
    std::string name;                 // as declared; "" for the main block
    std::uint32_t entry = 0, end = 0; // code range
    std::uint16_t frameSize = 0;
    std::int32_t resultSlot = -1; // -1 for procedures
    std::int32_t resultType = -1;
    std::vector<ParamInfo> params;
    std::vector<std::pair<std::uint16_t, std::int32_t>> init; // slot, run-time type
};

enum class ImportKind : std::uint8_t { Routine, Method, Constructor, PropGet, PropSet };

struct Import {
    ImportKind kind = ImportKind::Routine;
    std::string className;           // declaring class for members ("TCONTROL")
    std::string name;                // routine or member name as declared
    std::uint16_t argCount = 0;      // arguments after self
    std::vector<std::uint8_t> modes; // ParamMode per argument
    std::vector<std::int32_t> argTypes;
    std::int32_t resultType = -1;
    std::string key() const; // "INTTOHEX", "TCONTROL.CAPTION"
};

struct ExternalRoutine {
    std::string name, symbol, library, convention;
    bool delayLoad = false;
    std::vector<std::uint8_t> modes;
    std::vector<std::int32_t> argTypes;
    std::int32_t resultType = -1;
};

struct ClassEntry {
    std::string name;
    std::int32_t parent = -1;
};

struct ExportedVariable {
    std::string upperName;
    std::int32_t global = 0;
    std::int32_t type = -1;
    std::string typeName;
};

struct PositionEntry {
    std::uint32_t pc;     // first instruction of the run
    std::uint32_t offset; // byte offset in the compiled text
    std::int32_t row, col;
    std::uint16_t module; // index into Program::modules (0 = the script)
};

class Program {
public:
    std::vector<Instr> code;
    std::vector<RoutineCode> routines; // routines[mainRoutine] is the main block
    std::int32_t mainRoutine = 0;
    std::vector<Value> constants;
    std::vector<RtType> types;
    std::vector<Import> imports;
    std::vector<std::string> natives;
    std::vector<ExternalRoutine> externals;
    std::vector<ClassEntry> classes;
    std::vector<std::int32_t> globalTypes;
    std::vector<std::int32_t> globalInit; // constant index or -1 (default of its type)
    std::vector<std::string> globalNames;
    std::vector<ExportedVariable> exports;
    std::vector<PositionEntry> positions; // sorted by pc
    std::vector<std::string> modules;

    // The routine of that name (case-insensitive), or -1.
    int findRoutine(std::string_view name) const;
    // Where an instruction came from; nullptr when unknown.
    const PositionEntry* positionOf(std::uint32_t pc) const;
    // A readable listing of the code (for tests and debugging).
    std::string listing() const;
};

// The compiled output: every table and the code, versioned and checked by a hash.
std::string serializeProgram(const Program& p);
// The debug output: the position table.
std::string serializePositions(const Program& p);
// Reads a compiled output back. Checks every index against the tables and frames, so a damaged or
// hostile input is refused (platform::Error) instead of being run.
std::shared_ptr<Program> deserializeProgram(std::string_view bytes);
// Checks the code and tables of a program; throws platform::Error naming the first fault.
void verifyProgram(const Program& p);

} // namespace pascal
