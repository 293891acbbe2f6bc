// The declarations visible to one compile: the engine's own SYSTEM, what the host registered, and the
// script's global declarations. Owns every type, class, symbol and routine of the compile.
#pragma once

#include "pascal/types.h"

#include <deque>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace pascal {

class Environment {
public:
    Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    NameTable names;

    Type* newType(TK kind, std::string name = {});
    ClassInfo* newClass(NameId name);
    Member* newMember();
    Symbol* newSymbol(SymKind kind, NameId name);
    Routine* newRoutine(NameId name);

    // Global scope: the newest declaration of a name wins.
    Symbol* lookup(NameId name) const
    {
        auto it = m_globals.find(name);
        return it == m_globals.end() ? nullptr : it->second;
    }
    void declare(Symbol* s) { m_globals[s->name] = s; }
    // Names the script itself declared at global level (a second one is a duplicate).
    bool declaredByScript(NameId name) const { return m_scriptNames.count(name) != 0; }
    void markScriptName(NameId name) { m_scriptNames.insert(name); }

    ClassInfo* findClass(NameId name) const
    {
        auto it = m_classes.find(name);
        return it == m_classes.end() ? nullptr : it->second;
    }
    void registerClass(ClassInfo* c) { m_classes[c->name] = c; }
    ClassInfo* classAt(int index) { return &m_classStore[static_cast<std::size_t>(index)]; }

    // Types the engine knows without registration.
    const Type *tVoid, *tInteger, *tInt64, *tCardinal, *tByte, *tShortInt, *tWord, *tSmallInt;
    const Type *tSingle, *tDouble, *tExtended, *tCurrency, *tBoolean, *tLongBool, *tChar;
    const Type *tString, *tVariant, *tPointer, *tNil, *tEmptySet, *tArrayOfConst, *tTypeName;
    ClassInfo* objectClass = nullptr;

    // Global variables in declaration order; a symbol's index is its place here.
    std::vector<Symbol*> globals;
    Symbol* addGlobal(NameId name, const Type* type, std::uint32_t pos);

    // Builds a signature's display form for callbacks.
    RoutineInfo routineInfo(const Routine& r) const;
    std::string typeName(const Type* t) const;

    // Checks and bookkeeping shared by the parser and the registrar.
    const Type* integerType(IntKind k) const;
    static bool isManaged(const Type* t);

private:
    void declareSystem();

    std::deque<Type> m_types;
    std::deque<ClassInfo> m_classStore;
    std::deque<Member> m_members;
    std::deque<Symbol> m_symbols;
    std::deque<Routine> m_routines;
    std::unordered_map<NameId, Symbol*> m_globals;
    std::unordered_map<NameId, ClassInfo*> m_classes;
    std::unordered_set<NameId> m_scriptNames;
};

} // namespace pascal
