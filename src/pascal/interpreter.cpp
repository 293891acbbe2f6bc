// The interpreter: frames on one fixed stack of values, a dispatch loop over the instructions, and
// exceptions that unwind to the handlers of try blocks.
#include "pascal/interpreter.h"

#include "pascal/external_state.h"
#include "pascal/natives.h"
#include "pascal/types.h"
#include "pascal/variant_ops.h"
#include "platform/text_encoding.h"

#include <cmath>
#include <cstring>

namespace pascal {

namespace {

constexpr std::size_t kStackSlots = std::size_t(1) << 18;
constexpr std::size_t kMaxFrames = 20000;

[[noreturn]] void fail(const char* message)
{
    throw RuntimeError(message);
}

inline std::string_view sv(const Value& v)
{
    if (v.tag() == Tag::Str) {
        StrRep* s = v.rawStr();
        return s ? s->view() : std::string_view();
    }
    if (v.tag() == Tag::Empty)
        return {};
    fail("Invalid string value");
}

inline Value* deref(const Value& v)
{
    if (v.tag() != Tag::Ref || !v.rawRef())
        fail("Invalid reference");
    return v.rawRef();
}

inline std::int64_t wrap(std::int64_t v, int kind)
{
    switch (kind) {
    case 0:
        return static_cast<std::int8_t>(v);
    case 1:
        return static_cast<std::uint8_t>(v);
    case 2:
        return static_cast<std::int16_t>(v);
    case 3:
        return static_cast<std::uint16_t>(v);
    case 4:
        return static_cast<std::int32_t>(v);
    case 5:
        return static_cast<std::uint32_t>(v);
    default:
        return v;
    }
}

inline std::int64_t i32(std::uint64_t v)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}
inline std::int64_t u32(std::uint64_t v)
{
    return static_cast<std::uint32_t>(v);
}

inline SetRep* setOf(const Value& v)
{
    if (v.tag() != Tag::Set && v.tag() != Tag::Empty)
        fail("Invalid set value");
    return v.tag() == Tag::Set ? v.rawSet() : nullptr;
}

inline void bitsOf(const Value& v, std::uint64_t out[4])
{
    SetRep* s = setOf(v);
    if (s)
        std::memcpy(out, s->bits, 32);
    else
        std::memset(out, 0, 32);
}

inline void setBits(Value& dst, const std::uint64_t bits[4])
{
    SetRep* s = rep::newSet();
    std::memcpy(s->bits, bits, 32);
    dst.adoptSet(s);
}

inline ArrRep* arrayOf(const Value& v)
{
    if (v.tag() != Tag::Array)
        fail("Invalid array value");
    return v.rawArr();
}

inline RecRep* recordOf(const Value& v)
{
    if (v.tag() != Tag::Record || !v.rawRec())
        fail("Invalid record value");
    return v.rawRec();
}

inline Value& element(ArrRep* a, std::int64_t index)
{
    if (!a || index < 0 || index >= static_cast<std::int64_t>(a->len))
        fail("Index out of range");
    return a->elems()[index];
}

inline Value& field(RecRep* r, std::int64_t index)
{
    if (index < 0 || index >= static_cast<std::int64_t>(r->n))
        fail("Invalid record field");
    return r->fields()[index];
}

inline void checkFloat(double f)
{
    if (std::isnan(f))
        fail("Invalid floating point operation");
}

inline void setString(Value& dst, StrRep* s)
{
    dst.adoptStr(s);
}

[[noreturn]] void typeMismatchIn(const std::string& what)
{
    throw RuntimeError("Type mismatch in " + what);
}

} // namespace

// --- set-up ---------------------------------------------------------------------------------------

Interpreter::Interpreter(std::shared_ptr<const Program> program, const Bindings& bindings)
    : m_program(std::move(program)), m_random(0x5EED)
{
    if (!m_program)
        throw platform::Error("No program to run");
    m_code = m_program->code.data();
    m_stack.reset(new Value[kStackSlots]);
    m_stackEnd = m_stack.get() + kStackSlots;
    m_top = m_stack.get();
    buildDefaults();
    bind(bindings);
    m_globals.resize(m_program->globalTypes.size());
    for (std::size_t i = 0; i < m_globals.size(); ++i) {
        std::int32_t init = m_program->globalInit[i];
        m_globals[i] = init >= 0 ? m_program->constants[static_cast<std::size_t>(init)]
                                 : m_defaults[static_cast<std::size_t>(m_program->globalTypes[i])];
    }
    for (std::size_t i = 0; i < m_program->classes.size(); ++i)
        m_classByName[platform::toUpperAscii(m_program->classes[i].name)] = static_cast<int>(i);
}

Interpreter::~Interpreter()
{
    // values may hold objects that call back into nothing once we are gone: drop them in order
    for (Value* v = m_stack.get(); v < m_top && v < m_stackEnd; ++v)
        v->clear();
    m_globals.clear();
}

Value Interpreter::makeDefault(int type, int depth)
{
    const RtType& t = m_program->types[static_cast<std::size_t>(type)];
    Value v;
    switch (t.kind) {
    case RtKind::Integer:
    case RtKind::Char:
    case RtKind::Enum:
        v.setInt(0);
        break;
    case RtKind::Bool:
        v.setBool(false);
        break;
    case RtKind::Float:
        v.setFloat(0);
        break;
    case RtKind::String:
        v.adoptStr(nullptr);
        break;
    case RtKind::Variant:
        break;
    case RtKind::Pointer:
        v.setTagged(Tag::Pointer, 0);
        break;
    case RtKind::Set:
        v.adoptSet(nullptr);
        break;
    case RtKind::DynArray:
        v.adoptArr(nullptr);
        break;
    case RtKind::Proc:
        v = Value::proc(ProcKind::Nil, 0);
        break;
    case RtKind::Object:
        v = Value::nilObject();
        break;
    case RtKind::Array: {
        ArrRep* a = rep::newArr(t.length);
        v.adoptArr(a);
        const Value& e = m_defaults[static_cast<std::size_t>(t.elem)];
        for (std::uint32_t i = 0; i < t.length; ++i)
            a->elems()[i] = e;
        break;
    }
    case RtKind::Record: {
        RecRep* r = rep::newRec(t.fields.size());
        v.adoptRec(r);
        for (std::size_t i = 0; i < t.fields.size(); ++i)
            r->fields()[i] = m_defaults[static_cast<std::size_t>(t.fields[i])];
        break;
    }
    }
    (void)depth;
    return v;
}

