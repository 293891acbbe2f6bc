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

// --- assignments ----------------------------------------------------------------------------------

void CodeGen::assign(Expr* target, Expr* value)
{
    if (isLocal(target)) {
        int slot = target->sym->index;
        // S := S + X + Y: appended in place (the operands are taken before the first append)
        if (value->kind == EK::Binary && value->cls == OpClass::Str &&
            static_cast<BinOp>(value->op) == BinOp::Add) {
            std::vector<Expr*> parts;
            Expr* e = value;
            while (e->kind == EK::Binary && e->cls == OpClass::Str &&
                   static_cast<BinOp>(e->op) == BinOp::Add) {
                parts.push_back(e->b);
                e = e->a;
            }
            while (e->kind == EK::Conv && static_cast<Conv>(e->op) == Conv::None)
                e = e->a;
            if (e->kind == EK::Var && e->sym == target->sym) {
                std::vector<int> slots;
                for (std::size_t i = parts.size(); i-- > 0;)
                    slots.push_back(any(parts[i]));
                for (int s : slots)
                    emit(OP_APPEND, slot, s);
                return;
            }
        }
        to(value, slot);
        return;
    }
    int v = any(value);
    storeTo(target, v);
}

void CodeGen::storeTo(Expr* target, int v)
{
    at(target->pos);
    switch (target->kind) {
    case EK::Var:
        switch (target->sym->vk) {
        case VarKind::Global:
            emit(OP_STOREG, v, 0, 0, target->sym->index);
            return;
        case VarKind::VarParam:
            emit(OP_STOREREF, target->sym->index, v);
            return;
        default:
            if (target->sym->index != v)
                emit(OP_MOV, target->sym->index, v);
            return;
        }
    case EK::Conv:
        storeTo(target->a, v);
        return;
    case EK::Field:
        if (isLocal(target->a)) {
            emit(OP_SETFLD, target->a->sym->index, v, 0, static_cast<std::int32_t>(target->imm));
        } else {
            int r = ref(target->a);
            int t = temp();
            emit(OP_REFFLD, t, r, 0, static_cast<std::int32_t>(target->imm));
            emit(OP_STOREREF, t, v);
        }
        return;
    case EK::Index: {
        bool dyn = target->a->type->kind != TK::Array;
        int ix = any(target->b);
        at(target->pos);
        if (isLocal(target->a)) {
            emit(dyn ? OP_SETIDXD : OP_SETIDXS, target->a->sym->index, ix, v,
                 static_cast<std::int32_t>(target->imm));
        } else if (dyn && target->a->kind != EK::Var) {
            int base = any(target->a);
            emit(OP_SETIDXD, base, ix, v, static_cast<std::int32_t>(target->imm));
        } else {
            int r = ref(target->a);
            int t = temp();
            emit(dyn ? OP_REFIDXD : OP_REFIDXS, t, r, ix, static_cast<std::int32_t>(target->imm));
            emit(OP_STOREREF, t, v);
        }
        return;
    }
    case EK::StrIndex: {
        int ix = any(target->b);
        at(target->pos);
        if (isLocal(target->a)) {
            emit(OP_SETCHR, target->a->sym->index, ix, v);
        } else {
            int r = ref(target->a);
            emit(OP_SETCHRREF, r, ix, v);
        }
        return;
    }
    case EK::Prop: {
        int base = m_next;
        reserve(static_cast<int>(target->nargs) + 2);
        to(target->a, base);
        for (std::uint32_t i = 0; i < target->nargs; ++i)
            to(target->args[i], base + 1 + static_cast<int>(i));
        emit(OP_MOV, base + 1 + static_cast<int>(target->nargs), v);
        at(target->pos);
        emit(OP_PSET, base, static_cast<int>(target->nargs) + 2, 0,
             importFor(ImportKind::PropSet, target->member, nullptr));
        return;
    }
    default:
        throw CompileError{MessageCode::VariableExpected, {}, target->pos};
    }
}

