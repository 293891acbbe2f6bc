// The interpreter: frames on one fixed stack of values, a dispatch loop over the instructions, and
// exceptions that unwind to the handlers of try blocks.
#include "pascal/interpreter.h"

#include "pascal/external_state.h"
#include "pascal/natives.h"
#include "pascal/types.h"
#include "pascal/variant_ops.h"
#include "pascal/vm_helpers.h"
#include "platform/text_encoding.h"

#include <cmath>
#include <cstring>

namespace pascal {

using namespace vm;

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
    invoke(static_cast<std::uint32_t>(m_program->mainRoutine), {}, nullptr);
}

static std::uint32_t procRoutine(const Value& proc, std::size_t count)
{
    if (proc.procKind() != ProcKind::Script)
        throw RuntimeError("Nil procedure called");
    if (proc.procIndex() >= count)
        throw RuntimeError("Invalid procedure value");
    return proc.procIndex();
}

Value Interpreter::call(const Value& proc, const std::vector<Value>& args)
{
    return invoke(procRoutine(proc, m_program->routines.size()), args, nullptr);
}

Value Interpreter::call(const Value& proc, std::vector<Value>& args)
{
    return invoke(procRoutine(proc, m_program->routines.size()), args, &args);
}

Value Interpreter::callRoutine(std::string_view name, const std::vector<Value>& args)
{
    int r = m_program->findRoutine(name);
    if (r < 0)
        throw RuntimeError("Unknown routine: " + std::string(name));
    return invoke(static_cast<std::uint32_t>(r), args, nullptr);
}

Value Interpreter::callRoutine(std::string_view name, std::vector<Value>& args)
{
    int r = m_program->findRoutine(name);
    if (r < 0)
        throw RuntimeError("Unknown routine: " + std::string(name));
    return invoke(static_cast<std::uint32_t>(r), args, &args);
}

Value Interpreter::invoke(std::uint32_t routine, const std::vector<Value>& args, std::vector<Value>* varsOut)
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
    if (varsOut) {
        for (std::size_t i = 0; i < args.size() && i < varsOut->size(); ++i) {
            std::uint8_t mode = rc.params[i].mode;
            if (mode == 2 || mode == 3)
                (*varsOut)[i] = scratch[i];
        }
    }
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

bool Interpreter::isFreeMethod(std::uint32_t import) const
{
    const Import& imp = m_program->imports[import];
    return imp.kind == ImportKind::Method && imp.argCount == 0 && platform::equalsNoCase(imp.name, "Free");
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

} // namespace pascal