void Interpreter::buildDefaults()
{
    // Element types always come before the types that contain them.
    m_defaults.resize(m_program->types.size());
    for (std::size_t i = 0; i < m_program->types.size(); ++i)
        m_defaults[i] = makeDefault(static_cast<int>(i), 0);
}

static std::string importKey(const Import& imp)
{
    std::string k;
    if (!imp.className.empty()) {
        k = platform::toUpperAscii(imp.className);
        k += '.';
    }
    k += platform::toUpperAscii(imp.name);
    if (imp.kind == ImportKind::PropGet)
        k += ":GET";
    else if (imp.kind == ImportKind::PropSet)
        k += ":SET";
    return k;
}

void Interpreter::bind(const Bindings& bindings)
{
    const auto& imports = m_program->imports;
    m_imports.resize(imports.size());
    m_importNative.assign(imports.size(), -1);
    const auto& natives = nativeTable();
    for (const auto& n : natives)
        m_nativeFns.push_back(n.fn);
    for (std::size_t i = 0; i < imports.size(); ++i) {
        const Import& imp = imports[i];
        if (const HostFn* f = bindings.find(importKey(imp))) {
            m_imports[i] = *f;
            continue;
        }
        if (imp.kind == ImportKind::Routine)
            m_importNative[i] = findNative(platform::toUpperAscii(imp.name));
        else if (imp.kind == ImportKind::Method && platform::toUpperAscii(imp.name) == "FREE")
            m_importNative[i] = -2; // TObject.Free: the object's own scriptFree
        else if (imp.kind == ImportKind::Method && platform::toUpperAscii(imp.name) == "CLASSNAME")
            m_importNative[i] = -3;
    }
}

// --- variables and calls from the host ------------------------------------------------------------

bool Interpreter::setVariable(std::string_view upperName, const Value& value)
{
    for (const auto& e : m_program->exports) {
        if (platform::equalsNoCase(e.upperName, upperName)) {
            Value v = value;
            try {
                coerce(v, e.type, e.upperName);
            } catch (const RuntimeError&) {
                return false;
            }
            m_globals[static_cast<std::size_t>(e.global)] = std::move(v);
            return true;
        }
    }
    return false;
}

const Value* Interpreter::variable(std::string_view name) const
{
    for (std::size_t i = 0; i < m_program->globalNames.size(); ++i)
        if (platform::equalsNoCase(m_program->globalNames[i], name))
            return &m_globals[i];
    return nullptr;
}

void Interpreter::run()
{
    invoke(static_cast<std::uint32_t>(m_program->mainRoutine), {});
}

Value Interpreter::call(const Value& proc, const std::vector<Value>& args)
{
    if (proc.procKind() != ProcKind::Script)
        throw RuntimeError("Nil procedure called");
    if (proc.procIndex() >= m_program->routines.size())
        throw RuntimeError("Invalid procedure value");
    return invoke(proc.procIndex(), args);
}

Value Interpreter::callRoutine(std::string_view name, const std::vector<Value>& args)
{
    int r = m_program->findRoutine(name);
    if (r < 0)
        throw RuntimeError("Unknown routine: " + std::string(name));
    return invoke(static_cast<std::uint32_t>(r), args);
}

Value Interpreter::invoke(std::uint32_t routine, const std::vector<Value>& args)
{
    const RoutineCode& rc = m_program->routines[routine];
    if (args.size() != rc.params.size())
        throw RuntimeError("Invalid number of parameters");
    Value* base = m_top;
    if (base + rc.frameSize + rc.params.size() * 2 >= m_stackEnd)
        throw RuntimeError("Stack overflow");
    // var parameters get a slot of their own above the frame, so the routine can write them
    Value* scratch = base + rc.frameSize;
    for (std::size_t i = 0; i < args.size(); ++i) {
        Value v = args[i];
        coerce(v, rc.params[i].type, rc.params[i].name);
        std::uint8_t mode = rc.params[i].mode;
        if (mode == 2 || mode == 3) {
            scratch[i] = std::move(v);
            base[i] = Value::reference(&scratch[i]);
        } else {
            base[i] = std::move(v);
        }
    }
    Value* savedTop = m_top;
    m_top = scratch + args.size();
    std::size_t depth = m_frames.size();
    try {
        enter(routine, base, nullptr);
        execute(depth);
    } catch (...) {
        for (Value* v = base; v < scratch + args.size(); ++v)
            v->clear();
        m_top = savedTop;
        throw;
    }
    Value result;
    if (rc.resultSlot >= 0)
        result = std::move(base[0]);
    for (Value* v = base; v < scratch + args.size(); ++v)
        v->clear();
    m_top = savedTop;
    return result;
}

std::string Interpreter::exceptionMessage() const
{
    if (!m_exceptions.empty())
        return m_exceptions.back().what();
    return m_lastException;
}

// --- frames ---------------------------------------------------------------------------------------

Value* Interpreter::enter(std::uint32_t routine, Value* base, const Instr* ret)
{
    const RoutineCode& rc = m_program->routines[routine];
    if (m_frames.size() >= kMaxFrames || base + rc.frameSize + 256 >= m_stackEnd)
        throw RuntimeError("Stack overflow");
    for (const auto& [slot, type] : rc.init)
        base[slot] = m_defaults[static_cast<std::size_t>(type)];
    m_frames.push_back(Frame{&rc, base, ret, m_top});
    Value* top = base + rc.frameSize;
    if (top > m_top)
        m_top = top;
    return base;
}