int CodeGen::ref(Expr* e)
{
    // Index values are taken before the chain of references is built, so no script code runs while
    // a reference into a block is held.
    switch (e->kind) {
    case EK::Var: {
        int t;
        switch (e->sym->vk) {
        case VarKind::VarParam:
            return e->sym->index;
        case VarKind::Global:
            t = temp();
            emit(OP_REFG, t, 0, 0, e->sym->index);
            return t;
        default:
            t = temp();
            emit(OP_REFL, t, e->sym->index);
            return t;
        }
    }
    case EK::Conv:
        return ref(e->a);
    case EK::Field: {
        int r = ref(e->a);
        int t = temp();
        emit(OP_REFFLD, t, r, 0, static_cast<std::int32_t>(e->imm));
        return t;
    }
    case EK::Index: {
        bool dyn = e->a->type->kind != TK::Array;
        int ix = any(e->b);
        int r;
        if (dyn && e->a->kind != EK::Var && !(e->a->kind == EK::Field || e->a->kind == EK::Index)) {
            int base = any(e->a);
            r = temp();
            emit(OP_REFL, r, base);
        } else {
            r = ref(e->a);
        }
        int t = temp();
        emit(dyn ? OP_REFIDXD : OP_REFIDXS, t, r, ix, static_cast<std::int32_t>(e->imm));
        return t;
    }
    default:
        throw CompileError{MessageCode::VariableExpected, {}, e->pos};
    }
}

// --- expressions ----------------------------------------------------------------------------------

int CodeGen::any(Expr* e)
{
    if (isLocal(e))
        return e->sym->index;
    if (e->kind == EK::Conv && static_cast<Conv>(e->op) == Conv::None)
        return any(e->a);
    if (e->kind == EK::Call || e->kind == EK::Method || e->kind == EK::ProcCall)
        return call(e, -1);
    int t = temp();
    to(e, t);
    return t;
}

