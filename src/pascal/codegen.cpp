// Code generator: checked trees to instructions.
#include "pascal/codegen.h"

#include "pascal/parser.h"
#include "platform/text_encoding.h"

#include <cstring>

namespace pascal {

namespace {
constexpr std::size_t kMaxCode = std::size_t(1) << 24;
constexpr int kMaxSlots = 65000;

bool fitsImm16(std::int64_t v)
{
    return v >= -32768 && v <= 32767;
}
} // namespace

CodeGen::CodeGen(Environment& env, Program& prog, std::string_view text, const SourceMap* map)
    : m_env(env), m_prog(prog), m_text(text), m_map(map)
{
    if (map) {
        for (std::size_t i = 0; i < map->fileCount(); ++i)
            m_prog.modules.push_back(map->fileName(static_cast<int>(i)));
    } else {
        m_prog.modules.push_back({});
    }
    if (!map) {
        m_lineStarts.push_back(0);
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c == '\n' || (c == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n')))
                m_lineStarts.push_back(static_cast<int>(i + 1));
        }
    }
}

// --- emission -------------------------------------------------------------------------------------

std::uint32_t CodeGen::emit(std::uint16_t op, int a, int b, int c, std::int32_t d)
{
    if (m_prog.code.size() >= kMaxCode)
        throw CompileError{MessageCode::Custom, "Program too large", m_pos};
    std::uint32_t pc = here();
    if (m_pos != m_lastPos) {
        m_lastPos = m_pos;
        PositionEntry pe{pc, m_pos, 1, 1, 0};
        if (m_map) {
            SourceLocation loc = m_map->locate(m_pos, m_text);
            pe.row = loc.row;
            pe.col = loc.col;
            pe.module = static_cast<std::uint16_t>(loc.file);
        } else {
            auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), static_cast<int>(m_pos));
            std::size_t line = static_cast<std::size_t>(it - m_lineStarts.begin()) - 1;
            pe.row = static_cast<std::int32_t>(line + 1);
            pe.col = static_cast<std::int32_t>(m_pos - static_cast<std::uint32_t>(m_lineStarts[line]) + 1);
        }
        if (!m_prog.positions.empty() && m_prog.positions.back().pc == pc)
            m_prog.positions.back() = pe;
        else
            m_prog.positions.push_back(pe);
    }
    Instr in;
    in.op = op;
    in.a = static_cast<std::uint16_t>(a);
    in.b = static_cast<std::uint16_t>(b);
    in.c = static_cast<std::uint16_t>(c);
    in.d = d;
    m_prog.code.push_back(in);
    return pc;
}

int CodeGen::temp()
{
    int t = m_next++;
    if (m_next > kMaxSlots)
        throw CompileError{MessageCode::Custom, "Too many local variables", m_pos};
    if (m_next > m_max)
        m_max = m_next;
    return t;
}

void CodeGen::reserve(int n)
{
    for (int i = 0; i < n; ++i)
        temp();
}

int CodeGen::constant(const Value& v)
{
    auto add = [&] {
        m_prog.constants.push_back(v);
        return static_cast<int>(m_prog.constants.size() - 1);
    };
    switch (v.tag()) {
    case Tag::Int:
    case Tag::Proc:
    case Tag::Pointer:
    case Tag::Bool: {
        auto& map = v.tag() == Tag::Bool ? m_boolConsts : m_intConsts;
        std::uint64_t key = static_cast<std::uint64_t>(v.rawInt());
        if (v.tag() == Tag::Proc)
            return add();
        if (v.tag() == Tag::Pointer)
            return add();
        auto it = map.find(key);
        if (it != map.end())
            return it->second;
        int i = add();
        map[key] = i;
        return i;
    }
    case Tag::Float: {
        std::uint64_t key;
        double f = v.rawFloat();
        std::memcpy(&key, &f, sizeof key);
        auto it = m_floatConsts.find(key);
        if (it != m_floatConsts.end())
            return it->second;
        int i = add();
        m_floatConsts[key] = i;
        return i;
    }
    case Tag::Str: {
        std::string key(v.str());
        auto it = m_stringConsts.find(key);
        if (it != m_stringConsts.end())
            return it->second;
        int i = add();
        m_stringConsts.emplace(std::move(key), i);
        return i;
    }
    default:
        return add();
    }
}

