// Console bindings of Writeln, Readln and ExitProcess.
#include "pascal/console_host.h"

#include "pascal/runtime_error.h"

#include <istream>
#include <ostream>
#include <string>

namespace pascal {

void declareConsole(Registrar& r)
{
    r.addRoutine("procedure Writeln(Msg:string);");
    r.addRoutine("function Readln(Msg:string):string;");
    r.addRoutine("procedure ExitProcess(ExitCode : integer)");
}

void bindConsole(Bindings& b, std::ostream& out, std::istream& in)
{
    b.bindRoutine("Writeln", [&out](HostCall& c) {
        std::string_view s = c.arg(0).str();
        out.write(s.data(), static_cast<std::streamsize>(s.size()));
        out.put('\n');
    });
    b.bindRoutine("Readln", [&out, &in](HostCall& c) {
        std::string_view prompt = c.arg(0).str();
        out.write(prompt.data(), static_cast<std::streamsize>(prompt.size()));
        out.flush();
        std::string line;
        if (!std::getline(in, line))
            line.clear();
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        c.result = Value::string(line);
    });
    b.bindRoutine("ExitProcess", [&out](HostCall& c) {
        out.flush();
        throw Halt(static_cast<int>(c.arg(0).rawInt()));
    });
}

} // namespace pascal