void Interpreter::leaveFrame()
{
    Frame& f = m_frames.back();
    Value* base = f.base;
    int n = f.rc->frameSize;
    int first = 0;
    if (f.rc->resultSlot >= 0) {
        if (f.rc->resultSlot != 0)
            base[0] = std::move(base[f.rc->resultSlot]);
        first = 1;
    }
    for (int i = first; i < n; ++i)
        base[i].clear();
    m_top = f.savedTop;
    m_frames.pop_back();
}

void Interpreter::attachPosition(RuntimeError& e, const Instr* pc) const
{
    if (e.hasPosition() || !pc)
        return;
    std::uint32_t at = static_cast<std::uint32_t>(pc - m_code);
    const PositionEntry* p = m_program->positionOf(at);
    if (!p)
        return;
    std::string module =
        p->module < m_program->modules.size() ? m_program->modules[p->module] : std::string();
    e.setPosition(p->offset, p->row, p->col, module);
}

bool Interpreter::dispatchException(RuntimeError& e, std::size_t baseDepth, const Instr*& pc, Value*& R)
{
    if (m_handlers.empty() || m_handlers.back().frame < baseDepth)
        return false;
    Handler h = m_handlers.back();
    m_handlers.pop_back();
    while (m_frames.size() > h.frame + 1) {
        // frames above the handler's own are left as if they returned
        Frame& f = m_frames.back();
        for (int i = 0; i < f.rc->frameSize; ++i)
            f.base[i].clear();
        m_top = f.savedTop;
        m_frames.pop_back();
    }
    while (m_exceptions.size() > h.excDepth)
        m_exceptions.pop_back();
    m_lastException = e.what();
    m_exceptions.push_back(e);
    Frame& f = m_frames.back();
    pc = h.target;
    R = f.base;
    return true;
}

int Interpreter::classOf(const HostObject* o)
{
    auto it = m_classByName.find(platform::toUpperAscii(o->className()));
    return it == m_classByName.end() ? -1 : it->second;
}

bool Interpreter::isA(const HostObject* o, int cls)
{
    if (!o)
        return false;
    int c = classOf(o);
    int guard = 0;
    while (c >= 0 && guard++ < 10000) {
        if (c == cls)
            return true;
        c = m_program->classes[static_cast<std::size_t>(c)].parent;
    }
    // A class the program does not know: only the root of all classes matches.
    if (classOf(o) < 0)
        return m_program->classes[static_cast<std::size_t>(cls)].parent < 0 &&
               platform::equalsNoCase(m_program->classes[static_cast<std::size_t>(cls)].name, "TObject");
    return false;
}

void Interpreter::coerce(Value& v, std::int32_t type, const std::string& what) const
{
    if (type < 0 || static_cast<std::size_t>(type) >= m_program->types.size())
        return;
    const RtType& t = m_program->types[static_cast<std::size_t>(type)];
    switch (t.kind) {
    case RtKind::Integer:
    case RtKind::Char:
    case RtKind::Enum:
        if (v.tag() == Tag::Int)
            return;
        if (v.tag() == Tag::Bool || v.tag() == Tag::Empty) {
            v.setInt(v.rawInt());
            return;
        }
        if (v.tag() == Tag::Float) {
            double f = v.rawFloat();
            if (!(f > -9.2e18 && f < 9.2e18))
                typeMismatchIn(what);
            v.setInt(static_cast<std::int64_t>(std::llround(f)));
            return;
        }
        if (v.tag() == Tag::Str && t.kind == RtKind::Char && v.length() == 1) {
            v.setInt(static_cast<unsigned char>(v.str()[0]));
            return;
        }
        typeMismatchIn(what);
    case RtKind::Bool:
        if (v.tag() == Tag::Bool)
            return;
        if (v.tag() == Tag::Int || v.tag() == Tag::Empty) {
            v.setBool(v.rawInt() != 0);
            return;
        }
        typeMismatchIn(what);
    case RtKind::Float:
        if (v.tag() == Tag::Float)
            return;
        if (v.tag() == Tag::Int || v.tag() == Tag::Empty) {
            v.setFloat(static_cast<double>(v.rawInt()));
            return;
        }
        typeMismatchIn(what);
    case RtKind::String:
        if (v.tag() == Tag::Str)
            return;
        if (v.tag() == Tag::Empty) {
            v.adoptStr(nullptr);
            return;
        }
        typeMismatchIn(what);
    case RtKind::Variant:
        if (v.tag() == Tag::Ref)
            typeMismatchIn(what);
        return;
    case RtKind::Object:
        if (v.tag() == Tag::Object)
            return;
        if (v.tag() == Tag::Empty || (v.tag() == Tag::Pointer && v.rawInt() == 0)) {
            v = Value::nilObject();
            return;
        }
        typeMismatchIn(what);
    case RtKind::Set:
        if (v.tag() == Tag::Set)
            return;
        if (v.tag() == Tag::Empty) {
            v.adoptSet(nullptr);
            return;
        }
        typeMismatchIn(what);
    case RtKind::DynArray:
    case RtKind::Array:
        if (v.tag() == Tag::Array &&
            (t.kind == RtKind::DynArray || (v.rawArr() && v.rawArr()->len == t.length)))
            return;
        if (v.tag() == Tag::Empty && t.kind == RtKind::DynArray) {
            v.adoptArr(nullptr);
            return;
        }
        if (v.tag() == Tag::Empty) {
            v = m_defaults[static_cast<std::size_t>(type)];
            return;
        }
        typeMismatchIn(what);
    case RtKind::Record:
        if (v.tag() == Tag::Record && v.rawRec() && v.rawRec()->n == t.fields.size())
            return;
        if (v.tag() == Tag::Empty) {
            v = m_defaults[static_cast<std::size_t>(type)];
            return;
        }
        typeMismatchIn(what);
    case RtKind::Proc:
        if (v.tag() == Tag::Proc)
            return;
        if (v.tag() == Tag::Empty) {
            v = Value::proc(ProcKind::Nil, 0);
            return;
        }
        typeMismatchIn(what);
    case RtKind::Pointer:
        if (v.tag() == Tag::Pointer)
            return;
        if (v.tag() == Tag::Empty) {
            v.setTagged(Tag::Pointer, 0);
            return;
        }
        typeMismatchIn(what);
    }
}