// --- run-time types, imports ----------------------------------------------------------------------

int CodeGen::rtType(const Type* t)
{
    if (t->rt >= 0)
        return t->rt;
    RtType r;
    r.name = t->name;
    switch (t->kind) {
    case TK::Integer:
        r.kind = RtKind::Integer;
        r.intKind = static_cast<std::uint8_t>(t->ik);
        break;
    case TK::Char:
        r.kind = RtKind::Char;
        break;
    case TK::Bool:
        r.kind = RtKind::Bool;
        break;
    case TK::Enum:
        r.kind = RtKind::Enum;
        break;
    case TK::Float:
        r.kind = RtKind::Float;
        break;
    case TK::String:
        r.kind = RtKind::String;
        break;
    case TK::Variant:
        r.kind = RtKind::Variant;
        break;
    case TK::Set:
        r.kind = RtKind::Set;
        break;
    case TK::Array:
        r.kind = RtKind::Array;
        r.elem = rtType(t->elem);
        r.length = static_cast<std::uint32_t>(t->high - t->low + 1);
        break;
    case TK::DynArray:
    case TK::OpenArray:
        r.kind = RtKind::DynArray;
        r.elem = rtType(t->elem);
        break;
    case TK::Record:
        r.kind = RtKind::Record;
        for (const Field& f : t->fields)
            r.fields.push_back(rtType(f.type));
        break;
    case TK::Proc:
        r.kind = RtKind::Proc;
        break;
    case TK::Class:
    case TK::Nil:
        r.kind = RtKind::Object;
        break;
    default:
        r.kind = RtKind::Pointer;
        break;
    }
    m_prog.types.push_back(std::move(r));
    t->rt = static_cast<int>(m_prog.types.size() - 1);
    return t->rt;
}

int CodeGen::classIndex(const ClassInfo* c)
{
    if (c->rt >= 0)
        return c->rt;
    c->rt = static_cast<int>(m_prog.classes.size());
    m_prog.classes.push_back(ClassEntry{c->spelling, -1});
    int guard = 0;
    const ClassInfo* p = c->parent;
    std::int32_t parent = -1;
    if (p && guard < 1000)
        parent = classIndex(p);
    m_prog.classes[static_cast<std::size_t>(c->rt)].parent = parent;
    return c->rt;
}

int CodeGen::importFor(ImportKind kind, const Member* m, const ClassInfo* cls)
{
    int* slot = kind == ImportKind::PropGet   ? &m->importGet
                : kind == ImportKind::PropSet ? &m->importSet
                                              : &m->importCall;
    if (*slot >= 0)
        return *slot;
    Import imp;
    imp.kind = kind;
    imp.className = m->owner->spelling;
    imp.name = m_env.names.spelling(m->name);
    if (m->kind == Member::Kind::Method) {
        for (const Param& p : m->sig.params) {
            imp.modes.push_back(static_cast<std::uint8_t>(p.mode));
            imp.argTypes.push_back(rtType(p.type));
        }
        if (m->isConstructor)
            imp.resultType = rtType(cls->type);
        else if (m->sig.result)
            imp.resultType = rtType(m->sig.result);
    } else {
        for (const Type* t : m->indexTypes) {
            imp.modes.push_back(0);
            imp.argTypes.push_back(rtType(t));
        }
        if (kind == ImportKind::PropGet) {
            imp.resultType = rtType(m->type);
        } else {
            imp.modes.push_back(0);
            imp.argTypes.push_back(rtType(m->type));
        }
    }
    imp.argCount = static_cast<std::uint16_t>(imp.modes.size());
    m_prog.imports.push_back(std::move(imp));
    *slot = static_cast<int>(m_prog.imports.size() - 1);
    return *slot;
}

