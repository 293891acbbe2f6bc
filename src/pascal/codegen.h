// Code generator: turns the checked tree of each routine into instructions of the Program, with
// frame slots for parameters, locals and temporaries, and a position entry for every run of
// instructions that came from the same token.
#pragma once

#include "pascal/ast.h"
#include "pascal/environment.h"
#include "pascal/program.h"
#include "pascal/source_map.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace pascal {

class Parser;
struct RoutineCtx;

class CodeGen {
public:
    // Positions are taken from the lexer's rows, or from map when given.
    CodeGen(Environment& env, Program& prog, std::string_view text, const SourceMap* map);

    void declareRoutine(Routine& r);
    void declareExternal(Routine& r);
    void routine(Parser& p, RoutineCtx& ctx, Stmt* body);
    void mainBlock(Parser& p, RoutineCtx& ctx, Stmt* body);
    // Globals, exports and the checks that need the whole program.
    void finish();

    int rtType(const Type* t);

private:
    struct Loop {
        std::vector<std::uint32_t> breaks, continues;
        std::size_t tryDepth;
    };
    enum class TryKind { ExceptBody, ExceptHandler, FinallyBody, FinallyHandler };
    struct Try {
        TryKind kind;
        Stmt* finallyBody;
    };

    void beginRoutine(RoutineCode& rc, RoutineCtx& ctx);
    void endRoutine(Stmt* body);
    std::uint32_t emit(std::uint16_t op, int a = 0, int b = 0, int c = 0, std::int32_t d = 0);
    void patch(std::uint32_t at, std::uint32_t target)
    {
        m_prog.code[at].d = static_cast<std::int32_t>(target);
    }
    std::uint32_t here() const { return static_cast<std::uint32_t>(m_prog.code.size()); }
    void at(std::uint32_t pos) { m_pos = pos; }
    int temp();
    void reserve(int n);
    int constant(const Value& v);

    // statements
    void stmt(Stmt* s);
    void assign(Expr* target, Expr* value);
    void storeTo(Expr* target, int valueSlot);
    void forLoop(Stmt* s);
    void caseStmt(Stmt* s);
    void tryExcept(Stmt* s);
    void tryFinally(Stmt* s);
    void leave(std::size_t downTo); // unwinds the try blocks above downTo before a jump out
    void condJump(Expr* cond, bool when, std::vector<std::uint32_t>& out);
    void patchAll(std::vector<std::uint32_t>& jumps, std::uint32_t target);

    // expressions
    int any(Expr* e);          // a slot holding the value (a local's own slot, or a temporary)
    void to(Expr* e, int dst); // the value into dst
    void binaryTo(Expr* e, int dst);
    void convTo(Expr* e, int dst);
    void intrinsicTo(Expr* e, int dst);
    int call(Expr* e, int dst); // returns the slot of the result
    void args(const Signature& sig, Expr** args, std::uint32_t n, int base,
              std::vector<std::pair<Expr*, int>>& writeBack);
    int ref(Expr* lvalue); // a slot holding a reference to the lvalue's storage
    bool isLocal(const Expr* e) const;
    int importFor(ImportKind kind, const Member* m, const ClassInfo* cls);
    int importRoutine(Routine& r);
    int classIndex(const ClassInfo* c);

    Environment& m_env;
    Program& m_prog;
    std::string_view m_text;
    const SourceMap* m_map;
    Parser* m_parser = nullptr;
    RoutineCtx* m_ctx = nullptr;
    RoutineCode* m_rc = nullptr;
    int m_next = 0;
    int m_max = 0;
    std::uint32_t m_pos = 0;
    std::uint32_t m_lastPos = 0xFFFFFFFFu;
    std::vector<std::uint32_t> m_exits;
    std::vector<Loop> m_loops;
    std::vector<Try> m_tries;
    std::vector<Routine*> m_declared;
    std::unordered_map<std::string, int> m_stringConsts;
    std::unordered_map<std::uint64_t, int> m_intConsts, m_floatConsts, m_boolConsts;
    std::vector<int> m_lineStarts;
};

} // namespace pascal