void Interpreter::callHost(std::uint32_t import, Value* base, int argc, Value* self, std::string_view cls)
{
    const Import& imp = m_program->imports[import];
    Value* argv[260];
    if (argc > 256 || argc != imp.argCount)
        fail("Invalid number of parameters");
    for (int i = 0; i < argc; ++i) {
        std::uint8_t mode = imp.modes[static_cast<std::size_t>(i)];
        argv[i] = (mode == 2 || mode == 3) ? deref(base[i]) : &base[i];
    }
    Value result;
    int native = m_importNative[import];
    if (m_imports[import]) {
        HostCall call{*this, self, argv, argc, result, cls};
        m_imports[import](call);
    } else if (native >= 0) {
        // the engine's routines take their arguments in place (var parameters as references)
        m_nativeFns[static_cast<std::size_t>(native)](*this, base, result);
    } else if (native == -2 && self) {
        if (HostObject* o = self->asObject())
            o->scriptFree();
    } else if (native == -3 && self) {
        if (HostObject* o = self->asObject())
            result = Value::string(o->className());
    } else {
        std::string name = imp.className.empty() ? imp.name : imp.className + "." + imp.name;
        throw RuntimeError("Not implemented: " + name);
    }
    for (int i = 0; i < argc; ++i) {
        std::uint8_t mode = imp.modes[static_cast<std::size_t>(i)];
        if (mode == 2 || mode == 3)
            coerce(*argv[i], imp.argTypes[static_cast<std::size_t>(i)], imp.name);
    }
    if (imp.resultType >= 0) {
        coerce(result, imp.resultType, imp.name);
        (self ? self[0] : base[0]) = std::move(result);
    }
}

// --- the dispatch loop ----------------------------------------------------------------------------

