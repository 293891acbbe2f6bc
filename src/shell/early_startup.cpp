// The studio's start-up before any window; see early_startup.h.
#include "shell/early_startup.h"

#include "platform/file_association.h"
#include "platform/lang.h"
#include "platform/languages.h"
#include "platform/path_macros.h"
#include "platform/system_folders.h"
#include "platform/temp_files.h"
#include "platform/version.h"

#include <cstdlib>
#include <exception>
#include <string_view>

namespace shell {

namespace {

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

} // namespace

bool hasRealDisplay()
{
    const std::string platformName = env("QT_QPA_PLATFORM");
    if (platformName.rfind("offscreen", 0) == 0 || platformName.rfind("minimal", 0) == 0 ||
        platformName.rfind("vnc", 0) == 0)
        return false;
    return !env("DISPLAY").empty() || !env("WAYLAND_DISPLAY").empty();
}

std::string titleBase() { return "Lumeni Zarerud " + platform::programVersion() + " - " + platform::loginName(); }

EarlyStartup runEarlyStartup(const std::vector<std::string>& args, std::FILE* out)
{
    EarlyStartup s;
    // Stage A: the program's folder and %TMPAPPDIR%. A failure here only costs the temporary folder.
    s.installDir = platform::executableDir();
    platform::setSourceDir(s.installDir);
    try {
        platform::TemporaryFiles::instance().createAppDir();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "LMB: %s\n", e.what());
    }

    // Stage B: the language named by the settings, then the switches and the single instance.
    s.languageFile = platform::startupLanguageFile(s.installDir);
    platform::setCurrentLanguageFile(s.languageFile);
    s.languageName = platform::readLanguageInfo(s.languageFile).displayName();

    s.commandLine = platform::parseCommandLine(args);
    auto endNow = [&](int code) {
        platform::TemporaryFiles::instance().removeAll();
        s.exitCode = code;
        return std::move(s);
    };
    switch (s.commandLine.action) {
    case platform::StartAction::ShowUsage:
        std::fputs(platform::usageText().c_str(), out);
        std::fflush(out);
        s.exitCode = platform::kExitUsage;
        return s;
    case platform::StartAction::Associate:
        platform::registerFileAssociation(platform::defaultAssociationTarget());
        return endNow(platform::kExitAssociated);
    case platform::StartAction::Unassociate:
        platform::unregisterFileAssociation();
        return endNow(platform::kExitUnassociated);
    case platform::StartAction::Run:
        break;
    }
    // A file named relative to this process's folder: the running studio, and the re-open list of
    // a later session, have another current folder.
    if (const std::string& a = s.commandLine.firstArgument; !a.empty() && a.front() != '/') {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(a, ec);
        if (!ec)
            s.commandLine.firstArgument = absolute.lexically_normal().string();
    }
    if (!s.commandLine.newInstance) {
        s.instance = std::make_unique<platform::SingleInstance>();
        if (!s.instance->becomePrimary()) {
            if (!s.instance->sendToPrimary(s.commandLine.firstArgument))
                std::fprintf(stderr, "LMB: the running studio did not take the file over.\n");
            s.instance.reset();
            return endNow(platform::kExitSecondInstance);
        }
    }
    return s;
}

} // namespace shell