void CodeGen::to(Expr* e, int dst)
{
    at(e->pos);
    switch (e->kind) {
    case EK::Const: {
        const Value& v = m_parser->constant(e->constIndex);
        if (v.tag() == Tag::Int && v.rawInt() >= INT32_MIN && v.rawInt() <= INT32_MAX)
            emit(OP_LOADI, dst, 0, 0, static_cast<std::int32_t>(v.rawInt()));
        else
            emit(OP_LOADK, dst, 0, 0, constant(v));
        return;
    }
    case EK::Var:
        switch (e->sym->vk) {
        case VarKind::Global:
            emit(OP_LOADG, dst, 0, 0, e->sym->index);
            return;
        case VarKind::VarParam:
            emit(OP_DEREF, dst, e->sym->index);
            return;
        default:
            if (e->sym->index != dst)
                emit(OP_MOV, dst, e->sym->index);
            return;
        }
    case EK::Field: {
        int mark = m_next;
        int b = any(e->a);
        emit(OP_GETFLD, dst, b, 0, static_cast<std::int32_t>(e->imm));
        m_next = mark;
        return;
    }
    case EK::Index: {
        int mark = m_next;
        int b = any(e->a);
        int ix = any(e->b);
        at(e->pos);
        emit(OP_GETIDX, dst, b, ix, static_cast<std::int32_t>(e->imm));
        m_next = mark;
        return;
    }
    case EK::StrIndex: {
        int mark = m_next;
        int b = any(e->a);
        int ix = any(e->b);
        at(e->pos);
        emit(OP_GETCHR, dst, b, ix);
        m_next = mark;
        return;
    }
    case EK::Call:
    case EK::Method:
    case EK::ProcCall:
    case EK::Prop:
        call(e, dst);
        return;
    case EK::Unary: {
        int mark = m_next;
        int a = any(e->a);
        at(e->pos);
        auto op = static_cast<UnOp>(e->op);
        switch (e->cls) {
        case OpClass::Var:
            emit(op == UnOp::Neg ? OP_VNEG : OP_VNOT, dst, a);
            break;
        case OpClass::Float:
            emit(OP_NEGF, dst, a);
            break;
        case OpClass::Bool:
            emit(OP_BNOT, dst, a);
            break;
        case OpClass::I64:
            emit(op == UnOp::Neg ? OP_NEG64 : OP_NOTI, dst, a);
            break;
        case OpClass::U32:
            emit(op == UnOp::Neg ? OP_NEG64 : OP_NOTU32, dst, a);
            break;
        default:
            emit(op == UnOp::Neg ? OP_NEG32 : OP_NOTI, dst, a);
            break;
        }
        m_next = mark;
        return;
    }
    case EK::Binary:
        binaryTo(e, dst);
        return;
    case EK::Conv:
        convTo(e, dst);
        return;
    case EK::SetCons: {
        if (e->constIndex >= 0) {
            emit(OP_LOADK, dst, 0, 0, constant(m_parser->constant(e->constIndex)));
            return;
        }
        int mark = m_next;
        int t = dst;
        bool alias = false;
        for (std::uint32_t i = 0; i < e->nargs; ++i)
            if (e->args[i] && isLocal(e->args[i]) && e->args[i]->sym->index == dst)
                alias = true;
        if (alias)
            t = temp();
        emit(OP_SNEW, t);
        for (std::uint32_t i = 0; i < e->nargs; i += 2) {
            int lo = any(e->args[i]);
            if (e->args[i + 1]) {
                int hi = any(e->args[i + 1]);
                emit(OP_SADDR, t, lo, hi);
            } else {
                emit(OP_SADD, t, lo);
            }
        }
        if (t != dst)
            emit(OP_MOV, dst, t);
        m_next = mark;
        return;
    }
    case EK::ArrayCons: {
        int mark = m_next;
        int base = m_next;
        reserve(static_cast<int>(e->nargs));
        for (std::uint32_t i = 0; i < e->nargs; ++i)
            to(e->args[i], base + static_cast<int>(i));
        at(e->pos);
        emit(OP_MKARR, dst, base, static_cast<int>(e->nargs));
        m_next = mark;
        return;
    }
    case EK::ProcAddr: {
        Routine* r = e->routine;
        Value v;
        if (r->kind == RoutineKind::Script)
            v = Value::proc(ProcKind::Script, static_cast<std::uint32_t>(r->id));
        else if (r->kind == RoutineKind::Host || r->kind == RoutineKind::Native)
            throw CompileError{MessageCode::NotSupported, "@ of a host routine", e->pos};
        else
            throw CompileError{MessageCode::NotSupported, "@ of an external routine", e->pos};
        emit(OP_LOADK, dst, 0, 0, constant(v));
        return;
    }
    case EK::Is:
    case EK::As: {
        int mark = m_next;
        int a = any(e->a);
        at(e->pos);
        emit(e->kind == EK::Is ? OP_ISCLS : OP_ASCLS, dst, a, 0, classIndex(e->klass));
        m_next = mark;
        return;
    }
    case EK::Intrinsic:
        intrinsicTo(e, dst);
        return;
    default:
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    }
}

