// Project file save and load; see project_file.h.
#include "project/project_file.h"

#include "platform/lang.h"
#include "platform/path_macros.h"
#include "platform/text_encoding.h"
#include "platform/unique_name.h"
#include "project/password.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace project {

namespace fs = std::filesystem;

namespace {

constexpr size_t kFirstPrefix = 1 << 20;

std::string lang(std::string_view key)
{
    return platform::GetLangString(key);
}

std::string withPath(std::string_view key, const fs::path& path)
{
    return platform::formatMessage(lang(key), {path.string()});
}

// The start of a file, read in growing prefixes: the value section's length is only known once it
// has been read, and it is usually a small part of a file that carries embedded files.
class FilePrefix {
public:
    explicit FilePrefix(const fs::path& path)
    {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            const int code = m_fd < 0 ? errno : EISDIR;
            if (m_fd >= 0)
                ::close(m_fd);
            m_fd = -1;
            throw ProjectLoadError(code == ENOENT ? LoadFailure::Missing : LoadFailure::BadFormat,
                                   "cannot open \"" + path.string() + "\"");
        }
        m_size = static_cast<uint64_t>(st.st_size);
    }
    ~FilePrefix()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FilePrefix(const FilePrefix&) = delete;
    FilePrefix& operator=(const FilePrefix&) = delete;

    template <typename Fn>
    auto parse(LoadFailure onReadError, Fn fn) -> decltype(fn(std::string_view(), true))
    {
        uint64_t want = std::min<uint64_t>(m_size, std::max<uint64_t>(kFirstPrefix, m_bytes.size()));
        for (;;) {
            fill(want, onReadError);
            const bool whole = m_bytes.size() == m_size;
            try {
                return fn(std::string_view(m_bytes), whole);
            } catch (const NeedMoreBytes&) {
                if (whole)
                    throw ProjectLoadError(onReadError, "unexpected end of file");
                want = std::min<uint64_t>(m_size, want * 4);
            }
        }
    }

private:
    void fill(uint64_t want, LoadFailure onReadError)
    {
        while (m_bytes.size() < want) {
            const size_t at = m_bytes.size();
            m_bytes.resize(static_cast<size_t>(want));
            const ssize_t got =
                ::pread(m_fd, m_bytes.data() + at, m_bytes.size() - at, static_cast<off_t>(at));
            if (got < 0 && errno == EINTR) {
                m_bytes.resize(at);
                continue;
            }
            if (got <= 0) {
                m_bytes.resize(at);
                // The file shrank, or a read failed: what is there is all there is.
                if (got < 0)
                    throw ProjectLoadError(onReadError, "read error");
                m_size = at;
                return;
            }
            m_bytes.resize(at + static_cast<size_t>(got));
        }
    }

    int m_fd = -1;
    uint64_t m_size = 0;
    std::string m_bytes;
};

struct DropSink final : ArchiveSink {
    Open open(const ArchiveEntry&) override { return Open::Accept; }
    void write(const void*, size_t) override {}
    void close(const ArchiveEntry&) override {}
};