int CodeGen::importRoutine(Routine& r)
{
    if (r.id >= 0)
        return r.id;
    Import imp;
    imp.kind = ImportKind::Routine;
    imp.name = m_env.names.spelling(r.name);
    for (const Param& p : r.sig.params) {
        imp.modes.push_back(static_cast<std::uint8_t>(p.mode));
        imp.argTypes.push_back(rtType(p.type));
    }
    imp.argCount = static_cast<std::uint16_t>(imp.modes.size());
    if (r.sig.result)
        imp.resultType = rtType(r.sig.result);
    m_prog.imports.push_back(std::move(imp));
    r.id = static_cast<int>(m_prog.imports.size() - 1);
    return r.id;
}

void CodeGen::declareRoutine(Routine& r)
{
    r.id = static_cast<int>(m_prog.routines.size());
    RoutineCode rc;
    rc.name = m_env.names.spelling(r.name);
    for (const Param& p : r.sig.params)
        rc.params.push_back(ParamInfo{m_env.names.spelling(p.name), static_cast<std::uint8_t>(p.mode), -1});
    m_prog.routines.push_back(std::move(rc));
    m_declared.push_back(&r);
}

void CodeGen::declareExternal(Routine& r)
{
    ExternalRoutine x;
    x.name = m_env.names.spelling(r.name);
    x.symbol = r.ext.symbol;
    x.library = r.ext.library;
    x.convention = r.ext.convention;
    x.delayLoad = r.ext.delayLoad;
    for (const Param& p : r.sig.params) {
        x.modes.push_back(static_cast<std::uint8_t>(p.mode));
        x.argTypes.push_back(rtType(p.type));
    }
    if (r.sig.result)
        x.resultType = rtType(r.sig.result);
    m_prog.externals.push_back(std::move(x));
    r.id = static_cast<int>(m_prog.externals.size() - 1);
}

// --- routines -------------------------------------------------------------------------------------

void CodeGen::beginRoutine(RoutineCode& rc, RoutineCtx& ctx)
{
    m_ctx = &ctx;
    m_rc = &rc;
    m_exits.clear();
    m_loops.clear();
    m_tries.clear();
    m_lastPos = 0xFFFFFFFFu;
    rc.entry = here();
    m_next = static_cast<int>(ctx.slots.size());
    m_max = m_next;
    if (m_next > kMaxSlots)
        throw CompileError{MessageCode::Custom, "Too many local variables", m_pos};
    rc.init.clear();
    for (std::size_t i = static_cast<std::size_t>(ctx.paramCount); i < ctx.slots.size(); ++i)
        rc.init.emplace_back(static_cast<std::uint16_t>(i), rtType(ctx.slots[i]->type));
    for (int i = 0; i < ctx.paramCount && static_cast<std::size_t>(i) < rc.params.size(); ++i)
        rc.params[static_cast<std::size_t>(i)].type = rtType(ctx.slots[static_cast<std::size_t>(i)]->type);
    if (ctx.result) {
        rc.resultSlot = ctx.result->index;
        rc.resultType = rtType(ctx.result->type);
    }
}

void CodeGen::endRoutine(Stmt* body)
{
    stmt(body);
    patchAll(m_exits, here());
    emit(OP_RET);
    m_rc->end = here();
    m_rc->frameSize = static_cast<std::uint16_t>(m_max < 1 ? 1 : m_max);
    m_rc = nullptr;
    m_ctx = nullptr;
}

void CodeGen::routine(Parser& p, RoutineCtx& ctx, Stmt* body)
{
    m_parser = &p;
    at(body->pos);
    beginRoutine(m_prog.routines[static_cast<std::size_t>(ctx.routine->id)], ctx);
    endRoutine(body);
}

void CodeGen::mainBlock(Parser& p, RoutineCtx& ctx, Stmt* body)
{
    m_parser = &p;
    for (Routine* r : m_declared)
        if (!r->defined)
            throw CompileError{MessageCode::UnsatisfiedForward, m_env.names.spelling(r->name), r->pos};
    m_prog.mainRoutine = static_cast<std::int32_t>(m_prog.routines.size());
    m_prog.routines.emplace_back();
    at(body->pos);
    beginRoutine(m_prog.routines.back(), ctx);
    endRoutine(body);
}