void CodeGen::binaryTo(Expr* e, int dst)
{
    auto op = static_cast<BinOp>(e->op);
    if (e->flag) {
        // short-circuit and / or
        std::vector<std::uint32_t> out;
        to(e->a, dst);
        out.push_back(emit(op == BinOp::And ? OP_JF : OP_JT, dst));
        to(e->b, dst);
        patchAll(out, here());
        return;
    }
    int mark = m_next;
    // immediate forms for the common integer cases
    if ((e->cls == OpClass::I32 || e->cls == OpClass::I64) && e->b->kind == EK::Const &&
        (op == BinOp::Add || op == BinOp::Sub || op == BinOp::Mul ||
         (op == BinOp::Mod && e->cls == OpClass::I32))) {
        std::int64_t k = m_parser->constant(e->b->constIndex).rawInt();
        if (k >= INT32_MIN && k <= INT32_MAX && !(op == BinOp::Mod && k == 0)) {
            int a = any(e->a);
            at(e->pos);
            std::uint16_t o;
            if (e->cls == OpClass::I32)
                o = op == BinOp::Add   ? OP_ADD32K
                    : op == BinOp::Sub ? OP_SUB32K
                    : op == BinOp::Mul ? OP_MUL32K
                                       : OP_MOD32K;
            else if (op == BinOp::Add || op == BinOp::Sub)
                o = OP_ADD64K, k = op == BinOp::Sub ? -k : k;
            else
                o = 0;
            if (o) {
                if (o == OP_SUB32K && k == INT32_MIN)
                    o = 0;
            }
            if (o) {
                emit(o, dst, a, 0, static_cast<std::int32_t>(k));
                m_next = mark;
                return;
            }
            m_next = mark;
        }
    }
    int a = any(e->a);
    int b = any(e->b);
    at(e->pos);
    std::uint16_t o = OP_NOP;
    switch (e->cls) {
    case OpClass::I32:
    case OpClass::U32:
    case OpClass::I64: {
        bool w32 = e->cls == OpClass::I32, u32 = e->cls == OpClass::U32;
        switch (op) {
        case BinOp::Add:
            o = w32 ? OP_ADD32 : u32 ? OP_ADDU32 : OP_ADD64;
            break;
        case BinOp::Sub:
            o = w32 ? OP_SUB32 : u32 ? OP_SUBU32 : OP_SUB64;
            break;
        case BinOp::Mul:
            o = w32 ? OP_MUL32 : u32 ? OP_MULU32 : OP_MUL64;
            break;
        case BinOp::IDiv:
            o = w32 ? OP_DIV32 : OP_DIV64;
            break;
        case BinOp::Mod:
            o = OP_MOD64;
            break;
        case BinOp::And:
            o = OP_ANDI;
            break;
        case BinOp::Or:
            o = OP_ORI;
            break;
        case BinOp::Xor:
            o = OP_XORI;
            break;
        case BinOp::Shl:
            o = w32 ? OP_SHL32 : u32 ? OP_SHLU32 : OP_SHL64;
            break;
        case BinOp::Shr:
            o = (w32 || u32) ? OP_SHR32 : OP_SHR64;
            break;
        default:
            break;
        }
        break;
    }
    case OpClass::Bool:
        o = op == BinOp::And ? OP_BAND : op == BinOp::Or ? OP_BOR : OP_BXOR;
        break;
    case OpClass::Float:
        switch (op) {
        case BinOp::Add:
            o = OP_ADDF;
            break;
        case BinOp::Sub:
            o = OP_SUBF;
            break;
        case BinOp::Mul:
            o = OP_MULF;
            break;
        case BinOp::FDiv:
            o = OP_DIVF;
            break;
        case BinOp::Eq:
            o = OP_EQF;
            break;
        case BinOp::Ne:
            o = OP_NEF;
            break;
        case BinOp::Lt:
            o = OP_LTF;
            break;
        case BinOp::Le:
            o = OP_LEF;
            break;
        case BinOp::Gt:
            o = OP_GTF;
            break;
        case BinOp::Ge:
            o = OP_GEF;
            break;
        default:
            break;
        }
        break;
    case OpClass::Raw:
        switch (op) {
        case BinOp::Eq:
            o = OP_EQ;
            break;
        case BinOp::Ne:
            o = OP_NE;
            break;
        case BinOp::Lt:
            o = OP_LT;
            break;
        case BinOp::Le:
            o = OP_LE;
            break;
        case BinOp::Gt:
            o = OP_GT;
            break;
        case BinOp::Ge:
            o = OP_GE;
            break;
        default:
            break;
        }
        break;
    case OpClass::Str:
        switch (op) {
        case BinOp::Add:
            o = OP_CONCAT;
            break;
        case BinOp::Eq:
            o = OP_EQS;
            break;
        case BinOp::Ne:
            o = OP_NES;
            break;
        case BinOp::Lt:
            o = OP_LTS;
            break;
        case BinOp::Le:
            o = OP_LES;
            break;
        case BinOp::Gt:
            o = OP_GTS;
            break;
        case BinOp::Ge:
            o = OP_GES;
            break;
        default:
            break;
        }
        break;
    case OpClass::Set:
        switch (op) {
        case BinOp::Add:
            o = OP_SUNION;
            break;
        case BinOp::Sub:
            o = OP_SDIFF;
            break;
        case BinOp::Mul:
            o = OP_SINTER;
            break;
        case BinOp::Eq:
            o = OP_SEQ;
            break;
        case BinOp::Ne:
            o = OP_SNE;
            break;
        case BinOp::Le:
            o = OP_SLE;
            break;
        case BinOp::Ge:
            o = OP_SGE;
            break;
        case BinOp::In:
            o = OP_SIN;
            break;
        default:
            break;
        }
        break;
    case OpClass::Var:
        emit(OP_VBIN, dst, a, b, static_cast<std::int32_t>(op));
        m_next = mark;
        return;
    }
    if (o == OP_NOP)
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    emit(o, dst, a, b);
    m_next = mark;
}

