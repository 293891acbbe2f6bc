// Parser and checker of the script language. One pass over the text: declarations go into the
// Environment as they are read, each routine body becomes a checked tree (ast.h) that is handed to the
// code generator at once, and the tree is dropped. The same parser reads the declaration lines and
// type texts of the registration API.
//
// Errors are thrown as CompileError (the first error ends the compile); hints and warnings are
// collected. Every recursive descent is counted against kMaxDepth, so no input can exhaust the stack.
#pragma once

#include "pascal/ast.h"
#include "pascal/environment.h"
#include "pascal/lexer.h"

#include <deque>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pascal {

struct Diag {
    MessageKind kind;
    MessageCode code;
    std::string param;
    std::uint32_t offset;
};

// A routine body (or the main block) being compiled.
struct RoutineCtx {
    Routine* routine = nullptr; // nullptr for the main block
    std::vector<Symbol*> slots; // params, result, locals, hidden locals: symbol per frame slot
    std::unordered_map<NameId, Symbol*> scope;
    Symbol* result = nullptr;
    int paramCount = 0;
    bool resultAssigned = false;
    int loopDepth = 0;
    int exceptDepth = 0;
};

class CodeGen;

struct CompileHooks {
    const UsesCallback* uses = nullptr;
    const ExportCheckCallback* exportCheck = nullptr;
    const ExternalCallback* external = nullptr;
    const LineProgressCallback* progress = nullptr;
};

class Parser {
public:
    static constexpr int kMaxDepth = 400;

    Parser(Environment& env, std::string_view text);

    // The whole script. gen receives each routine and the main block; diags collects hints and
    // warnings.
    void parseProgram(CodeGen& gen, std::vector<Diag>& diags, const CompileHooks& hooks);

    // Registration: one declaration line of a routine (kind Host) or method; a type text.
    Routine* parseRoutineDeclaration(RoutineKind kind);
    bool parseMethodDeclaration(Member& m);
    const Type* parseTypeText(NameId name);
    // A property type text: type names separated by blanks.
    bool parsePropertyTypes(const Type*& type, std::vector<const Type*>& indexTypes);

    const Value& constant(int index) const { return m_consts[static_cast<std::size_t>(index)]; }
    Lexer& lexer() { return m_lex; }

private:
    friend class DepthGuard;
    // --- tokens
    void advance();
    const Token& peek();
    bool accept(Tok t);
    bool acceptKeyword(NameId k);
    void expect(Tok t);
    void expectKeyword(NameId k);
    NameId expectIdent();
    [[noreturn]] void fail(MessageCode code, std::string param = {});
    [[noreturn]] void failAt(std::uint32_t offset, MessageCode code, std::string param = {});
    [[noreturn]] void failExpected(const char* what);
    void diag(MessageKind kind, MessageCode code, std::string param, std::uint32_t offset);
    std::string spell(NameId n) const { return m_env.names.spelling(n); }
    void progress();

    // --- declarations
    void parseUses();
    void parseConstSection(bool global);
    void parseTypeSection(bool global);
    void parseVarSection(bool global);
    void parseRoutine();
    void parseMainBlock();
    void declareName(NameId name, std::uint32_t pos, bool global);
    // A symbol the script declares, and its entry into the global or the current routine's scope.
    Symbol* scriptSymbol(SymKind kind, NameId name, std::uint32_t pos, const Type* type);
    void publish(Symbol* s, bool global);
    Routine* parseHeader(bool isFunction, bool isConstructor, NameId& name, std::uint32_t& namePos,
                         Signature& sig);
    void parseParams(Signature& sig);
    const Type* parseType(NameId name); // a type definition
    const Type* parseTypeName();        // a named type (or an inline array/set type)
    const Type* parseParamType(bool& openArray);
    const Type* makeEnum(NameId name);
    const Type* makeArray(NameId name);
    const Type* makeRecord(NameId name);
    const Type* makeSet(NameId name);
    const Type* makeProcType(NameId name, bool isFunction);
    const Type* makeSubrange(NameId name, Expr* low);
    void checkSize(Type* t);
    Value constValue(Expr* e);
    Value typedConstant(const Type* type);
    Expr* constExpr();