void CodeGen::finish()
{
    for (Symbol* s : m_env.globals) {
        m_prog.globalTypes.push_back(rtType(s->type));
        m_prog.globalNames.push_back(s->name == kNoName ? std::string() : m_env.names.spelling(s->name));
        m_prog.globalInit.push_back(s->value.isEmpty() ? -1 : constant(s->value));
        if (s->exported)
            m_prog.exports.push_back(ExportedVariable{platform::toUpperAscii(m_env.names.spelling(s->name)),
                                                      s->index, rtType(s->type), s->type->name});
    }
}

// --- statements -----------------------------------------------------------------------------------

void CodeGen::patchAll(std::vector<std::uint32_t>& jumps, std::uint32_t target)
{
    for (std::uint32_t j : jumps)
        patch(j, target);
    jumps.clear();
}

bool CodeGen::isLocal(const Expr* e) const
{
    return e->kind == EK::Var &&
           (e->sym->vk == VarKind::Local || e->sym->vk == VarKind::Param || e->sym->vk == VarKind::Result);
}

void CodeGen::stmt(Stmt* s)
{
    int mark = m_next;
    at(s->pos);
    switch (s->kind) {
    case SK::Empty:
        break;
    case SK::Block:
        for (std::uint32_t i = 0; i < s->n; ++i)
            stmt(s->list[i]);
        break;
    case SK::Assign:
        assign(s->a, s->b);
        break;
    case SK::Call:
        if (s->a->kind == EK::Intrinsic)
            intrinsicTo(s->a, 0);
        else
            call(s->a, -1);
        break;
    case SK::If: {
        std::vector<std::uint32_t> ends;
        for (Stmt* cur = s; cur;) {
            at(cur->pos);
            std::vector<std::uint32_t> skip;
            condJump(cur->a, false, skip);
            m_next = mark;
            stmt(cur->s1);
            Stmt* next = cur->s2;
            if (next)
                ends.push_back(emit(OP_JMP));
            patchAll(skip, here());
            if (next && next->kind == SK::If) {
                cur = next;
                continue;
            }
            if (next)
                stmt(next);
            break;
        }
        patchAll(ends, here());
        break;
    }
    case SK::While: {
        std::uint32_t jcond = emit(OP_JMP);
        std::uint32_t top = here();
        m_loops.push_back(Loop{{}, {}, m_tries.size()});
        stmt(s->s1);
        std::uint32_t cond = here();
        patch(jcond, cond);
        at(s->pos);
        std::vector<std::uint32_t> back;
        condJump(s->a, true, back);
        patchAll(back, top);
        patchAll(m_loops.back().continues, cond);
        patchAll(m_loops.back().breaks, here());
        m_loops.pop_back();
        break;
    }
    case SK::Repeat: {
        std::uint32_t top = here();
        m_loops.push_back(Loop{{}, {}, m_tries.size()});
        stmt(s->s1);
        std::uint32_t cond = here();
        at(s->a->pos);
        std::vector<std::uint32_t> back;
        condJump(s->a, false, back);
        patchAll(back, top);
        patchAll(m_loops.back().continues, cond);
        patchAll(m_loops.back().breaks, here());
        m_loops.pop_back();
        break;
    }
    case SK::For:
        forLoop(s);
        break;
    case SK::Case:
        caseStmt(s);
        break;
    case SK::TryExcept:
        tryExcept(s);
        break;
    case SK::TryFinally:
        tryFinally(s);
        break;
    case SK::Exit:
        if (s->b) {
            to(s->b, m_ctx->result->index);
        }
        leave(0);
        m_exits.push_back(emit(OP_JMP));
        break;
    case SK::Break:
    case SK::Continue: {
        Loop& l = m_loops.back();
        leave(l.tryDepth);
        std::uint32_t j = emit(OP_JMP);
        (s->kind == SK::Break ? m_loops.back().breaks : m_loops.back().continues).push_back(j);
        break;
    }
    case SK::Reraise:
        emit(OP_RERAISE);
        break;
    }
    m_next = mark;
}

