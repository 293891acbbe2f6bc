// The compiler of the script language: text in, checked program and messages out.
//
// A compile goes like this: the declaration functions added with addDeclarations run, the uses
// callback is asked for "SYSTEM" (the host declares its script interface there, on top of the
// engine's own SYSTEM), the script is parsed and checked, each name of its uses clause goes to the
// uses callback, and on success the resolved program is built. The first error ends the compile.
// Messages come back in source order with kind, position, module and text.
//
//   pascal::Compiler c;
//   c.setUsesCallback([](pascal::UsesRequest& u) {
//       if (u.unitName != "SYSTEM") { u.reportError(pascal::messageText(
//           pascal::MessageCode::UnknownIdentifier, "")); return false; }
//       u.registrar.addRoutine("procedure Writeln(Msg: string);");
//       return true;
//   });
//   pascal::CompileResult r = c.compile(text);
//
// The compiler reads no files and calls no host code other than these callbacks.
#pragma once

#include "pascal/messages.h"
#include "pascal/preprocessor.h"
#include "pascal/registration.h"
#include "pascal/source_map.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pascal {

class Program; // the checked, resolved program (pascal/program.h)

enum class ParamMode { Value, Const, Var, Out };

// A routine as the callbacks see it.
struct RoutineInfo {
    struct Param {
        std::string name;
        ParamMode mode = ParamMode::Value;
        std::string typeName; // as declared ("Integer", "array of Byte")
    };
    std::string name; // as declared
    bool isFunction = false;
    std::string resultType; // empty for a procedure
    std::vector<Param> params;
    int row = -1, col = -1; // position of the name in the compiled text (before mapping)
};

// Asked with "SYSTEM" at the start of every compile, then with each name of the script's uses clause
// (upper case). Declarations go through registrar. Returning false fails the compile: with the text
// given to reportError, or "Unknown identifier 'NAME'" when none was given. A RegistrationError (or any
// std::exception) thrown from here fails the compile with its message as the error's text.
struct UsesRequest {
    std::string unitName;
    Registrar& registrar;
    void reportError(std::string text) { error = std::move(text); }
    std::string error;
};
using UsesCallback = std::function<bool(UsesRequest&)>;

// Asked for each routine of the script once it is checked. Returning false fails the compile with
// `error`, or "Cannot export 'Name'" when it stays empty.
struct ExportRequest {
    const RoutineInfo& routine;
    std::string error;
};
using ExportCheckCallback = std::function<bool(ExportRequest&)>;

// Asked for each routine declared `external '<symbol>@<library> [convention] [delayload]'`.
// Returning false fails the compile with `error`, or "'external' not supported" when it stays empty.
// Without a callback every external declaration is accepted; the interpreter loads the library when
// the routine is first called.
struct ExternalRequest {
    const RoutineInfo& routine;
    std::string text;       // the whole string after `external`
    std::string symbol;     // before the '@'
    std::string library;    // after the '@', up to the first blank
    std::string convention; // "register" (the default), "stdcall", "cdecl", "pascal"
    bool delayLoad = false;
    std::string error;
};
using ExternalCallback = std::function<bool(ExternalRequest&)>;

// Told the current byte offset in the compiled text now and then. Returning false ends the compile
// with the error "Compile aborted".
using LineProgressCallback = std::function<bool(std::size_t position)>;

struct CompileOptions {
    // Symbols of {$IFDEF} for compileSource.
    std::vector<std::string> defines;
};

struct CompileResult {
    bool success = false;
    std::vector<Message> messages;          // in source order
    std::shared_ptr<const Program> program; // set on success

    const Message* firstError() const;
    bool hasErrors() const { return firstError() != nullptr; }

    // The compiled output: the program's byte serialisation (empty after a failed compile).
    std::string output() const;
    // The debug output: the position table of the program.
    std::string debugOutput() const;
};

class Compiler {
public:
    Compiler();
    ~Compiler();
    Compiler(const Compiler&) = delete;
    Compiler& operator=(const Compiler&) = delete;

    // Declarations made at the start of every compile, before the uses callback's "SYSTEM", in the
    // order added. Their RegistrationError fails that compile.
    void addDeclarations(std::function<void(Registrar&)> declare);

    void setUsesCallback(UsesCallback callback);
    void setExportCheck(ExportCheckCallback callback);
    void setExternalCallback(ExternalCallback callback);
    void setLineProgress(LineProgressCallback callback);

    // Compiles an already preprocessed text. With a map, message positions are named by the file and
    // row the map gives; without, they are rows of text itself. Directives other than the compiler's
    // own switches ({$B-}, {$B+}) are ignored.
    CompileResult compile(std::string_view text, const SourceMap* map = nullptr);

    // Preprocesses (includes through include, defines of options) and compiles. A preprocessor failure
    // becomes an error message of the compile.
    CompileResult compileSource(std::string_view text, const std::string& fileName,
                                const IncludeCallback& include = {}, const CompileOptions& options = {});

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace pascal