void Interpreter::execute(std::size_t baseDepth)
{
    const Instr* code = m_code;
    const Instr* pc = code + m_frames.back().rc->entry;
    Value* R = m_frames.back().base;
    const Value* K = m_program->constants.data();
    std::size_t handlerMark = m_handlers.size();
    std::size_t excMark = m_exceptions.size();
    for (;;) {
        try {
            for (;;) {
                const Instr* in = pc++;
                switch (in->op) {
                case OP_NOP:
                    break;
                case OP_MOV:
                    R[in->a] = R[in->b];
                    break;
                case OP_LOADK:
                    R[in->a] = K[in->d];
                    break;
                case OP_LOADI:
                    R[in->a].setInt(in->d);
                    break;
                case OP_LOADG:
                    R[in->a] = m_globals[static_cast<std::size_t>(in->d)];
                    break;
                case OP_STOREG:
                    m_globals[static_cast<std::size_t>(in->d)] = R[in->a];
                    break;
                case OP_LOADDEF:
                    R[in->a] = m_defaults[static_cast<std::size_t>(in->d)];
                    break;
                case OP_CLRSLOT:
                    R[in->a].clear();
                    break;
                case OP_REFL: {
                    Value r = Value::reference(&R[in->b]);
                    R[in->a] = r;
                    break;
                }
                case OP_REFG:
                    R[in->a] = Value::reference(&m_globals[static_cast<std::size_t>(in->d)]);
                    break;
                case OP_DEREF:
                    R[in->a] = *deref(R[in->b]);
                    break;
                case OP_STOREREF:
                    *deref(R[in->a]) = R[in->b];
                    break;
                case OP_REFFLD: {
                    Value* target = deref(R[in->b]);
                    recordOf(*target);
                    RecRep* rec = rep::uniqueRec(*target);
                    R[in->a] = Value::reference(&field(rec, in->d));
                    break;
                }
                case OP_REFIDXS:
                case OP_REFIDXD: {
                    Value* target = deref(R[in->b]);
                    ArrRep* a = arrayOf(*target);
                    if (a && in->op == OP_REFIDXS)
                        a = rep::uniqueArr(*target);
                    R[in->a] = Value::reference(&element(a, R[in->c].rawInt() - in->d));
                    break;
                }
                case OP_GETFLD: {
                    Value v = field(recordOf(R[in->b]), in->d);
                    R[in->a] = std::move(v);
                    break;
                }
                case OP_GETIDX: {
                    Value v = element(arrayOf(R[in->b]), R[in->c].rawInt() - in->d);
                    R[in->a] = std::move(v);
                    break;
                }
                case OP_GETCHR: {
                    std::string_view s = sv(R[in->b]);
                    std::int64_t i = R[in->c].rawInt();
                    if (i < 1 || i > static_cast<std::int64_t>(s.size()))
                        fail("Index out of range");
                    R[in->a].setInt(static_cast<unsigned char>(s[static_cast<std::size_t>(i - 1)]));
                    break;
                }
                case OP_SETFLD: {
                    Value& target = R[in->a];
                    recordOf(target);
                    Value v = R[in->b];
                    field(rep::uniqueRec(target), in->d) = std::move(v);
                    break;
                }
                case OP_SETIDXS:
                case OP_SETIDXD: {
                    Value& target = R[in->a];
                    ArrRep* a = arrayOf(target);
                    Value v = R[in->c];
                    if (a && in->op == OP_SETIDXS)
                        a = rep::uniqueArr(target);
                    element(a, R[in->b].rawInt() - in->d) = std::move(v);
                    break;
                }
                case OP_SETCHR:
                case OP_SETCHRREF: {
                    Value& target = in->op == OP_SETCHR ? R[in->a] : *deref(R[in->a]);
                    std::size_t len = sv(target).size();
                    std::int64_t i = R[in->b].rawInt();
                    if (i < 1 || i > static_cast<std::int64_t>(len))
                        fail("Index out of range");
                    StrRep* s = rep::uniqueStr(target, len);
                    s->data()[i - 1] = static_cast<char>(R[in->c].rawInt());
                    break;
                }
                case OP_I2F:
                    R[in->a].setFloat(static_cast<double>(R[in->b].rawInt()));
                    break;
                case OP_NARROW:
                    if (in->d == 255)
                        R[in->a].setBool(R[in->b].rawInt() != 0);
                    else
                        R[in->a].setTagged(R[in->b].tag() == Tag::Bool ? Tag::Int : R[in->b].tag(),
                                           wrap(R[in->b].rawInt(), in->d));
                    break;
                case OP_TOSINGLE:
                    R[in->a].setFloat(static_cast<float>(R[in->b].rawFloat()));
                    break;
                case OP_CHR2S: {
                    char c = static_cast<char>(R[in->b].rawInt());
                    setString(R[in->a], rep::makeStr(std::string_view(&c, 1)));
                    break;
                }
                case OP_FROMVAR: {
                    Value v = R[in->b];
                    fromVariant(v, m_program->types[static_cast<std::size_t>(in->d)]);
                    R[in->a] = std::move(v);
                    break;
                }
#define INT_OP(NAME, EXPR)                                                                                   \
    case OP_##NAME: {                                                                                        \
        std::uint64_t x = static_cast<std::uint64_t>(R[in->b].rawInt());                                     \
        std::uint64_t y = static_cast<std::uint64_t>(R[in->c].rawInt());                                     \
        (void)x;                                                                                             \
        (void)y;                                                                                             \
        R[in->a].setInt(EXPR);                                                                               \
        break;                                                                                               \
    }
                    INT_OP(ADD32, i32(x + y))
                    INT_OP(SUB32, i32(x - y))
                    INT_OP(MUL32, i32(x * y))
                    INT_OP(ADDU32, u32(x + y))
                    INT_OP(SUBU32, u32(x - y))
                    INT_OP(MULU32, u32(x * y))
                    INT_OP(ADD64, static_cast<std::int64_t>(x + y))
                    INT_OP(SUB64, static_cast<std::int64_t>(x - y))
                    INT_OP(MUL64, static_cast<std::int64_t>(x * y))
                    INT_OP(ANDI, static_cast<std::int64_t>(x & y))
                    INT_OP(ORI, static_cast<std::int64_t>(x | y))
                    INT_OP(XORI, static_cast<std::int64_t>(x ^ y))
                    INT_OP(SHL32, i32(x << (y & 31)))
                    INT_OP(SHLU32, u32(x << (y & 31)))
                    INT_OP(SHR32, static_cast<std::int64_t>(static_cast<std::uint32_t>(x) >> (y & 31)))
                    INT_OP(SHL64, static_cast<std::int64_t>(x << (y & 63)))
                    INT_OP(SHR64, static_cast<std::int64_t>(x >> (y & 63)))
#undef INT_OP
                case OP_DIV32:
                case OP_DIV64:
                case OP_MOD64: {
                    std::int64_t x = R[in->b].rawInt(), y = R[in->c].rawInt();
                    if (y == 0)
                        fail("Division by zero");
                    std::int64_t r;
                    if (y == -1)
                        r = in->op == OP_MOD64 ? 0
                                               : static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(x));
                    else
                        r = in->op == OP_MOD64 ? x % y : x / y;
                    R[in->a].setInt(in->op == OP_DIV32 ? i32(static_cast<std::uint64_t>(r)) : r);
                    break;
                }
                case OP_ADD32K:
                    R[in->a].setInt(i32(static_cast<std::uint64_t>(R[in->b].rawInt()) +
                                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d))));
                    break;
                case OP_SUB32K:
                    R[in->a].setInt(i32(static_cast<std::uint64_t>(R[in->b].rawInt()) -
                                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d))));
                    break;
                case OP_MUL32K:
                    R[in->a].setInt(i32(static_cast<std::uint64_t>(R[in->b].rawInt()) *
                                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d))));
                    break;
                case OP_ADD64K: {
                    Value& dst = R[in->a];
                    std::int64_t v = static_cast<std::int64_t>(
                        static_cast<std::uint64_t>(R[in->b].rawInt()) +
                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d)));
                    Tag t = R[in->b].tag();
                    dst.setTagged(t == Tag::Bool || t == Tag::Int ? t : Tag::Int, v);
                    break;
                }
                case OP_MOD32K: {
                    std::int64_t y = in->d;
                    if (y == 0)
                        fail("Division by zero");
                    R[in->a].setInt(y == -1 ? 0 : R[in->b].rawInt() % y);
                    break;
                }
                case OP_NEG32:
                    R[in->a].setInt(i32(0 - static_cast<std::uint64_t>(R[in->b].rawInt())));
                    break;
                case OP_NEG64:
                    R[in->a].setInt(
                        static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(R[in->b].rawInt())));
                    break;
                case OP_NOTI:
                    R[in->a].setInt(~R[in->b].rawInt());
                    break;
                case OP_NOTU32:
                    R[in->a].setInt(u32(~static_cast<std::uint64_t>(R[in->b].rawInt())));
                    break;
                case OP_ABS32: {
                    std::int64_t v = R[in->b].rawInt();
                    R[in->a].setInt(
                        i32(v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v)));
                    break;
                }
                case OP_ABS64: {
                    std::int64_t v = R[in->b].rawInt();
                    R[in->a].setInt(static_cast<std::int64_t>(v < 0 ? 0 - static_cast<std::uint64_t>(v)
                                                                    : static_cast<std::uint64_t>(v)));
                    break;
                }
                case OP_EQ:
                    R[in->a].setBool(R[in->b].rawInt() == R[in->c].rawInt());
                    break;
                case OP_NE:
                    R[in->a].setBool(R[in->b].rawInt() != R[in->c].rawInt());
                    break;
                case OP_LT:
                    R[in->a].setBool(R[in->b].rawInt() < R[in->c].rawInt());
                    break;
                case OP_LE:
                    R[in->a].setBool(R[in->b].rawInt() <= R[in->c].rawInt());
                    break;
                case OP_GT:
                    R[in->a].setBool(R[in->b].rawInt() > R[in->c].rawInt());
                    break;
                case OP_GE:
                    R[in->a].setBool(R[in->b].rawInt() >= R[in->c].rawInt());
                    break;
                case OP_BAND:
                    R[in->a].setBool((R[in->b].rawInt() != 0) & (R[in->c].rawInt() != 0));
                    break;
                case OP_BOR:
                    R[in->a].setBool((R[in->b].rawInt() != 0) | (R[in->c].rawInt() != 0));
                    break;
                case OP_BXOR:
                    R[in->a].setBool((R[in->b].rawInt() != 0) != (R[in->c].rawInt() != 0));
                    break;
                case OP_BNOT:
                    R[in->a].setBool(R[in->b].rawInt() == 0);
                    break;
                case OP_ADDF:
                    R[in->a].setFloat(R[in->b].rawFloat() + R[in->c].rawFloat());
                    break;
                case OP_SUBF:
                    R[in->a].setFloat(R[in->b].rawFloat() - R[in->c].rawFloat());
                    break;
                case OP_MULF:
                    R[in->a].setFloat(R[in->b].rawFloat() * R[in->c].rawFloat());
                    break;
                case OP_DIVF: {
                    double y = R[in->c].rawFloat();
                    if (y == 0)
                        fail("Division by zero");
                    R[in->a].setFloat(R[in->b].rawFloat() / y);
                    break;
                }
                case OP_NEGF:
                    R[in->a].setFloat(-R[in->b].rawFloat());
                    break;
                case OP_ABSF:
                    R[in->a].setFloat(std::fabs(R[in->b].rawFloat()));
                    break;
                case OP_EQF:
                    R[in->a].setBool(R[in->b].rawFloat() == R[in->c].rawFloat());
                    break;
                case OP_NEF:
                    R[in->a].setBool(R[in->b].rawFloat() != R[in->c].rawFloat());
                    break;
                case OP_LTF:
                    R[in->a].setBool(R[in->b].rawFloat() < R[in->c].rawFloat());
                    break;
                case OP_LEF:
                    R[in->a].setBool(R[in->b].rawFloat() <= R[in->c].rawFloat());
                    break;
                case OP_GTF:
                    R[in->a].setBool(R[in->b].rawFloat() > R[in->c].rawFloat());
                    break;
                case OP_GEF:
                    R[in->a].setBool(R[in->b].rawFloat() >= R[in->c].rawFloat());
                    break;
                case OP_CONCAT: {
                    std::string_view x = sv(R[in->b]), y = sv(R[in->c]);
                    if (x.size() + y.size() > kMaxStringLength)
                        fail("Out of memory");
                    StrRep* s = nullptr;
                    if (x.size() + y.size()) {
                        s = rep::newStr(x.size() + y.size(), x.size() + y.size());
                        if (!x.empty())
                            std::memcpy(s->data(), x.data(), x.size());
                        if (!y.empty())
                            std::memcpy(s->data() + x.size(), y.data(), y.size());
                    }
                    setString(R[in->a], s);
                    break;
                }
                case OP_APPEND: {
                    Value& dst = R[in->a];
                    sv(dst);
                    if (&dst == &R[in->b]) {
                        std::string copy(sv(R[in->b]));
                        rep::appendStr(dst, copy);
                    } else {
                        rep::appendStr(dst, sv(R[in->b]));
                    }
                    break;
                }
