// Operators and conversions of Variants, decided at run time from what the values hold.
#pragma once

#include "pascal/program.h"
#include "pascal/value.h"

#include <string>

namespace pascal {

// op is a BinOp (ast.h).
Value variantBinary(int op, const Value& a, const Value& b);
Value variantUnary(bool negate, const Value& a);
// Converts v in place to the kind of t; throws RuntimeError "Could not convert variant ...".
void fromVariant(Value& v, const RtType& t);
// "Integer", "String", "Null" ... as conversion errors name them.
std::string variantTypeName(const Value& v);

} // namespace pascal