    // --- statements
    Stmt* parseStatement();
    Stmt* parseCompound();
    Stmt* parseStatementList(NameId terminator, NameId terminator2 = kNoName);
    Stmt* parseIf();
    Stmt* parseWhile();
    Stmt* parseRepeat();
    Stmt* parseFor();
    Stmt* parseCase();
    Stmt* parseTry();
    Stmt* parseWith();
    Stmt* parseSimpleStatement();
    Stmt* makeAssign(Expr* target, Expr* value, std::uint32_t pos);
    Stmt* newStmt(SK kind, std::uint32_t pos);
    bool endsFlow(const Stmt* s) const;

    // --- expressions
    Expr* parseExpr();
    Expr* parseSimple();
    Expr* parseTerm();
    Expr* parseFactor();
    Expr* parseDesignator(bool statement, bool addressOf = false);
    Expr* parseIdentifier(bool statement, bool addressOf);
    Expr* parseSelectors(Expr* e, bool statement);
    Expr* parseMemberAccess(Expr* obj, const ClassInfo* cls, NameId member, std::uint32_t pos,
                            bool statement);
    Expr* parseCallArgs(Routine* r, std::uint32_t pos, bool statement);
    void parseArgList(std::vector<Expr*>& args, Tok close);
    Expr** checkArgs(const Signature& sig, std::vector<Expr*>& args, std::uint32_t pos, std::uint32_t& n);
    Expr* parseSetConstructor();
    Expr* parseIntrinsic(Intrinsic id, std::uint32_t pos, bool statement);
    Expr* parseTypecast(const Type* to, std::uint32_t pos);
    Expr* lookupWith(NameId name, std::uint32_t pos, bool statement);
    Expr* scriptRoutineAddress(const Type* target);

    // --- checking (check.cpp)
    Expr* newExpr(EK kind, const Type* type, std::uint32_t pos);
    Expr* makeConst(const Type* type, Value v, std::uint32_t pos);
    Expr* makeVar(Symbol* s, std::uint32_t pos);
    Expr* convert(Expr* e, const Type* to, std::uint32_t pos); // implicit; throws Type mismatch
    Expr* tryConvert(Expr* e, const Type* to);                 // nullptr when not assignable
    Expr* toBoolean(Expr* e);
    Expr* binary(BinOp op, Expr* l, Expr* r, std::uint32_t pos, bool shortCircuit);
    Expr* unary(UnOp op, Expr* e, std::uint32_t pos);
    Expr* fold(Expr* e);
    bool sameType(const Type* a, const Type* b) const;
    bool isLvalue(const Expr* e) const;
    void markWritten(Expr* e);
    void requireLvalue(Expr* e);
    const Type* resultIntType(const Type* a, const Type* b) const;
    const Type* commonOrdinal(const Type* a, const Type* b) const;
    bool procCompatible(const Signature& target, const Signature& source) const;
    Expr* procAddress(Routine* r, const Type* target, std::uint32_t pos);
    Expr* wrapConst(Expr* e, const Type* to, std::uint32_t pos);

    Environment& m_env;
    Lexer m_lex;
    Token m_tok;
    Token m_next;
    bool m_hasNext = false;
    Arena m_arena;
    std::deque<Value> m_consts;
    RoutineCtx* m_ctx = nullptr;
    struct WithScope {
        const Type* type;
        Expr* base;
    };
    std::vector<WithScope> m_with;
    int m_depth = 0;
    std::vector<Diag>* m_diags = nullptr;
    CodeGen* m_gen = nullptr;
    CompileHooks m_hooks;
    std::uint32_t m_lastProgress = 0;
    bool m_inDeclarationText = false;
};

class DepthGuard {
public:
    explicit DepthGuard(Parser& p) : m_p(p)
    {
        if (++m_p.m_depth > Parser::kMaxDepth)
            m_p.fail(MessageCode::NestingTooDeep);
    }
    ~DepthGuard() { --m_p.m_depth; }

private:
    Parser& m_p;
};

} // namespace pascal
