// Calls of routines declared `external '<symbol>@<library>'`: the library is opened with dlopen when
// the routine is first called and the symbol looked up once.
//
// The call itself relies on the C calling convention of the 64-bit Linux targets (x86-64 System V and
// AArch64): integer and pointer arguments travel in their own registers in order, floating arguments
// in theirs, so one call through a pointer typed with six integer and eight double parameters serves
// every signature within those counts. Every calling convention a declaration names maps to it.
#include "pascal/external_state.h"
#include "pascal/interpreter.h"
#include "pascal/types.h"

#include <cstring>
#include <dlfcn.h>
#include <map>

namespace pascal {

void Interpreter::callExternal(std::uint32_t index, Value* base, int argc)
{
#if defined(__x86_64__) || defined(__aarch64__)
    const ExternalRoutine& x = m_program->externals[index];
    if (!m_external)
        m_external = std::make_unique<ExternalState>();
    auto& st = *m_external;
    if (st.symbols.size() < m_program->externals.size())
        st.symbols.resize(m_program->externals.size(), nullptr);
    void* fn = st.symbols[index];
    if (!fn) {
        void*& lib = st.libraries[x.library];
        if (!lib) {
            lib = dlopen(x.library.empty() ? nullptr : x.library.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!lib)
                throw RuntimeError("Could not load library '" + x.library + "'");
        }
        fn = dlsym(lib, x.symbol.c_str());
        if (!fn)
            throw RuntimeError("Could not find '" + x.symbol + "' in '" + x.library + "'");
        st.symbols[index] = fn;
    }
    std::int64_t ints[6] = {};
    double floats[8] = {};
    int ni = 0, nf = 0;
    std::vector<std::int64_t> intCells(static_cast<std::size_t>(argc));
    std::vector<double> floatCells(static_cast<std::size_t>(argc));
    auto unsupported = [&] {
        throw RuntimeError("Cannot call external routine '" + x.name + "': unsupported parameter");
    };
    for (int i = 0; i < argc; ++i) {
        const RtType& t = m_program->types[static_cast<std::size_t>(x.argTypes[static_cast<std::size_t>(i)])];
        bool byRef = x.modes[static_cast<std::size_t>(i)] == 2 || x.modes[static_cast<std::size_t>(i)] == 3;
        Value* v = byRef ? base[i].rawRef() : &base[i];
        if (byRef && (base[i].tag() != Tag::Ref || !v))
            unsupported();
        std::int64_t word = 0;
        bool isFloat = false;
        double fw = 0;
        switch (t.kind) {
        case RtKind::Integer:
        case RtKind::Char:
        case RtKind::Bool:
        case RtKind::Enum:
        case RtKind::Pointer:
            if (byRef) {
                intCells[static_cast<std::size_t>(i)] = v->rawInt();
                word = reinterpret_cast<std::int64_t>(&intCells[static_cast<std::size_t>(i)]);
            } else {
                word = v->rawInt();
            }
            break;
        case RtKind::Float:
            if (byRef) {
                floatCells[static_cast<std::size_t>(i)] = v->rawFloat();
                word = reinterpret_cast<std::int64_t>(&floatCells[static_cast<std::size_t>(i)]);
            } else {
                isFloat = true;
                fw = v->rawFloat();
            }
            break;
        case RtKind::String:
            if (byRef)
                unsupported();
            word = reinterpret_cast<std::int64_t>(v->rawStr() ? v->rawStr()->data() : "");
            break;
        default:
            unsupported();
        }
        if (isFloat) {
            if (nf >= 8)
                unsupported();
            floats[nf++] = fw;
        } else {
            if (ni >= 6)
                unsupported();
            ints[ni++] = word;
        }
    }
    using IntFn =
        std::int64_t (*)(std::int64_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t,
                         double, double, double, double, double, double, double, double);
    using FloatFn = double (*)(std::int64_t, std::int64_t, std::int64_t, std::int64_t, std::int64_t,
                               std::int64_t, double, double, double, double, double, double, double, double);
    const RtType* rt =
        x.resultType >= 0 ? &m_program->types[static_cast<std::size_t>(x.resultType)] : nullptr;
    Value result;
    if (rt && rt->kind == RtKind::Float) {
        double r = reinterpret_cast<FloatFn>(fn)(ints[0], ints[1], ints[2], ints[3], ints[4], ints[5],
                                                 floats[0], floats[1], floats[2], floats[3], floats[4],
                                                 floats[5], floats[6], floats[7]);
        result.setFloat(r);
    } else {
        std::int64_t r = reinterpret_cast<IntFn>(fn)(ints[0], ints[1], ints[2], ints[3], ints[4], ints[5],
                                                     floats[0], floats[1], floats[2], floats[3], floats[4],
                                                     floats[5], floats[6], floats[7]);
        if (rt) {
            switch (rt->kind) {
            case RtKind::Bool:
                result.setBool((r & 0xFF) != 0);
                break;
            case RtKind::String: {
                const char* s = reinterpret_cast<const char*>(r);
                result =
                    Value::string(s ? std::string_view(s, strnlen(s, kMaxStringLength)) : std::string_view());
                break;
            }
            case RtKind::Integer:
                result.setInt(wrapIntKind(r, static_cast<IntKind>(rt->intKind)));
                break;
            default:
                result.setInt(static_cast<std::int32_t>(r));
                break;
            }
        }
    }
    for (int i = 0; i < argc; ++i) {
        bool byRef = x.modes[static_cast<std::size_t>(i)] == 2 || x.modes[static_cast<std::size_t>(i)] == 3;
        if (!byRef)
            continue;
        const RtType& t = m_program->types[static_cast<std::size_t>(x.argTypes[static_cast<std::size_t>(i)])];
        Value* v = base[i].rawRef();
        if (t.kind == RtKind::Float)
            v->setFloat(floatCells[static_cast<std::size_t>(i)]);
        else if (t.kind == RtKind::Bool)
            v->setBool(intCells[static_cast<std::size_t>(i)] != 0);
        else
            v->setTagged(v->tag() == Tag::Pointer ? Tag::Pointer : Tag::Int,
                         intCells[static_cast<std::size_t>(i)]);
    }
    if (rt)
        base[0] = std::move(result);
#else
    (void)index;
    (void)base;
    (void)argc;
    throw RuntimeError("External routines are not available on this system");
#endif
}

} // namespace pascal
