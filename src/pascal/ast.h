// The checked tree of one routine body, as the parser builds it for the code generator. Every node
// carries its type (already resolved and converted) and the offset of the token it came from. Nodes
// live in an arena that is reset after each routine.
#pragma once

#include "pascal/types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace pascal {

enum class EK : std::uint8_t {
    Const,     // constIndex
    Var,       // sym
    Field,     // a = record, imm = field index
    Index,     // a = array, b = index, imm = low bound
    StrIndex,  // a = string, b = index
    Call,      // routine, args
    Method,    // a = object (nullptr: constructor of klass), member, args
    Prop,      // a = object, member, args = index arguments
    ProcCall,  // a = procedural value, args
    Unary,     // op, a
    Binary,    // op, opClass, a, b
    Conv,      // op = Conv kind, a
    SetCons,   // args = pairs (lo, hi or nullptr)
    ArrayCons, // args = elements (already converted to the element type)
    ProcAddr,  // routine
    Is,        // a, klass
    As,        // a, klass
    Intrinsic, // op = Intrinsic, args
    TypeRef,   // a type named as an argument (type)
    ClassRef,  // a class named as a value (klass)
};

enum class UnOp : std::uint8_t { Neg, Not };
enum class BinOp : std::uint8_t {
    Add,
    Sub,
    Mul,
    FDiv,
    IDiv,
    Mod,
    And,
    Or,
    Xor,
    Shl,
    Shr,
    Eq,
    Ne,
    Lt,
    Le,
    Gt,
    Ge,
    In,
};
// How an operator works on its operands (decided by the checker).
enum class OpClass : std::uint8_t { I32, U32, I64, Float, Bool, Str, Set, Var, Raw };

enum class Conv : std::uint8_t {
    IntToFloat, // integer to floating
    Narrow,     // integer to a narrower integer, char, enumeration (imm = IntKind or 255 for bool)
    CharToStr,
    ToVariant,     // any simple value into a Variant (chars become strings)
    FromVariant,   // a Variant to the node's type
    FloatToSingle, // rounding to single precision
    None,          // retyping only (class casts, ordinal casts of the same width)
};

struct Stmt;

struct Expr {
    EK kind;
    std::uint8_t op = 0;
    OpClass cls = OpClass::I32;
    bool flag = false; // Binary: short-circuit; Var: written; Method: ignore result; SetCons:
                       // constant elements out of a set's range (imm: the position of the first)
    std::uint32_t pos = 0;
    const Type* type = nullptr;
    Expr* a = nullptr;
    Expr* b = nullptr;
    Expr** args = nullptr;
    std::uint32_t nargs = 0;
    Symbol* sym = nullptr;
    Routine* routine = nullptr;
    const Member* member = nullptr;
    const ClassInfo* klass = nullptr;
    std::int64_t imm = 0;
    int constIndex = -1;
    std::uint32_t depth = 1; // height of the tree below (bounded, so walking it cannot exhaust the stack)
};

enum class SK : std::uint8_t {
    Empty,
    Assign,
    Call,
    If,
    While,
    Repeat,
    For,
    Case,
    TryExcept,
    TryFinally,
    Exit,
    Break,
    Continue,
    Block,
    Reraise,
};

struct CaseArm {
    Expr** labels = nullptr; // pairs: low, high (high nullptr for a single value)
    std::uint32_t nlabels = 0;
    Stmt* body = nullptr;
};

struct Stmt {
    SK kind;
    std::uint32_t pos = 0;
    Expr* a = nullptr;     // Assign target / Call / condition / For variable / Case selector
    Expr* b = nullptr;     // Assign value / For start
    Expr* c = nullptr;     // For end
    Stmt* s1 = nullptr;    // then / body / try block
    Stmt* s2 = nullptr;    // else / handler
    Stmt** list = nullptr; // Block
    std::uint32_t n = 0;
    bool downto = false;
    CaseArm* arms = nullptr;
    std::uint32_t narms = 0;
};

// Bump allocator for nodes; nodes are trivially destructible. Blocks are kept for reuse by reset().
class Arena {
public:
    template <class T> T* make()
    {
        void* p = allocate(sizeof(T), alignof(T));
        return new (p) T();
    }
    template <class T> T** array(std::size_t n)
    {
        if (n == 0)
            return nullptr;
        return static_cast<T**>(allocate(sizeof(T*) * n, alignof(T*)));
    }
    template <class T> T* objects(std::size_t n)
    {
        if (n == 0)
            return nullptr;
        T* t = static_cast<T*>(allocate(sizeof(T) * n, alignof(T)));
        for (std::size_t i = 0; i < n; ++i)
            new (&t[i]) T();
        return t;
    }
    void reset()
    {
        m_cur = 0;
        m_used = 0;
    }

private:
    struct Block {
        std::unique_ptr<unsigned char[]> mem;
        std::size_t size;
    };
    void* allocate(std::size_t size, std::size_t align)
    {
        m_used = (m_used + align - 1) & ~(align - 1);
        if (m_cur >= m_blocks.size() || m_used + size > m_blocks[m_cur].size) {
            if (m_cur < m_blocks.size())
                ++m_cur;
            if (m_cur >= m_blocks.size() || m_blocks[m_cur].size < size) {
                std::size_t bs = size > kBlock ? size : kBlock;
                m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(m_cur),
                                Block{std::make_unique<unsigned char[]>(bs), bs});
            }
            m_used = 0;
        }
        void* p = m_blocks[m_cur].mem.get() + m_used;
        m_used += size;
        return p;
    }
    static constexpr std::size_t kBlock = 64 * 1024;
    std::vector<Block> m_blocks;
    std::size_t m_cur = 0;
    std::size_t m_used = 0;
};

} // namespace pascal
