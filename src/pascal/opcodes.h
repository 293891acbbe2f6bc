// The instruction set of compiled programs. Each instruction names up to three frame slots (a, b, c)
// and one 32-bit operand (d). The operand kinds drive the verifier, the serialiser and the listing:
//   N unused   S slot   i small immediate (unchecked)
//   I immediate   K constant   J jump target   R routine   H import   X native   G global
//   T run-time type   E external   C class
#pragma once

#include <cstdint>

namespace pascal {

#define PASCAL_OPCODES(X)                                                                                    \
    X(NOP, N, N, N, N)                                                                                       \
    X(MOV, S, S, N, N)                                                                                       \
    X(LOADK, S, N, N, K)                                                                                     \
    X(LOADI, S, N, N, I)                                                                                     \
    X(LOADG, S, N, N, G)                                                                                     \
    X(STOREG, S, N, N, G)                                                                                    \
    X(LOADDEF, S, N, N, T)                                                                                   \
    X(REFL, S, S, N, N)                                                                                      \
    X(REFG, S, N, N, G)                                                                                      \
    X(DEREF, S, S, N, N)                                                                                     \
    X(STOREREF, S, S, N, N)                                                                                  \
    X(REFFLD, S, S, N, I)                                                                                    \
    X(REFIDXS, S, S, S, I)                                                                                   \
    X(REFIDXD, S, S, S, I)                                                                                   \
    X(GETFLD, S, S, N, I)                                                                                    \
    X(GETIDX, S, S, S, I)                                                                                    \
    X(GETCHR, S, S, S, N)                                                                                    \
    X(SETFLD, S, S, N, I)                                                                                    \
    X(SETIDXS, S, S, S, I)                                                                                   \
    X(SETIDXD, S, S, S, I)                                                                                   \
    X(SETCHR, S, S, S, N)                                                                                    \
    X(SETCHRREF, S, S, S, N)                                                                                 \
    X(I2F, S, S, N, N)                                                                                       \
    X(NARROW, S, S, N, I)                                                                                    \
    X(TOSINGLE, S, S, N, N)                                                                                  \
    X(CHR2S, S, S, N, N)                                                                                     \
    X(FROMVAR, S, S, N, T)                                                                                   \
    X(ADD32, S, S, S, N)                                                                                     \
    X(SUB32, S, S, S, N)                                                                                     \
    X(MUL32, S, S, S, N)                                                                                     \
    X(ADDU32, S, S, S, N)                                                                                    \
    X(SUBU32, S, S, S, N)                                                                                    \
    X(MULU32, S, S, S, N)                                                                                    \
    X(ADD64, S, S, S, N)                                                                                     \
    X(SUB64, S, S, S, N)                                                                                     \
    X(MUL64, S, S, S, N)                                                                                     \
    X(DIV64, S, S, S, N)                                                                                     \
    X(MOD64, S, S, S, N)                                                                                     \
    X(DIV32, S, S, S, N)                                                                                     \
    X(ADD32K, S, S, N, I)                                                                                    \
    X(SUB32K, S, S, N, I)                                                                                    \
    X(MUL32K, S, S, N, I)                                                                                    \
    X(ADD64K, S, S, N, I)                                                                                    \
    X(MOD32K, S, S, N, I)                                                                                    \
    X(ANDI, S, S, S, N)                                                                                      \
    X(ORI, S, S, S, N)                                                                                       \
    X(XORI, S, S, S, N)                                                                                      \
    X(SHL32, S, S, S, N)                                                                                     \
    X(SHLU32, S, S, S, N)                                                                                    \
    X(SHR32, S, S, S, N)                                                                                     \
    X(SHL64, S, S, S, N)                                                                                     \
    X(SHR64, S, S, S, N)                                                                                     \
    X(NEG32, S, S, N, N)                                                                                     \
    X(NEG64, S, S, N, N)                                                                                     \
    X(NOTI, S, S, N, N)                                                                                      \
    X(NOTU32, S, S, N, N)                                                                                    \
    X(ABS32, S, S, N, N)                                                                                     \
    X(ABS64, S, S, N, N)                                                                                     \
    X(EQ, S, S, S, N)                                                                                        \
    X(NE, S, S, S, N)                                                                                        \
    X(LT, S, S, S, N)                                                                                        \
    X(LE, S, S, S, N)                                                                                        \
    X(GT, S, S, S, N)                                                                                        \
    X(GE, S, S, S, N)                                                                                        \
    X(BAND, S, S, S, N)                                                                                      \
    X(BOR, S, S, S, N)                                                                                       \
    X(BXOR, S, S, S, N)                                                                                      \
    X(BNOT, S, S, N, N)                                                                                      \
    X(ADDF, S, S, S, N)                                                                                      \
    X(SUBF, S, S, S, N)                                                                                      \
    X(MULF, S, S, S, N)                                                                                      \
    X(DIVF, S, S, S, N)                                                                                      \
    X(NEGF, S, S, N, N)                                                                                      \
    X(ABSF, S, S, N, N)                                                                                      \
    X(EQF, S, S, S, N)                                                                                       \
    X(NEF, S, S, S, N)                                                                                       \
    X(LTF, S, S, S, N)                                                                                       \
    X(LEF, S, S, S, N)                                                                                       \
    X(GTF, S, S, S, N)                                                                                       \
    X(GEF, S, S, S, N)                                                                                       \
    X(CONCAT, S, S, S, N)                                                                                    \
    X(APPEND, S, S, N, N)                                                                                    \
    X(EQS, S, S, S, N)                                                                                       \
    X(NES, S, S, S, N)                                                                                       \
    X(LTS, S, S, S, N)                                                                                       \
    X(LES, S, S, S, N)                                                                                       \
    X(GTS, S, S, S, N)                                                                                       \
    X(GES, S, S, S, N)                                                                                       \
    X(LENS, S, S, N, N)                                                                                      \
    X(LENA, S, S, N, N)                                                                                      \
    X(SUNION, S, S, S, N)                                                                                    \
    X(SDIFF, S, S, S, N)                                                                                     \
    X(SINTER, S, S, S, N)                                                                                    \
    X(SEQ, S, S, S, N)                                                                                       \
    X(SNE, S, S, S, N)                                                                                       \
    X(SLE, S, S, S, N)                                                                                       \
    X(SGE, S, S, S, N)                                                                                       \
    X(SIN, S, S, S, N)                                                                                       \
    X(SNEW, S, N, N, N)                                                                                      \
    X(SADD, S, S, N, N)                                                                                      \
    X(SADDR, S, S, S, N)                                                                                     \
    X(VBIN, S, S, S, I)                                                                                      \
    X(VNEG, S, S, N, N)                                                                                      \
    X(VNOT, S, S, N, N)                                                                                      \
    X(ISCLS, S, S, N, C)                                                                                     \
    X(ASCLS, S, S, N, C)                                                                                     \
    X(ASSIGNED, S, S, N, N)                                                                                  \
    X(JMP, N, N, N, J)                                                                                       \
    X(JT, S, N, N, J)                                                                                        \
    X(JF, S, N, N, J)                                                                                        \
    X(JEQ, S, S, N, J)                                                                                       \
    X(JNE, S, S, N, J)                                                                                       \
    X(JLT, S, S, N, J)                                                                                       \
    X(JLE, S, S, N, J)                                                                                       \
    X(JGT, S, S, N, J)                                                                                       \
    X(JGE, S, S, N, J)                                                                                       \
    X(JEQK, S, i, N, J)                                                                                      \
    X(JNEK, S, i, N, J)                                                                                      \
    X(JLTK, S, i, N, J)                                                                                      \
    X(JLEK, S, i, N, J)                                                                                      \
    X(JGTK, S, i, N, J)                                                                                      \
    X(JGEK, S, i, N, J)                                                                                      \
    X(FORPREP, S, S, N, J)                                                                                   \
    X(FORLOOP, S, S, N, J)                                                                                   \
    X(FORPREPD, S, S, N, J)                                                                                  \
    X(FORLOOPD, S, S, N, J)                                                                                  \
    X(CALL, S, N, N, R)                                                                                      \
    X(CALLH, S, i, N, H)                                                                                     \
    X(CALLN, S, i, N, H)                                                                                     \
    X(CALLM, S, i, N, H)                                                                                     \
    X(CTOR, S, i, i, H)                                                                                      \
    X(CALLP, S, i, S, N)                                                                                     \
    X(CALLX, S, i, N, E)                                                                                     \
    X(PGET, S, S, i, H)                                                                                      \
    X(PSET, S, i, N, H)                                                                                      \
    X(RET, N, N, N, N)                                                                                       \
    X(TRY, N, N, N, J)                                                                                       \
    X(POPTRY, N, N, N, N)                                                                                    \
    X(RERAISE, N, N, N, N)                                                                                   \
    X(ENDEXC, N, N, N, N)                                                                                    \
    X(MKARR, S, S, i, N)                                                                                     \
    X(SETLENS, S, S, N, N)                                                                                   \
    X(SETLENA, S, S, N, T)                                                                                   \
    X(RANDF, S, N, N, N)                                                                                     \
    X(RANDI, S, S, N, N)                                                                                     \
    X(CLRSLOT, S, N, N, N)

enum Op : std::uint16_t {
#define PASCAL_OP_ENUM(name, a, b, c, d) OP_##name,
    PASCAL_OPCODES(PASCAL_OP_ENUM)
#undef PASCAL_OP_ENUM
        OP_COUNT
};

enum class OperandKind : std::uint8_t { N, S, i, I, K, J, R, H, X, G, T, E, C };

struct OpInfo {
    const char* name;
    OperandKind a, b, c, d;
};

const OpInfo& opInfo(std::uint16_t op);

} // namespace pascal