class TempFile {
public:
    explicit TempFile(const fs::path& target)
    {
        const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
        for (int attempt = 0; attempt < 8; ++attempt) {
            m_path = platform::MakeUniqueName(dir, target.filename().string());
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0 || errno != EEXIST)
                break;
        }
        if (m_fd < 0)
            throwErrno("cannot create \"" + m_path.string() + "\"", errno);
    }
    ~TempFile()
    {
        if (!m_kept)
            ::unlink(m_path.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    const fs::path& path() const { return m_path; }
    void keep() { m_kept = true; }

private:
    fs::path m_path;
    int m_fd = -1;
    bool m_kept = false;
};

void syncFolder(const fs::path& file)
{
    const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string scriptTxtBytes(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        out.append(text.substr(start, end - start));
        out += "\r\n";
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return out;
}

void writeProjectFile(const fs::path& given, const Project& project, const std::string& scriptText,
                      const SaveOptions& options, Progress& progress, std::string* archiveError)
{
    try {
        // A project reached through a symbolic link is replaced where it really lives.
        std::error_code ec;
        const fs::path path = fs::is_symlink(given, ec) ? fs::canonical(given, ec) : given;
        if (path.empty())
            throw SaveError("cannot resolve \"" + given.string() + "\"");
        TempFile temp(path);
        FileWriter out(temp.release());
        out.setEarlyWriteback(true);
        progress.setText(lang("SWRITINGCOMPILEDSCRIPT"));
        progress.setText(lang("SPREPTOSAVEFORM"));
        progress.setText(lang("SSAVEOBJ"));
        progress.setText(lang("SSAVECODE"));
        const SaveStamp stamp = makeSaveStamp(options.programVersion, options.when);
        out.write(writeValueSection(
            project, stamp, [&](int pct) { progress.setPercent(pct); }, options.passwordFields));
        progress.setPercent(99);
        progress.setText(lang("SSAVEBOOKMARKS"));
        progress.setText(lang("SSavingEmbeddedFiles"));
        const PercentFn percent = [&](int pct) { progress.setPercent(pct); };
        try {
            writeArchiveBlock(out, listEmbeddedFiles(project.embeddedDir),
                              zlibLevelFor(options.compressionIndex), percent);
            ArchiveFile script;
            script.name = "script.txt";
            script.content = scriptTxtBytes(scriptText);
            script.dosTime = toDosTime(std::chrono::system_clock::to_time_t(options.when));
            writeArchiveBlock(out, {script}, 9, percent);
        } catch (const ArchiveError& e) {
            if (archiveError)
                *archiveError = e.what();
            throw;
        }
        // A replaced file keeps its permissions.
        struct stat old {};
        if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
            ::fchmod(out.fd(), old.st_mode & 07777);
        out.sync();
        out.close();
        if (::rename(temp.path().c_str(), path.c_str()) != 0)
            throwErrno("cannot replace \"" + path.string() + "\"", errno);
        temp.keep();
        syncFolder(path);
    } catch (const SaveError&) {
        throw;
    } catch (const std::exception& e) {
        throw SaveError(e.what());
    }
}

bool SaveProject(Project& project, const fs::path& path, const SaveOptions& options, Prompter& prompter,
                 Progress& progress)
{
    std::string scriptText;
    if (options.compose) {
        auto composed = options.compose(project);
        if (!composed) {
            project.modified = true;
            prompter.showMessage(lang("FailedWhenCompiling") + lang("SNOTSAVED"), lang("SERROR"),
                                 MessageIcon::Error);
            return false;
        }
        scriptText = std::move(*composed);
    }
    progress.setText(lang("SCOMPILING"));
    std::string archiveError;
    try {
        writeProjectFile(path, project, scriptText, options, progress, &archiveError);
    } catch (const SaveError&) {
        project.modified = true;
        if (!archiveError.empty())
            prompter.showMessage(archiveError, lang("SERROR"), MessageIcon::Error);
        prompter.showMessage(withPath("ErrorSaving", path), lang("SERROR"), MessageIcon::Error);
        return false;
    }
    project.modified = false;
    project.fileName = path;
    return true;
}

ProjectFileContents readProjectFile(const fs::path& path, ArchiveSink* block1Sink, ArchiveSink* block2Sink)
{
    ProjectFileContents c;
    {
        FilePrefix prefix(path);
        c.values = prefix.parse(LoadFailure::Damaged, [](std::string_view bytes, bool whole) {
            return readValueSection(bytes, whole);
        });
    }
    if (!c.values.archivesFollow)
        return c;
    DropSink drop;
    try {
        FileReader in(path, c.values.end);
        c.block1 = readArchiveBlock(in, block1Sink ? *block1Sink : drop);
        if (c.block1.complete && in.remaining() > 0)
            c.block2 = readArchiveBlock(in, block2Sink ? *block2Sink : drop);
    } catch (const IoError&) {
        c.block1.error = kCannotReadFile;
    }
    return c;
}

std::filesystem::path makeEmbeddedDir(const fs::path& tmpAppDir)
{
    std::error_code ec;
    fs::create_directories(tmpAppDir, ec);
    const fs::path dir = platform::MakeUniqueName(tmpAppDir, "Embedded");
    fs::create_directory(dir);
    return dir;
}

void renewEmbeddedDir(Project& project, const fs::path& tmpAppDir)
{
    std::error_code ec;
    if (!project.embeddedDir.empty())
        fs::remove_all(project.embeddedDir, ec);
    project.embeddedDir = makeEmbeddedDir(tmpAppDir);
    platform::setEmbeddedDir(project.embeddedDir);
}

void adoptProject(Project& current, Project&& loaded)
{
    std::error_code ec;
    if (!current.embeddedDir.empty() && current.embeddedDir != loaded.embeddedDir)
        fs::remove_all(current.embeddedDir, ec);
    current = std::move(loaded);
    platform::setEmbeddedDir(current.embeddedDir);
}

std::optional<Project> LoadProject(const fs::path& path, const LoadOptions& options, Prompter& prompter,
                                   Progress& progress)
{
    const std::string errorCaption = lang("SERROR");
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        prompter.showMessage(withPath("SCantOpenInexistentFile", path), errorCaption, MessageIcon::Error);
        return std::nullopt;
    }
    progress.setText("Please Wait...");
    progress.setPercent(0);

    Project loaded;
    fs::path embedded;
    fs::path tmpApp = options.tmpAppDir.empty() ? platform::tmpAppDir() : options.tmpAppDir;
    if (tmpApp.empty())
        tmpApp = fs::temp_directory_path(ec);
    try {
        FilePrefix prefix(path);
        const ValueSection header = prefix.parse(LoadFailure::BadFormat, [](std::string_view b, bool whole) {
            return readValueSectionHeader(b, whole);
        });
        if (header.extended && header.check != 0) {
            const std::string entered = prompter.askPassword();
            if (!passwordAccepted(header.isProtected, header.check, entered))
                throw ProjectLoadError(LoadFailure::BadPassword, "wrong password");
            loaded.password = entered;
        }
        progress.setText(lang("LOADINGCODE"));
        ValueSection values = prefix.parse(LoadFailure::Damaged, [&](std::string_view b, bool whole) {
            return readValueSection(b, whole, [&](int pct) { progress.setPercent(pct); });
        });
        progress.setText(lang("LOADINGFILE"));
        loaded.formStream = std::move(values.formStream);
        loaded.lines = std::move(values.lines);
        loaded.bookmarks = values.bookmarks;

        embedded = makeEmbeddedDir(tmpApp);
        if (values.archivesFollow) {
            progress.setText(lang("SLoadingEmbeddedFiles"));
            ArchiveResult r;
            try {
                FileReader in(path, values.end);
                r = extractArchiveBlock(in, embedded, [&](int pct) { progress.setPercent(pct); });
            } catch (const IoError&) {
                r.error = kCannotReadFile;
            }
            // Archive troubles are reported and the load goes on, as the embedded files are extras.
            for (const auto& e : r.entries) {
                if (e.skipped)
                    prompter.showMessage(kCannotReadFile, errorCaption, MessageIcon::Error);
                else if (!e.checkOk())
                    prompter.showMessage(crcFailedText((embedded / platform::ansiToUtf8(e.name)).string(),
                                                       e.storedCheck, e.computedCheck),
                                         lang("SWARNING"), MessageIcon::Warning);
            }
            if (!r.error.empty())
                prompter.showMessage(r.error, errorCaption, MessageIcon::Error);
        }
    } catch (const ProjectLoadError& e) {
        if (!embedded.empty())
            fs::remove_all(embedded, ec);
        switch (e.failure()) {
        case LoadFailure::Missing:
            prompter.showMessage(withPath("SCantOpenInexistentFile", path), errorCaption, MessageIcon::Error);
            break;
        case LoadFailure::BadFormat:
            prompter.showMessage(withPath("SBADFORMAT", path), errorCaption, MessageIcon::Error);
            break;
        case LoadFailure::BadPassword:
            prompter.showMessage(lang("SBADPASS"), errorCaption, MessageIcon::Error);
            break;
        case LoadFailure::VersionTooNew:
            prompter.showMessage(platform::formatMessage(lang("SFORNEWVERSIONOFEDITOR"),
                                                         {path.string(), std::string(kMakerAddress)}),
                                 lang("SOUTOFDATE"), MessageIcon::Warning);
            [[fallthrough]];
        case LoadFailure::Damaged:
            prompter.showMessage(withPath("SERORLOADINGPROJ", path), errorCaption, MessageIcon::Error);
            break;
        }
        return std::nullopt;
    } catch (const std::exception&) {
        if (!embedded.empty())
            fs::remove_all(embedded, ec);
        prompter.showMessage(withPath("SERORLOADINGPROJ", path), errorCaption, MessageIcon::Error);
        return std::nullopt;
    }
    loaded.embeddedDir = embedded;
    loaded.fileName = path;
    loaded.modified = false;
    return loaded;
}

} // namespace project