void CodeGen::convTo(Expr* e, int dst)
{
    auto c = static_cast<Conv>(e->op);
    if (c == Conv::None) {
        to(e->a, dst);
        return;
    }
    int mark = m_next;
    int a = any(e->a);
    at(e->pos);
    switch (c) {
    case Conv::IntToFloat:
        emit(OP_I2F, dst, a);
        break;
    case Conv::Narrow:
        emit(OP_NARROW, dst, a, 0, static_cast<std::int32_t>(e->imm));
        break;
    case Conv::FloatToSingle:
        emit(OP_TOSINGLE, dst, a);
        break;
    case Conv::CharToStr:
        emit(OP_CHR2S, dst, a);
        break;
    case Conv::ToVariant:
        if (e->a->type->kind == TK::Char)
            emit(OP_CHR2S, dst, a);
        else if (a != dst)
            emit(OP_MOV, dst, a);
        break;
    case Conv::FromVariant:
        emit(OP_FROMVAR, dst, a, 0, rtType(e->type));
        break;
    default:
        break;
    }
    m_next = mark;
}

void CodeGen::intrinsicTo(Expr* e, int dst)
{
    auto id = static_cast<Intrinsic>(e->op);
    int mark = m_next;
    switch (id) {
    case Intrinsic::Length:
    case Intrinsic::GetArrayLength: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(e->args[0]->type->kind == TK::String ? OP_LENS : OP_LENA, dst, a);
        break;
    }
    case Intrinsic::High: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(e->args[0]->type->kind == TK::String ? OP_LENS : OP_LENA, dst, a);
        emit(OP_ADD64K, dst, dst, 0, -1);
        break;
    }
    case Intrinsic::SetLength:
    case Intrinsic::SetArrayLength: {
        Expr* target = e->args[0];
        int n = any(e->args[1]);
        int r = ref(target);
        at(e->pos);
        if (target->type->kind == TK::String)
            emit(OP_SETLENS, r, n);
        else
            emit(OP_SETLENA, r, n, 0, rtType(target->type->elem));
        break;
    }
    case Intrinsic::Inc:
    case Intrinsic::Dec: {
        Expr* target = e->args[0];
        const Type* t = target->type;
        bool sub = id == Intrinsic::Dec;
        std::int64_t k = 1;
        bool constStep = e->nargs == 1 || e->args[1]->kind == EK::Const;
        if (e->nargs == 2 && constStep)
            k = m_parser->constant(e->args[1]->constIndex).rawInt();
        int v;
        bool local = isLocal(target);
        v = local ? target->sym->index : temp();
        if (!local)
            to(target, v);
        at(e->pos);
        if (constStep && k >= INT32_MIN + 1 && k <= INT32_MAX) {
            emit(OP_ADD64K, v, v, 0, static_cast<std::int32_t>(sub ? -k : k));
        } else {
            int s = any(e->args[1]);
            emit(sub ? OP_SUB64 : OP_ADD64, v, v, s);
        }
        IntKind ik = t->kind == TK::Integer ? t->ik : (t->kind == TK::Char ? IntKind::U8 : t->ik);
        if (t->kind == TK::Bool)
            emit(OP_NARROW, v, v, 0, 255);
        else if (ik != IntKind::S64)
            emit(OP_NARROW, v, v, 0, static_cast<std::int32_t>(ik));
        if (!local)
            storeTo(target, v);
        break;
    }
    case Intrinsic::Succ:
    case Intrinsic::Pred: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(OP_ADD64K, dst, a, 0, id == Intrinsic::Succ ? 1 : -1);
        const Type* t = e->type;
        if (t->kind == TK::Bool)
            emit(OP_NARROW, dst, dst, 0, 255);
        else if (t->ik != IntKind::S64)
            emit(OP_NARROW, dst, dst, 0,
                 static_cast<std::int32_t>(t->kind == TK::Char ? IntKind::U8 : t->ik));
        break;
    }
    case Intrinsic::Abs: {
        int a = any(e->args[0]);
        at(e->pos);
        if (e->type->kind == TK::Float)
            emit(OP_ABSF, dst, a);
        else
            emit(e->type->ik == IntKind::S64 ? OP_ABS64 : OP_ABS32, dst, a);
        break;
    }
    case Intrinsic::Sqr: {
        int a = any(e->args[0]);
        at(e->pos);
        if (e->type->kind == TK::Float)
            emit(OP_MULF, dst, a, a);
        else
            emit(e->type->ik == IntKind::S64 ? OP_MUL64 : OP_MUL32, dst, a, a);
        break;
    }
    case Intrinsic::Assigned: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(OP_ASSIGNED, dst, a);
        break;
    }
    case Intrinsic::Random: {
        if (e->nargs == 0) {
            emit(OP_RANDF, dst);
        } else {
            int a = any(e->args[0]);
            at(e->pos);
            emit(OP_RANDI, dst, a);
        }
        break;
    }
    default:
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    }
    m_next = mark;
}