void CodeGen::leave(std::size_t downTo)
{
    // Jumping out of try blocks: drop their handlers, run finally blocks on the way, end handled
    // exceptions. The finally code is emitted again here, outside the block it guards.
    std::vector<Try> saved = m_tries;
    for (std::size_t i = m_tries.size(); i-- > downTo;) {
        Try t = m_tries[i];
        m_tries.resize(i);
        switch (t.kind) {
        case TryKind::ExceptBody:
            emit(OP_POPTRY);
            break;
        case TryKind::ExceptHandler:
        case TryKind::FinallyHandler:
            emit(OP_ENDEXC);
            break;
        case TryKind::FinallyBody: {
            emit(OP_POPTRY);
            auto loops = m_loops;
            stmt(t.finallyBody);
            m_loops = loops;
            break;
        }
        }
    }
    m_tries = saved;
}

void CodeGen::tryExcept(Stmt* s)
{
    std::uint32_t t = emit(OP_TRY);
    m_tries.push_back(Try{TryKind::ExceptBody, nullptr});
    stmt(s->s1);
    m_tries.pop_back();
    emit(OP_POPTRY);
    std::uint32_t jend = emit(OP_JMP);
    patch(t, here());
    m_tries.push_back(Try{TryKind::ExceptHandler, nullptr});
    stmt(s->s2);
    m_tries.pop_back();
    emit(OP_ENDEXC);
    patch(jend, here());
}

void CodeGen::tryFinally(Stmt* s)
{
    std::uint32_t t = emit(OP_TRY);
    m_tries.push_back(Try{TryKind::FinallyBody, s->s2});
    stmt(s->s1);
    m_tries.pop_back();
    emit(OP_POPTRY);
    stmt(s->s2);
    std::uint32_t jend = emit(OP_JMP);
    patch(t, here());
    m_tries.push_back(Try{TryKind::FinallyHandler, nullptr});
    stmt(s->s2);
    m_tries.pop_back();
    emit(OP_RERAISE);
    patch(jend, here());
}

void CodeGen::forLoop(Stmt* s)
{
    Expr* v = s->a;
    bool direct = isLocal(v);
    int counter = direct ? v->sym->index : temp();
    int limit = temp();
    to(s->b, counter);
    to(s->c, limit);
    if (!direct)
        storeTo(v, counter);
    std::uint32_t prep = emit(s->downto ? OP_FORPREPD : OP_FORPREP, counter, limit);
    std::uint32_t body = here();
    if (!direct)
        storeTo(v, counter);
    m_loops.push_back(Loop{{}, {}, m_tries.size()});
    int mark = m_next;
    stmt(s->s1);
    m_next = mark;
    std::uint32_t cont = here();
    at(s->pos);
    emit(s->downto ? OP_FORLOOPD : OP_FORLOOP, counter, limit, 0, static_cast<std::int32_t>(body));
    patchAll(m_loops.back().continues, cont);
    patchAll(m_loops.back().breaks, here());
    patch(prep, here());
    m_loops.pop_back();
}

void CodeGen::caseStmt(Stmt* s)
{
    Expr* sel = s->a;
    bool str = sel->type->kind == TK::String;
    int v = any(sel);
    if (!isLocal(sel) || true) {
        // keep the selector stable while the arms are compared
        if (isLocal(sel)) {
            int t = temp();
            emit(OP_MOV, t, v);
            v = t;
        }
    }
    std::vector<std::uint32_t> ends;
    std::vector<std::vector<std::uint32_t>> armJumps(s->narms);
    int tmp = temp();
    for (std::uint32_t i = 0; i < s->narms; ++i) {
        CaseArm& arm = s->arms[i];
        for (std::uint32_t k = 0; k < arm.nlabels; k += 2) {
            Expr* lo = arm.labels[k];
            Expr* hi = arm.labels[k + 1];
            at(lo->pos);
            if (str) {
                int kl = any(lo);
                if (!hi) {
                    emit(OP_EQS, tmp, v, kl);
                    armJumps[i].push_back(emit(OP_JT, tmp));
                } else {
                    int kh = any(hi);
                    emit(OP_GES, tmp, v, kl);
                    std::uint32_t skip = emit(OP_JF, tmp);
                    emit(OP_LES, tmp, v, kh);
                    armJumps[i].push_back(emit(OP_JT, tmp));
                    patch(skip, here());
                }
                continue;
            }
            const Value& lv = m_parser->constant(lo->constIndex);
            if (!hi) {
                if (fitsImm16(lv.rawInt())) {
                    armJumps[i].push_back(
                        emit(OP_JEQK, v, static_cast<std::uint16_t>(static_cast<std::int16_t>(lv.rawInt()))));
                } else {
                    int kl = any(lo);
                    armJumps[i].push_back(emit(OP_JEQ, v, kl));
                }
            } else {
                int kl = any(lo);
                int kh = any(hi);
                std::uint32_t skip = emit(OP_JLT, v, kl);
                armJumps[i].push_back(emit(OP_JLE, v, kh));
                patch(skip, here());
            }
        }
    }
    if (s->s2)
        stmt(s->s2);
    ends.push_back(emit(OP_JMP));
    for (std::uint32_t i = 0; i < s->narms; ++i) {
        patchAll(armJumps[i], here());
        stmt(s->arms[i].body);
        ends.push_back(emit(OP_JMP));
    }
    patchAll(ends, here());
}

