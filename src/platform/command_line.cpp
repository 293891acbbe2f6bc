// The studio's command line; see command_line.h.
#include "platform/command_line.h"

#include "platform/lang.h"
#include "platform/text_encoding.h"
#include "platform/version.h"

namespace platform {

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine c;
    if (!args.empty()) {
        c.firstArgument = args.front();
        const std::string& a = args.front();
        if (a == "/?" || a == "--help" || a == "-h")
            c.action = StartAction::ShowUsage;
        else if (a == "/ASSOC")
            c.action = StartAction::Associate;
        else if (a == "/UNASSOC")
            c.action = StartAction::Unassociate;
    }
    for (const std::string& a : args)
        if (equalsNoCase(a, "/NEW"))
            c.newInstance = true;
    return c;
}

std::string usageText()
{
    std::string t = "Lumeni Zarerud\n";
    t += GetLangString("SVERSIO") + " " + programVersion() + "\n";
    t += "Copyright (C) Orvane. All rights reserved.\n\n";
    for (const char* key : {"USAGE1", "USAGE2", "USAGE3", "USAGE4"})
        t += GetLangString(key) + "\n";
    return t;
}

} // namespace platform
