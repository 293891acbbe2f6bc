// EXE2LMB: takes the project back out of a single executable made by the export and writes it as
// an ordinary project file. Reports on standard output; the exit status is 0 on success (and after
// the usage text), 1000 (seen as 232) for an executable without a project, else the errno value of
// the step that failed.
#include "export/single_executable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

void line(const std::string& text = {})
{
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
}

void banner()
{
    line("EXE2LMB Console Version 1.0");
    line("Copyright (C) Orvane. All rights reserved.");
    line("Get your free copy of Lumeni Zarerud from https://lumeni-zarerud.example/");
    line();
}

void usage()
{
    line("Usage: EXE2LMB SingleExeFile LMBFile");
    line();
    line("      SingleExeFile - Exported Single Exe File (Embedded LMB Project)");
    line("      LMBFile       - Output .LMB File");
    line();
    line();
}

std::string quoted(const std::string& s)
{
    return "\"" + s + "\"";
}

} // namespace

int main(int argc, char** argv)
{
    banner();
    std::error_code ec;
    const std::string input = argc > 1 ? argv[1] : "";
    if (input.empty() || !std::filesystem::exists(input, ec) || std::filesystem::is_directory(input, ec)) {
        usage();
        return 0;
    }
    const std::string output = argc > 2 ? argv[2] : "";
    line("Trying to extract embedded LMB file...");
    int code = 0;
    try {
        const auto bytes = exporting::extractEmbeddedProject(input, output);
        if (!bytes) {
            line("ERROR: File " + quoted(input) + " does not contain any Embedded LMB Project!");
            return exporting::kNoEmbeddedProjectStatus;
        }
        line("Succes!");
        line(std::to_string(*bytes) + " bytes extracted from " + quoted(input) + " to " + quoted(output));
        return std::fflush(stdout) == 0 ? 0 : EIO;
    } catch (const exporting::OutputIsInputError& e) {
        line("ERROR: The output file " + quoted(output) + " is the input file itself!");
        return e.code();
    } catch (const exporting::SingleExecutableError& e) {
        code = e.code();
    } catch (const std::exception&) {
        code = EIO;
    }
    line("Some error occured: " + std::to_string(code));
    line(std::strerror(code));
    return code;
}