// --- calls ----------------------------------------------------------------------------------------

void CodeGen::args(const Signature& sig, Expr** a, std::uint32_t n, int base,
                   std::vector<std::pair<Expr*, int>>& writeBack)
{
    for (std::uint32_t i = 0; i < n; ++i) {
        const Param& p = sig.params[i];
        int slot = base + static_cast<int>(i);
        Expr* x = a[i];
        if (p.mode == ParamMode::Var || p.mode == ParamMode::Out) {
            Expr* v = x;
            while (v->kind == EK::Conv && static_cast<Conv>(v->op) == Conv::None)
                v = v->a;
            if (v->kind == EK::Var) {
                switch (v->sym->vk) {
                case VarKind::VarParam:
                    emit(OP_MOV, slot, v->sym->index);
                    break;
                case VarKind::Global:
                    emit(OP_REFG, slot, 0, 0, v->sym->index);
                    break;
                default:
                    emit(OP_REFL, slot, v->sym->index);
                    break;
                }
            } else {
                // fields, elements and characters go by copy-in, copy-out
                int w = -1;
                for (auto& [e, s] : writeBack)
                    if (e == x)
                        w = s;
                emit(OP_REFL, slot, w);
            }
        } else {
            to(x, slot);
        }
    }
}

int CodeGen::call(Expr* e, int dst)
{
    int mark = m_next;
    // copy-in temporaries of var arguments that are no plain variables live below the argument block
    std::vector<std::pair<Expr*, int>> writeBack;
    const Signature* sig = nullptr;
    if (e->kind == EK::Call)
        sig = &e->routine->sig;
    else if (e->kind == EK::Method)
        sig = &e->member->sig;
    else if (e->kind == EK::ProcCall)
        sig = &e->a->type->sig;
    if (sig) {
        for (std::uint32_t i = 0; i < e->nargs; ++i) {
            const Param& p = sig->params[i];
            if (p.mode != ParamMode::Var && p.mode != ParamMode::Out)
                continue;
            Expr* v = e->args[i];
            while (v->kind == EK::Conv && static_cast<Conv>(v->op) == Conv::None)
                v = v->a;
            if (v->kind == EK::Var)
                continue;
            int w = temp();
            to(e->args[i], w);
            writeBack.emplace_back(e->args[i], w);
        }
    }
    int proc = -1;
    if (e->kind == EK::ProcCall)
        proc = any(e->a);
    int base = m_next;
    int result = base;
    at(e->pos);
    switch (e->kind) {
    case EK::Call: {
        Routine* r = e->routine;
        reserve(static_cast<int>(e->nargs) + 1);
        args(r->sig, e->args, e->nargs, base, writeBack);
        at(e->pos);
        switch (r->kind) {
        case RoutineKind::Script:
            emit(OP_CALL, base, 0, 0, r->id);
            break;
        case RoutineKind::External:
            emit(OP_CALLX, base, static_cast<int>(e->nargs), 0, r->id);
            break;
        case RoutineKind::Native:
        case RoutineKind::Host:
            emit(OP_CALLH, base, static_cast<int>(e->nargs), 0, importRoutine(*r));
            break;
        }
        break;
    }
    case EK::Method: {
        if (!e->a) {
            reserve(static_cast<int>(e->nargs) + 1);
            args(e->member->sig, e->args, e->nargs, base, writeBack);
            at(e->pos);
            emit(OP_CTOR, base, static_cast<int>(e->nargs), classIndex(e->klass),
                 importFor(ImportKind::Constructor, e->member, e->klass));
        } else {
            reserve(static_cast<int>(e->nargs) + 1);
            to(e->a, base);
            args(e->member->sig, e->args, e->nargs, base + 1, writeBack);
            at(e->pos);
            emit(OP_CALLM, base, static_cast<int>(e->nargs), 0,
                 importFor(ImportKind::Method, e->member, nullptr));
        }
        break;
    }
    case EK::ProcCall: {
        reserve(static_cast<int>(e->nargs) + 1);
        args(*sig, e->args, e->nargs, base, writeBack);
        at(e->pos);
        emit(OP_CALLP, base, static_cast<int>(e->nargs), proc);
        break;
    }
    case EK::Prop: {
        reserve(static_cast<int>(e->nargs) + 1);
        to(e->a, base);
        for (std::uint32_t i = 0; i < e->nargs; ++i)
            to(e->args[i], base + 1 + static_cast<int>(i));
        at(e->pos);
        emit(OP_PGET, base, base, static_cast<int>(e->nargs),
             importFor(ImportKind::PropGet, e->member, nullptr));
        break;
    }
    default:
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    }
    for (auto& [x, w] : writeBack)
        storeTo(x, w);
    if (dst >= 0) {
        if (dst != result)
            emit(OP_MOV, dst, result);
        m_next = mark;
        return dst;
    }
    if (writeBack.empty() && proc < 0) {
        m_next = result + 1;
        return result;
    }
    // keep the result above the temporaries that are released
    m_next = mark;
    int t = temp();
    if (t != result)
        emit(OP_MOV, t, result);
    return t;
}

} // namespace pascal
