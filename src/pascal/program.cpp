// The compiled program's tables, its listing, its byte serialisation and the verifier that every
// program read back must pass before it may run.
#include "pascal/program.h"

#include "platform/errors.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <cstring>

namespace pascal {

const OpInfo& opInfo(std::uint16_t op)
{
    static const OpInfo table[] = {
#define PASCAL_OP_INFO(name, a, b, c, d)                                                                     \
    {#name, OperandKind::a, OperandKind::b, OperandKind::c, OperandKind::d},
        PASCAL_OPCODES(PASCAL_OP_INFO)
#undef PASCAL_OP_INFO
    };
    static const OpInfo invalid{"?", OperandKind::N, OperandKind::N, OperandKind::N, OperandKind::N};
    return op < OP_COUNT ? table[op] : invalid;
}

std::string Import::key() const
{
    std::string k;
    if (!className.empty())
        k = platform::toUpperAscii(className) + ".";
    return k + platform::toUpperAscii(name);
}

int Program::findRoutine(std::string_view name) const
{
    for (std::size_t i = 0; i < routines.size(); ++i)
        if (static_cast<std::int32_t>(i) != mainRoutine && platform::equalsNoCase(routines[i].name, name))
            return static_cast<int>(i);
    return -1;
}

const PositionEntry* Program::positionOf(std::uint32_t pc) const
{
    auto it = std::upper_bound(positions.begin(), positions.end(), pc,
                               [](std::uint32_t p, const PositionEntry& e) { return p < e.pc; });
    if (it == positions.begin())
        return nullptr;
    return &*(it - 1);
}

std::string Program::listing() const
{
    std::string out;
    for (std::size_t r = 0; r < routines.size(); ++r) {
        const RoutineCode& rc = routines[r];
        out += "routine " + (rc.name.empty() ? std::string("(main)") : rc.name) + " frame " +
               std::to_string(rc.frameSize) + "\n";
        for (std::uint32_t pc = rc.entry; pc < rc.end && pc < code.size(); ++pc) {
            const Instr& in = code[pc];
            const OpInfo& info = opInfo(in.op);
            out += "  " + std::to_string(pc) + ": " + info.name;
            if (info.a != OperandKind::N) {
                out += ' ';
                out += std::to_string(in.a);
            }
            if (info.b != OperandKind::N) {
                out += ' ';
                out += std::to_string(in.b);
            }
            if (info.c != OperandKind::N) {
                out += ' ';
                out += std::to_string(in.c);
            }
            if (info.d != OperandKind::N) {
                out += ' ';
                out += std::to_string(in.d);
            }
            out += "\n";
        }
    }
    return out;
}

// --- serialisation --------------------------------------------------------------------------------

namespace {

constexpr char kMagic[8] = {'L', 'M', 'B', 'P', 'R', 'O', 'G', '1'};
constexpr int kMaxValueDepth = 80;

std::uint64_t fnv(std::string_view s)
{
    std::uint64_t h = 1469598103934665603ull;
    for (char c : s) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

class Writer {
public:
    std::string out;
    void u(std::uint64_t v)
    {
        while (v >= 0x80) {
            out += static_cast<char>((v & 0x7F) | 0x80);
            v >>= 7;
        }
        out += static_cast<char>(v);
    }
    void s(std::int64_t v) { u((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63)); }
    void str(std::string_view v)
    {
        u(v.size());
        out.append(v);
    }
    void raw(const void* p, std::size_t n) { out.append(static_cast<const char*>(p), n); }
    void value(const Value& v)
    {
        out += static_cast<char>(v.tag());
        switch (v.tag()) {
        case Tag::Bool:
        case Tag::Int:
        case Tag::Proc:
        case Tag::Pointer:
            s(v.rawInt());
            break;
        case Tag::Float: {
            double f = v.rawFloat();
            raw(&f, 8);
            break;
        }
        case Tag::Str:
            str(v.str());
            break;
        case Tag::Set:
            if (v.rawSet()) {
                out += '\1';
                raw(v.rawSet()->bits, 32);
            } else {
                out += '\0';
            }
            break;
        case Tag::Array:
        case Tag::Record:
            u(v.length());
            for (std::size_t i = 0; i < v.length(); ++i)
                value(v.element(i));
            break;
        default:
            break;
        }
    }
};

class Reader {
public:
    explicit Reader(std::string_view b) : m_b(b) {}
    [[noreturn]] static void bad() { throw platform::Error("The compiled program is damaged"); }
    std::uint64_t u()
    {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_p >= m_b.size())
                bad();
            auto c = static_cast<unsigned char>(m_b[m_p++]);
            v |= static_cast<std::uint64_t>(c & 0x7F) << shift;
            if (!(c & 0x80))
                return v;
        }
        bad();
    }
    std::int64_t s()
    {
        std::uint64_t v = u();
        return static_cast<std::int64_t>((v >> 1) ^ (0 - (v & 1)));
    }
    // A count of items that each take at least one byte: never more than what is left.
    std::size_t count()
    {
        std::uint64_t n = u();
        if (n > m_b.size() - m_p)
            bad();
        return static_cast<std::size_t>(n);
    }
    std::int32_t i32()
    {
        std::int64_t v = s();
        if (v < INT32_MIN || v > INT32_MAX)
            bad();
        return static_cast<std::int32_t>(v);
    }
    std::uint16_t u16()
    {
        std::uint64_t v = u();
        if (v > 0xFFFF)
            bad();
        return static_cast<std::uint16_t>(v);
    }
    std::string str()
    {
        std::size_t n = count();
        std::string r(m_b.substr(m_p, n));
        m_p += n;
        return r;
    }
    void raw(void* p, std::size_t n)
    {
        if (n > m_b.size() - m_p)
            bad();
        std::memcpy(p, m_b.data() + m_p, n);
        m_p += n;
    }
    std::uint8_t byte()
    {
        if (m_p >= m_b.size())
            bad();
        return static_cast<std::uint8_t>(m_b[m_p++]);
    }
    Value value(int depth)
    {
        if (depth > kMaxValueDepth)
            bad();
        auto tag = static_cast<Tag>(byte());
        Value v;
        switch (tag) {
        case Tag::Empty:
            return v;
        case Tag::Null:
            return Value::null();
        case Tag::Bool:
            return Value::boolean(s() != 0);
        case Tag::Int:
            return Value::integer(s());
        case Tag::Proc:
            v.setTagged(Tag::Proc, s());
            return v;
        case Tag::Pointer:
            v.setTagged(Tag::Pointer, s());
            return v;
        case Tag::Float: {
            double f;
            raw(&f, 8);
            return Value::real(f);
        }
        case Tag::Str:
            return Value::string(str());
        case Tag::Set: {
            if (!byte()) {
                v.adoptSet(nullptr);
                return v;
            }
            SetRep* set = rep::newSet();
            v.adoptSet(set);
            raw(set->bits, 32);
            return v;
        }
        case Tag::Array:
        case Tag::Record: {
            std::size_t n = count();
            if (tag == Tag::Array) {
                ArrRep* a = rep::newArr(n);
                v.adoptArr(a);
                for (std::size_t i = 0; i < n; ++i)
                    a->elems()[i] = value(depth + 1);
            } else {
                RecRep* r = rep::newRec(n);
                v.adoptRec(r);
                for (std::size_t i = 0; i < n; ++i)
                    r->fields()[i] = value(depth + 1);
            }
            return v;
        }
        case Tag::Object:
            return Value::nilObject();
        default:
            bad();
        }
    }
    bool atEnd() const { return m_p == m_b.size(); }

private:
    std::string_view m_b;
    std::size_t m_p = 0;
};

void writeInts(Writer& w, const std::vector<std::int32_t>& v)
{
    w.u(v.size());
    for (auto x : v)
        w.s(x);
}

std::vector<std::int32_t> readInts(Reader& r)
{
    std::vector<std::int32_t> v(r.count());
    for (auto& x : v)
        x = r.i32();
    return v;
}

} // namespace

std::string serializeProgram(const Program& p)
{
    Writer w;
    w.raw(kMagic, 8);
    w.u(p.code.size());
    for (const Instr& in : p.code) {
        w.u(in.op);
        w.u(in.a);
        w.u(in.b);
        w.u(in.c);
        w.s(in.d);
    }
    w.u(p.routines.size());
    for (const RoutineCode& rc : p.routines) {
        w.str(rc.name);
        w.u(rc.entry);
        w.u(rc.end);
        w.u(rc.frameSize);
        w.s(rc.resultSlot);
        w.s(rc.resultType);
        w.u(rc.params.size());
        for (const ParamInfo& pi : rc.params) {
            w.str(pi.name);
            w.u(pi.mode);
            w.s(pi.type);
        }
        w.u(rc.init.size());
        for (auto& [slot, type] : rc.init) {
            w.u(slot);
            w.s(type);
        }
    }
    w.s(p.mainRoutine);
    w.u(p.constants.size());
    for (const Value& v : p.constants)
        w.value(v);
    w.u(p.types.size());
    for (const RtType& t : p.types) {
        w.u(static_cast<std::uint8_t>(t.kind));
        w.u(t.intKind);
        w.s(t.elem);
        w.u(t.length);
        writeInts(w, t.fields);
        w.str(t.name);
    }
    w.u(p.imports.size());
    for (const Import& imp : p.imports) {
        w.u(static_cast<std::uint8_t>(imp.kind));
        w.str(imp.className);
        w.str(imp.name);
        w.u(imp.argCount);
        w.u(imp.modes.size());
        for (auto m : imp.modes)
            w.u(m);
        writeInts(w, imp.argTypes);
        w.s(imp.resultType);
    }
    w.u(p.natives.size());
    for (const auto& n : p.natives)
        w.str(n);
    w.u(p.externals.size());
    for (const ExternalRoutine& x : p.externals) {
        w.str(x.name);
        w.str(x.symbol);
        w.str(x.library);
        w.str(x.convention);
        w.u(x.delayLoad ? 1 : 0);
        w.u(x.modes.size());
        for (auto m : x.modes)
            w.u(m);
        writeInts(w, x.argTypes);
        w.s(x.resultType);
    }
    w.u(p.classes.size());
    for (const ClassEntry& c : p.classes) {
        w.str(c.name);
        w.s(c.parent);
    }
    writeInts(w, p.globalTypes);
    writeInts(w, p.globalInit);
    w.u(p.globalNames.size());
    for (const auto& n : p.globalNames)
        w.str(n);
    w.u(p.exports.size());
    for (const ExportedVariable& e : p.exports) {
        w.str(e.upperName);
        w.s(e.global);
        w.s(e.type);
        w.str(e.typeName);
    }
    w.u(p.positions.size());
    for (const PositionEntry& pe : p.positions) {
        w.u(pe.pc);
        w.u(pe.offset);
        w.s(pe.row);
        w.s(pe.col);
        w.u(pe.module);
    }
    w.u(p.modules.size());
    for (const auto& m : p.modules)
        w.str(m);
    std::uint64_t h = fnv(w.out);
    w.raw(&h, 8);
    return w.out;
}

std::string serializePositions(const Program& p)
{
    Writer w;
    w.raw("LMBPOS1\n", 8);
    w.u(p.modules.size());
    for (const auto& m : p.modules)
        w.str(m);
    w.u(p.routines.size());
    for (const RoutineCode& rc : p.routines) {
        w.str(rc.name);
        w.u(rc.entry);
        w.u(rc.end);
    }
    w.u(p.positions.size());
    std::uint32_t lastPc = 0;
    for (const PositionEntry& pe : p.positions) {
        w.u(pe.pc - lastPc);
        lastPc = pe.pc;
        w.u(pe.offset);
        w.s(pe.row);
        w.s(pe.col);
        w.u(pe.module);
    }
    return w.out;
}

std::shared_ptr<Program> deserializeProgram(std::string_view bytes)
{
    if (bytes.size() < 16 || std::memcmp(bytes.data(), kMagic, 8) != 0)
        throw platform::Error("Not a compiled program");
    std::uint64_t stored;
    std::memcpy(&stored, bytes.data() + bytes.size() - 8, 8);
    std::string_view body = bytes.substr(0, bytes.size() - 8);
    if (fnv(body) != stored)
        throw platform::Error("The compiled program is damaged");
    Reader r(body.substr(8));
    auto p = std::make_shared<Program>();
    p->code.resize(r.count());
    for (Instr& in : p->code) {
        in.op = r.u16();
        in.a = r.u16();
        in.b = r.u16();
        in.c = r.u16();
        in.d = r.i32();
    }
    p->routines.resize(r.count());
    for (RoutineCode& rc : p->routines) {
        rc.name = r.str();
        rc.entry = static_cast<std::uint32_t>(r.u());
        rc.end = static_cast<std::uint32_t>(r.u());
        rc.frameSize = r.u16();
        rc.resultSlot = r.i32();
        rc.resultType = r.i32();
        rc.params.resize(r.count());
        for (ParamInfo& pi : rc.params) {
            pi.name = r.str();
            pi.mode = static_cast<std::uint8_t>(r.u16());
            pi.type = r.i32();
        }
        rc.init.resize(r.count());
        for (auto& [slot, type] : rc.init) {
            slot = r.u16();
            type = r.i32();
        }
    }
    p->mainRoutine = r.i32();
    p->constants.resize(r.count());
    for (Value& v : p->constants)
        v = r.value(0);
    p->types.resize(r.count());
    for (RtType& t : p->types) {
        std::uint64_t kind = r.u();
        if (kind > static_cast<std::uint64_t>(RtKind::Object))
            Reader::bad();
        t.kind = static_cast<RtKind>(kind);
        t.intKind = static_cast<std::uint8_t>(r.u16());
        t.elem = r.i32();
        t.length = static_cast<std::uint32_t>(r.u());
        t.fields = readInts(r);
        t.name = r.str();
    }
    p->imports.resize(r.count());
    for (Import& imp : p->imports) {
        std::uint64_t kind = r.u();
        if (kind > static_cast<std::uint64_t>(ImportKind::PropSet))
            Reader::bad();
        imp.kind = static_cast<ImportKind>(kind);
        imp.className = r.str();
        imp.name = r.str();
        imp.argCount = r.u16();
        imp.modes.resize(r.count());
        for (auto& m : imp.modes)
            m = static_cast<std::uint8_t>(r.u16());
        imp.argTypes = readInts(r);
        imp.resultType = r.i32();
    }
    p->natives.resize(r.count());
    for (auto& n : p->natives)
        n = r.str();
    p->externals.resize(r.count());
    for (ExternalRoutine& x : p->externals) {
        x.name = r.str();
        x.symbol = r.str();
        x.library = r.str();
        x.convention = r.str();
        x.delayLoad = r.u() != 0;
        x.modes.resize(r.count());
        for (auto& m : x.modes)
            m = static_cast<std::uint8_t>(r.u16());
        x.argTypes = readInts(r);
        x.resultType = r.i32();
    }
    p->classes.resize(r.count());
    for (ClassEntry& c : p->classes) {
        c.name = r.str();
        c.parent = r.i32();
    }
    p->globalTypes = readInts(r);
    p->globalInit = readInts(r);
    p->globalNames.resize(r.count());
    for (auto& n : p->globalNames)
        n = r.str();
    p->exports.resize(r.count());
    for (ExportedVariable& e : p->exports) {
        e.upperName = r.str();
        e.global = r.i32();
        e.type = r.i32();
        e.typeName = r.str();
    }
    p->positions.resize(r.count());
    for (PositionEntry& pe : p->positions) {
        pe.pc = static_cast<std::uint32_t>(r.u());
        pe.offset = static_cast<std::uint32_t>(r.u());
        pe.row = r.i32();
        pe.col = r.i32();
        pe.module = r.u16();
    }
    p->modules.resize(r.count());
    for (auto& m : p->modules)
        m = r.str();
    if (!r.atEnd())
        Reader::bad();
    verifyProgram(*p);
    return p;
}

// --- verification ---------------------------------------------------------------------------------

void verifyProgram(const Program& p)
{
    auto bad = [](const std::string& what) { throw platform::Error("Invalid compiled program: " + what); };
    auto inRange = [](std::int64_t v, std::size_t n) { return v >= 0 && static_cast<std::uint64_t>(v) < n; };
    const std::size_t nt = p.types.size();
    for (std::size_t i = 0; i < nt; ++i) {
        const RtType& t = p.types[i];
        // element and field types come first, so defaults can be built in order
        if ((t.kind == RtKind::Array || t.kind == RtKind::DynArray) &&
            !(t.elem >= 0 && static_cast<std::size_t>(t.elem) < i))
            bad("type order");
        if (t.kind == RtKind::Array && t.length > (1u << 22))
            bad("array size");
        for (auto f : t.fields)
            if (!(f >= 0 && static_cast<std::size_t>(f) < i))
                bad("type order");
        if (t.intKind > 6)
            bad("integer kind");
    }
    if (!inRange(p.mainRoutine, p.routines.size()))
        bad("main routine");
    for (const ClassEntry& c : p.classes)
        if (c.parent != -1 && !inRange(c.parent, p.classes.size()))
            bad("class parent");
    if (p.globalInit.size() != p.globalTypes.size() || p.globalNames.size() != p.globalTypes.size())
        bad("globals");
    for (std::size_t i = 0; i < p.globalTypes.size(); ++i) {
        if (!inRange(p.globalTypes[i], nt))
            bad("global type");
        if (p.globalInit[i] != -1 && !inRange(p.globalInit[i], p.constants.size()))
            bad("global value");
    }
    for (const ExportedVariable& e : p.exports)
        if (!inRange(e.global, p.globalTypes.size()) || !inRange(e.type, nt))
            bad("exported variable");
    for (const Import& imp : p.imports) {
        if (imp.modes.size() != imp.argCount || imp.argTypes.size() != imp.argCount)
            bad("import");
        for (auto t : imp.argTypes)
            if (!inRange(t, nt))
                bad("import type");
        if (imp.resultType != -1 && !inRange(imp.resultType, nt))
            bad("import type");
    }
    for (const ExternalRoutine& x : p.externals) {
        if (x.modes.size() != x.argTypes.size())
            bad("external");
        for (auto t : x.argTypes)
            if (!inRange(t, nt))
                bad("external type");
        if (x.resultType != -1 && !inRange(x.resultType, nt))
            bad("external type");
    }
    for (std::size_t i = 1; i < p.positions.size(); ++i)
        if (p.positions[i].pc < p.positions[i - 1].pc)
            bad("positions");
    for (const RoutineCode& rc : p.routines) {
        if (rc.entry >= rc.end || rc.end > p.code.size())
            bad("routine range");
        if (rc.frameSize == 0 || rc.params.size() > rc.frameSize)
            bad("frame");
        if (rc.resultSlot != -1 && !inRange(rc.resultSlot, rc.frameSize))
            bad("result slot");
        if (rc.resultType != -1 && !inRange(rc.resultType, nt))
            bad("result type");
        for (const ParamInfo& pi : rc.params)
            if (!inRange(pi.type, nt) || pi.mode > 3)
                bad("parameter");
        for (auto& [slot, type] : rc.init)
            if (slot >= rc.frameSize || !inRange(type, nt))
                bad("slot type");
        const std::uint16_t last = p.code[rc.end - 1].op;
        if (last != OP_RET && last != OP_JMP)
            bad("routine end");
        for (std::uint32_t pc = rc.entry; pc < rc.end; ++pc) {
            const Instr& in = p.code[pc];
            if (in.op >= OP_COUNT)
                bad("opcode");
            const OpInfo& info = opInfo(in.op);
            auto slot = [&](OperandKind k, std::uint16_t v) {
                if (k == OperandKind::S && v >= rc.frameSize)
                    bad("slot");
            };
            slot(info.a, in.a);
            slot(info.b, in.b);
            slot(info.c, in.c);
            bool ok = true;
            switch (info.d) {
            case OperandKind::K:
                ok = inRange(in.d, p.constants.size());
                break;
            case OperandKind::J:
                ok = in.d >= static_cast<std::int64_t>(rc.entry) && in.d < static_cast<std::int64_t>(rc.end);
                break;
            case OperandKind::R:
                ok = inRange(in.d, p.routines.size());
                break;
            case OperandKind::H:
                ok = inRange(in.d, p.imports.size());
                break;
            case OperandKind::G:
                ok = inRange(in.d, p.globalTypes.size());
                break;
            case OperandKind::T:
                ok = inRange(in.d, nt);
                break;
            case OperandKind::E:
                ok = inRange(in.d, p.externals.size());
                break;
            case OperandKind::C:
                ok = inRange(in.d, p.classes.size());
                break;
            default:
                break;
            }
            if (!ok)
                bad(std::string("operand of ") + info.name);
            // argument blocks stay inside the frame
            std::size_t fs = rc.frameSize;
            switch (in.op) {
            case OP_MKARR:
                ok = static_cast<std::size_t>(in.b) + in.c <= fs;
                break;
            case OP_CALLH:
            case OP_CALLN:
            case OP_CALLX:
            case OP_CALLP:
            case OP_CTOR:
                ok = static_cast<std::size_t>(in.a) + in.b < fs + 1 &&
                     (in.op != OP_CTOR || in.c < p.classes.size());
                break;
            case OP_CALLM:
                ok = static_cast<std::size_t>(in.a) + in.b + 1 <= fs;
                break;
            case OP_PGET:
                ok = static_cast<std::size_t>(in.b) + in.c + 1 <= fs;
                break;
            case OP_PSET:
                ok = in.b >= 1 && static_cast<std::size_t>(in.a) + in.b <= fs;
                break;
            case OP_NARROW:
                ok = in.d == 255 || (in.d >= 0 && in.d <= 6);
                break;
            default:
                break;
            }
            if (!ok)
                bad(std::string("operands of ") + info.name);
        }
    }
}

} // namespace pascal