void CodeGen::condJump(Expr* c, bool when, std::vector<std::uint32_t>& out)
{
    at(c->pos);
    if (c->kind == EK::Unary && static_cast<UnOp>(c->op) == UnOp::Not && c->cls == OpClass::Bool) {
        condJump(c->a, !when, out);
        return;
    }
    if (c->kind == EK::Const) {
        bool v = m_parser->constant(c->constIndex).rawInt() != 0;
        if (v == when)
            out.push_back(emit(OP_JMP));
        return;
    }
    if (c->kind == EK::Binary && c->flag) {
        auto op = static_cast<BinOp>(c->op);
        bool isAnd = op == BinOp::And;
        if (isAnd != when) {
            // and, jump when false / or, jump when true: either side decides
            condJump(c->a, when, out);
            condJump(c->b, when, out);
        } else {
            std::vector<std::uint32_t> skip;
            condJump(c->a, !when, skip);
            condJump(c->b, when, out);
            patchAll(skip, here());
        }
        return;
    }
    if (c->kind == EK::Binary && c->cls == OpClass::Raw) {
        auto op = static_cast<BinOp>(c->op);
        if (!when) {
            switch (op) {
            case BinOp::Eq:
                op = BinOp::Ne;
                break;
            case BinOp::Ne:
                op = BinOp::Eq;
                break;
            case BinOp::Lt:
                op = BinOp::Ge;
                break;
            case BinOp::Le:
                op = BinOp::Gt;
                break;
            case BinOp::Gt:
                op = BinOp::Le;
                break;
            case BinOp::Ge:
                op = BinOp::Lt;
                break;
            default:
                break;
            }
        }
        int mark = m_next;
        int l = any(c->a);
        if (c->b->kind == EK::Const && fitsImm16(m_parser->constant(c->b->constIndex).rawInt())) {
            auto k = static_cast<std::uint16_t>(
                static_cast<std::int16_t>(m_parser->constant(c->b->constIndex).rawInt()));
            std::uint16_t o = op == BinOp::Eq   ? OP_JEQK
                              : op == BinOp::Ne ? OP_JNEK
                              : op == BinOp::Lt ? OP_JLTK
                              : op == BinOp::Le ? OP_JLEK
                              : op == BinOp::Gt ? OP_JGTK
                                                : OP_JGEK;
            out.push_back(emit(o, l, k));
        } else {
            int r = any(c->b);
            std::uint16_t o = op == BinOp::Eq   ? OP_JEQ
                              : op == BinOp::Ne ? OP_JNE
                              : op == BinOp::Lt ? OP_JLT
                              : op == BinOp::Le ? OP_JLE
                              : op == BinOp::Gt ? OP_JGT
                                                : OP_JGE;
            out.push_back(emit(o, l, r));
        }
        m_next = mark;
        return;
    }
    int mark = m_next;
    int v = any(c);
    out.push_back(emit(when ? OP_JT : OP_JF, v));
    m_next = mark;
}

} // namespace pascal