#define STR_CMP(NAME, COND)                                                                                  \
    case OP_##NAME: {                                                                                        \
        int c = compareBytes(sv(R[in->b]), sv(R[in->c]));                                                    \
        R[in->a].setBool(COND);                                                                              \
        break;                                                                                               \
    }
                    STR_CMP(EQS, c == 0)
                    STR_CMP(NES, c != 0)
                    STR_CMP(LTS, c < 0)
                    STR_CMP(LES, c <= 0)
                    STR_CMP(GTS, c > 0)
                    STR_CMP(GES, c >= 0)
#undef STR_CMP
                case OP_LENS:
                    R[in->a].setInt(static_cast<std::int64_t>(sv(R[in->b]).size()));
                    break;
                case OP_LENA: {
                    ArrRep* a = arrayOf(R[in->b]);
                    R[in->a].setInt(a ? a->len : 0);
                    break;
                }
                case OP_SUNION:
                case OP_SDIFF:
                case OP_SINTER: {
                    std::uint64_t x[4], y[4], r[4];
                    bitsOf(R[in->b], x);
                    bitsOf(R[in->c], y);
                    for (int i = 0; i < 4; ++i)
                        r[i] = in->op == OP_SUNION  ? (x[i] | y[i])
                               : in->op == OP_SDIFF ? (x[i] & ~y[i])
                                                    : (x[i] & y[i]);
                    setBits(R[in->a], r);
                    break;
                }
                case OP_SEQ:
                case OP_SNE:
                case OP_SLE:
                case OP_SGE: {
                    std::uint64_t x[4], y[4];
                    bitsOf(R[in->b], x);
                    bitsOf(R[in->c], y);
                    bool eq = true, le = true, ge = true;
                    for (int i = 0; i < 4; ++i) {
                        eq = eq && x[i] == y[i];
                        le = le && (x[i] & ~y[i]) == 0;
                        ge = ge && (y[i] & ~x[i]) == 0;
                    }
                    R[in->a].setBool(in->op == OP_SEQ   ? eq
                                     : in->op == OP_SNE ? !eq
                                     : in->op == OP_SLE ? le
                                                        : ge);
                    break;
                }
                case OP_SIN: {
                    std::int64_t e = R[in->b].rawInt();
                    SetRep* s = setOf(R[in->c]);
                    R[in->a].setBool(s && e >= 0 && e <= 255 && ((s->bits[e >> 6] >> (e & 63)) & 1));
                    break;
                }
                case OP_SNEW:
                    R[in->a].adoptSet(rep::newSet());
                    break;
                case OP_SADD:
                case OP_SADDR: {
                    Value& dst = R[in->a];
                    std::int64_t lo = R[in->b].rawInt();
                    std::int64_t hi = in->op == OP_SADDR ? R[in->c].rawInt() : lo;
                    SetRep* s = setOf(dst);
                    if (!s || s->refs != 1) {
                        std::uint64_t bits[4];
                        bitsOf(dst, bits);
                        setBits(dst, bits);
                        s = dst.rawSet();
                    }
                    if (lo < 0)
                        lo = 0;
                    if (hi > 255)
                        hi = 255;
                    for (std::int64_t k = lo; k <= hi; ++k)
                        s->bits[k >> 6] |= std::uint64_t(1) << (k & 63);
                    break;
                }
                case OP_VBIN: {
                    Value r = variantBinary(in->d, R[in->b], R[in->c]);
                    R[in->a] = std::move(r);
                    break;
                }
                case OP_VNEG:
                case OP_VNOT: {
                    Value r = variantUnary(in->op == OP_VNEG, R[in->b]);
                    R[in->a] = std::move(r);
                    break;
                }
                case OP_ISCLS:
                case OP_ASCLS: {
                    const Value& v = R[in->b];
                    HostObject* o = v.asObject();
                    if (in->op == OP_ISCLS) {
                        R[in->a].setBool(o && isA(o, in->d));
                    } else {
                        if (o && !isA(o, in->d))
                            fail("Invalid type cast");
                        Value copy = v;
                        R[in->a] = std::move(copy);
                    }
                    break;
                }
                case OP_ASSIGNED: {
                    const Value& v = R[in->b];
                    bool r = v.tag() == Tag::Proc ? !v.isNilProc() : v.rawInt() != 0;
                    if (v.tag() == Tag::Object && v.asObject() && v.asObject()->freed())
                        r = true;
                    R[in->a].setBool(r);
                    break;
                }
                case OP_JMP:
                    if (in->d <= in - code && --m_budget == 0)
                        fail("Execution limit exceeded");
                    pc = code + in->d;
                    break;
                case OP_JT:
                    if (R[in->a].rawInt() != 0)
                        pc = code + in->d;
                    break;
                case OP_JF:
                    if (R[in->a].rawInt() == 0) {
                        if (in->d <= in - code && --m_budget == 0)
                            fail("Execution limit exceeded");
                        pc = code + in->d;
                    }
                    break;
