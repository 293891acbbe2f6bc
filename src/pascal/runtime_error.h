// The run-time error of scripts: raised by the interpreter, by the engine's own routines and by host
// bindings (a host throws it, or any std::exception, to fail the call). Caught by the script's
// try/except; uncaught it ends the run, carrying the position of the statement that failed.
#pragma once

#include "platform/errors.h"

#include <cstddef>
#include <string>

namespace pascal {

class RuntimeError : public platform::Error {
public:
    explicit RuntimeError(const std::string& message) : platform::Error(message) {}

    bool hasPosition() const { return m_row > 0; }
    int row() const { return m_row; }
    int col() const { return m_col; }
    std::size_t offset() const { return m_offset; }
    const std::string& module() const { return m_module; }
    void setPosition(std::size_t offset, int row, int col, std::string module)
    {
        m_offset = offset;
        m_row = row;
        m_col = col;
        m_module = std::move(module);
    }
    // "Runtime error at (12:5): Division by zero"
    std::string longForm() const;

private:
    std::size_t m_offset = 0;
    int m_row = 0, m_col = 0;
    std::string m_module;
};

// Ends the program at once with an exit code (ExitProcess): no handler of the script sees it.
class Halt {
public:
    explicit Halt(int code) : m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

std::string formatFloat(double v, int precision = 15); // the text FloatToStr gives

} // namespace pascal
