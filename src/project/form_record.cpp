// Form stream walk; see form_record.h. A record is: an optional prefix byte 0xF0 | flags (2: a child
// position follows as an integer), class name and component name as length-prefixed bytes, properties
// (name + one typed value) up to a Null, child records up to a Null.
#include "project/form_record.h"

namespace project {
namespace {

void walkRecord(vcl::TypedValueReader& in, int depth, FormStreamSpan* root)
{
    if (depth > vcl::kMaxStreamNesting)
        in.fail("components nested too deeply");
    if (in.remaining() == 0)
        in.fail("unexpected end of stream in a component record");
    const auto prefix = static_cast<uint8_t>(in.data()[in.position()]);
    if ((prefix & 0xF0) == 0xF0) {
        in.readU8();
        if (prefix & 2)
            in.readInteger();
    }
    std::string cls = in.readShortString();
    std::string name = in.readShortString();
    if (cls.empty())
        in.fail("component record without a class name");
    if (root) {
        root->rootClass = std::move(cls);
        root->rootName = std::move(name);
    }
    while (!in.endOfList()) {
        if (in.readShortString().empty())
            in.fail("property without a name");
        in.skipValue();
    }
    in.readListEnd();
    while (!in.endOfList())
        walkRecord(in, depth + 1, nullptr);
    in.readListEnd();
}

} // namespace

FormStreamSpan walkFormStream(vcl::TypedValueReader& in)
{
    FormStreamSpan span;
    span.begin = in.position();
    in.readSignature();
    walkRecord(in, 0, &span);
    span.end = in.position();
    return span;
}

} // namespace project