#define JCMP(NAME, OP)                                                                                       \
    case OP_##NAME:                                                                                          \
        if (R[in->a].rawInt() OP R[in->b].rawInt()) {                                                        \
            if (in->d <= in - code && --m_budget == 0)                                                       \
                fail("Execution limit exceeded");                                                            \
            pc = code + in->d;                                                                               \
        }                                                                                                    \
        break;                                                                                               \
    case OP_##NAME##K:                                                                                       \
        if (R[in->a].rawInt() OP static_cast<std::int16_t>(in->b)) {                                         \
            if (in->d <= in - code && --m_budget == 0)                                                       \
                fail("Execution limit exceeded");                                                            \
            pc = code + in->d;                                                                               \
        }                                                                                                    \
        break;
                    JCMP(JEQ, ==)
                    JCMP(JNE, !=)
                    JCMP(JLT, <)
                    JCMP(JLE, <=)
                    JCMP(JGT, >)
                    JCMP(JGE, >=)
#undef JCMP
                case OP_FORPREP:
                    if (R[in->a].rawInt() > R[in->b].rawInt())
                        pc = code + in->d;
                    break;
                case OP_FORPREPD:
                    if (R[in->a].rawInt() < R[in->b].rawInt())
                        pc = code + in->d;
                    break;
                case OP_FORLOOP: {
                    Value& c = R[in->a];
                    if (c.rawInt() < R[in->b].rawInt()) {
                        if (--m_budget == 0)
                            fail("Execution limit exceeded");
                        ++c.rawInt();
                        pc = code + in->d;
                    }
                    break;
                }
                case OP_FORLOOPD: {
                    Value& c = R[in->a];
                    if (c.rawInt() > R[in->b].rawInt()) {
                        if (--m_budget == 0)
                            fail("Execution limit exceeded");
                        --c.rawInt();
                        pc = code + in->d;
                    }
                    break;
                }
                case OP_CALL: {
                    if (--m_budget == 0)
                        fail("Execution limit exceeded");
                    R = enter(static_cast<std::uint32_t>(in->d), R + in->a, pc);
                    pc = code + m_frames.back().rc->entry;
                    break;
                }
                case OP_CALLP: {
                    const Value& p = R[in->c];
                    if (p.procKind() != ProcKind::Script)
                        fail("Nil procedure called");
                    if (p.procIndex() >= m_program->routines.size() ||
                        m_program->routines[p.procIndex()].params.size() != in->b)
                        fail("Invalid procedure value");
                    if (--m_budget == 0)
                        fail("Execution limit exceeded");
                    R = enter(p.procIndex(), R + in->a, pc);
                    pc = code + m_frames.back().rc->entry;
                    break;
                }
                case OP_CALLH:
                case OP_CALLN:
                    callHost(static_cast<std::uint32_t>(in->d), R + in->a, in->b, nullptr, {});
                    break;
                case OP_CALLM: {
                    Value* self = R + in->a;
                    HostObject* o = self->asObject();
                    if (!o)
                        fail("Nil object reference");
                    if (o->freed())
                        fail("Object already freed");
                    callHost(static_cast<std::uint32_t>(in->d), self + 1, in->b, self, {});
                    break;
                }
                case OP_CTOR:
                    callHost(static_cast<std::uint32_t>(in->d), R + in->a, in->b, nullptr,
                             m_program->classes[in->c].name);
                    break;
                case OP_CALLX:
                    callExternal(static_cast<std::uint32_t>(in->d), R + in->a, in->b);
                    break;
                case OP_PGET: {
                    Value* self = R + in->b;
                    HostObject* o = self->asObject();
                    if (!o)
                        fail("Nil object reference");
                    if (o->freed())
                        fail("Object already freed");
                    callHost(static_cast<std::uint32_t>(in->d), self + 1, in->c, self, {});
                    if (in->a != in->b) {
                        Value v = std::move(*self);
                        R[in->a] = std::move(v);
                    }
                    break;
                }
                case OP_PSET: {
                    Value* self = R + in->a;
                    HostObject* o = self->asObject();
                    if (!o)
                        fail("Nil object reference");
                    if (o->freed())
                        fail("Object already freed");
                    callHost(static_cast<std::uint32_t>(in->d), self + 1, in->b - 1, self, {});
                    break;
                }
                case OP_RET: {
                    const Instr* ret = m_frames.back().ret;
                    leaveFrame();
                    if (m_frames.size() <= baseDepth) {
                        m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                        return;
                    }
                    pc = ret;
                    R = m_frames.back().base;
                    break;
                }
                case OP_TRY:
                    m_handlers.push_back(Handler{m_frames.size() - 1, code + in->d, m_exceptions.size()});
                    break;
                case OP_POPTRY:
                    if (m_handlers.size() > handlerMark)
                        m_handlers.pop_back();
                    break;
                case OP_ENDEXC:
                    if (m_exceptions.size() > excMark)
                        m_exceptions.pop_back();
                    break;
                case OP_RERAISE: {
                    if (m_exceptions.size() <= excMark)
                        fail("Re-raise outside an exception handler");
                    RuntimeError e = m_exceptions.back();
                    m_exceptions.pop_back();
                    throw e;
                }
                case OP_MKARR: {
                    ArrRep* a = rep::newArr(in->c);
                    Value v;
                    v.adoptArr(a);
                    for (int i = 0; i < in->c; ++i)
                        a->elems()[i] = R[in->b + i];
                    R[in->a] = std::move(v);
                    break;
                }
                case OP_SETLENS: {
                    Value* target = deref(R[in->a]);
                    std::int64_t n = R[in->b].rawInt();
                    if (n < 0)
                        n = 0;
                    if (static_cast<std::uint64_t>(n) > kMaxStringLength)
                        fail("Out of memory");
                    std::size_t old = sv(*target).size();
                    if (n == 0) {
                        target->adoptStr(nullptr);
                        break;
                    }
                    StrRep* s = rep::uniqueStr(*target, static_cast<std::size_t>(n));
                    if (static_cast<std::size_t>(n) > old)
                        std::memset(s->data() + old, 0, static_cast<std::size_t>(n) - old);
                    s->len = static_cast<std::uint32_t>(n);
                    s->data()[n] = '\0';
                    break;
                }
                case OP_SETLENA: {
                    Value* target = deref(R[in->a]);
                    std::int64_t n = R[in->b].rawInt();
                    if (n < 0)
                        n = 0;
                    if (static_cast<std::uint64_t>(n) > kMaxArrayLength)
                        fail("Out of memory");
                    ArrRep* old = arrayOf(*target);
                    if (n == 0) {
                        target->adoptArr(nullptr);
                        break;
                    }
                    ArrRep* a = rep::newArr(static_cast<std::size_t>(n));
                    Value v;
                    v.adoptArr(a);
                    std::size_t keep = old ? std::min<std::size_t>(old->len, static_cast<std::size_t>(n)) : 0;
                    for (std::size_t i = 0; i < keep; ++i)
                        a->elems()[i] = old->elems()[i];
                    const Value& def = m_defaults[static_cast<std::size_t>(in->d)];
                    for (std::size_t i = keep; i < static_cast<std::size_t>(n); ++i)
                        a->elems()[i] = def;
                    *target = std::move(v);
                    break;
                }
                case OP_RANDF:
                    R[in->a].setFloat(std::uniform_real_distribution<double>(0.0, 1.0)(m_random));
                    break;
                case OP_RANDI: {
                    std::int64_t n = R[in->b].rawInt();
                    R[in->a].setInt(n <= 0 ? 0
                                           : std::uniform_int_distribution<std::int64_t>(0, n - 1)(m_random));
                    break;
                }
                default:
                    fail("Invalid instruction");
                }
            }
        } catch (RuntimeError& e) {
            attachPosition(e, pc - 1);
            if (!dispatchException(e, baseDepth, pc, R)) {
                while (m_frames.size() > baseDepth)
                    leaveFrame();
                m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                while (m_exceptions.size() > excMark)
                    m_exceptions.pop_back();
                throw;
            }
        } catch (const Halt&) {
            while (m_frames.size() > baseDepth)
                leaveFrame();
            m_handlers.resize(std::min(m_handlers.size(), handlerMark));
            while (m_exceptions.size() > excMark)
                m_exceptions.pop_back();
            throw;
        } catch (const std::bad_alloc&) {
            RuntimeError e("Out of memory");
            attachPosition(e, pc - 1);
            if (!dispatchException(e, baseDepth, pc, R)) {
                while (m_frames.size() > baseDepth)
                    leaveFrame();
                m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                while (m_exceptions.size() > excMark)
                    m_exceptions.pop_back();
                throw e;
            }
        } catch (const std::exception& ex) {
            RuntimeError e(ex.what());
            attachPosition(e, pc - 1);
            if (!dispatchException(e, baseDepth, pc, R)) {
                while (m_frames.size() > baseDepth)
                    leaveFrame();
                m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                while (m_exceptions.size() > excMark)
                    m_exceptions.pop_back();
                throw e;
            }
        }
    }
}

} // namespace pascal
