// The long form of run-time errors.
#include "pascal/runtime_error.h"

namespace pascal {

std::string RuntimeError::longForm() const
{
    std::string r = "Runtime error at ";
    if (!m_module.empty())
        r += m_module;
    r += '(';
    r += std::to_string(m_row);
    r += ':';
    r += std::to_string(m_col);
    r += "): ";
    r.append(what());
    return r;
}

} // namespace pascal
