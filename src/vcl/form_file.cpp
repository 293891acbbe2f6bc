// Form resource files, text form files and the format test.
#include "vcl/form_file.h"

#include "platform/errors.h"
#include "platform/text_encoding.h"
#include "vcl/class_registry.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace vcl {

namespace {

constexpr std::uint16_t kResourceType = 10; // RCDATA
constexpr std::uint16_t kResourceFlags = 0x1030;

bool startsWithWord(std::string_view s, std::string_view word)
{
    if (s.size() < word.size() || !platform::equalsNoCase(s.substr(0, word.size()), word))
        return false;
    return s.size() == word.size() || s[word.size()] == ' ' || s[word.size()] == '\t' ||
           s[word.size()] == '\r' || s[word.size()] == '\n';
}

} // namespace

FormFileFormat detectFormFileFormat(std::string_view bytes)
{
    if (!bytes.empty() && static_cast<unsigned char>(bytes[0]) == 0xFF)
        return FormFileFormat::Resource;
    if (bytes.substr(0, 4) == kStreamSignature)
        return FormFileFormat::Stream;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::size_t i = 0;
    while (i < bytes.size() && i < 4096 &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\v'))
        ++i;
    bytes.remove_prefix(i);
    if (startsWithWord(bytes, "object") || startsWithWord(bytes, "inherited") ||
        startsWithWord(bytes, "inline"))
        return FormFileFormat::Text;
    return FormFileFormat::Unknown;
}

std::string formResourceHeader(std::string_view className, std::size_t streamSize)
{
    if (streamSize > UINT32_MAX)
        throw platform::Error("Form too large for a form file");
    std::string h;
    TypedValueWriter w(h);
    w.writeU8(0xFF);
    w.writeU16(kResourceType);
    w.writeBytes(platform::toUpperAscii(className));
    w.writeU8(0);
    w.writeU16(kResourceFlags);
    w.writeU32(static_cast<std::uint32_t>(streamSize));
    return h;
}

std::string_view formResourceStream(std::string_view bytes)
{
    TypedValueReader in(bytes);
    if (in.readU8() != 0xFF || in.readU16() != kResourceType)
        in.failAt("not a form resource", 0);
    // The name ends with a zero byte; resource names are short, so look no further than 256 bytes.
    const std::size_t nameStart = in.position();
    const std::size_t zero = bytes.find('\0', nameStart);
    if (zero == std::string_view::npos || zero - nameStart > 256)
        in.failAt("resource name without end", nameStart);
    in.seek(zero + 1);
    in.readU16(); // memory flags
    const std::size_t sizePos = in.position();
    const std::uint32_t size = in.readU32();
    if (size > in.remaining())
        in.failAt("resource size " + std::to_string(size) + " runs past the end of the file", sizePos);
    return bytes.substr(in.position(), size);
}

std::string writeFormResource(const Component& root)
{
    const std::string stream = writeComponentStream(root);
    return formResourceHeader(root.classInfo().name, stream.size()) + stream;
}

std::string writeTextForm(const Component& root)
{
    return componentStreamToText(writeComponentStream(root), "\r\n");
}

std::unique_ptr<Component> readFormFileBytes(std::string_view bytes)
{
    switch (detectFormFileFormat(bytes)) {
    case FormFileFormat::Resource: {
        const std::string_view stream = formResourceStream(bytes);
        TypedValueReader in(stream, static_cast<std::uint64_t>(stream.data() - bytes.data()));
        return readFormStream(in);
    }
    case FormFileFormat::Stream:
        return readFormStream(bytes);
    case FormFileFormat::Text: {
        const std::string binary = textToComponentStream(bytes);
        TypedValueReader in(binary);
        auto form = readFormStream(in);
        if (!in.atEnd())
            throw platform::Error("The text form holds more than one form");
        return form;
    }
    case FormFileFormat::Unknown:
        break;
    }
    throw platform::Error("Not a form file");
}

std::string readWholeFile(const std::filesystem::path& path)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw platform::Error("Cannot open file \"" + path.string() + "\"");
    std::string bytes;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size < (std::uintmax_t(1) << 31))
        bytes.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    while (f.read(buffer, sizeof buffer) || f.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(f.gcount()));
    if (f.bad())
        throw platform::Error("Cannot read file \"" + path.string() + "\"");
    return bytes;
}

void replaceFileContents(const std::filesystem::path& path, std::string_view bytes)
{
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path dir =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name(1, '.');
        name += path.filename().string();
        name += '.';
        name += std::to_string(::getpid());
        name += '.';
        name += std::to_string(counter++);
        name += ".tmp";
        temp = dir / name;
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw platform::Error("Cannot create a file in \"" + dir.string() + "\": " + std::strerror(errno));
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    const int savedErrno = errno;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int e = ok ? errno : savedErrno;
        ::unlink(temp.c_str());
        throw platform::Error("Cannot write file \"" + path.string() + "\": " + std::strerror(e));
    }
}

std::unique_ptr<Component> loadFormFile(const std::filesystem::path& path)
{
    return readFormFileBytes(readWholeFile(path));
}

void saveFormFile(const std::filesystem::path& path, const Component& root, FormFileFormat format)
{
    switch (format) {
    case FormFileFormat::Resource:
        replaceFileContents(path, writeFormResource(root));
        return;
    case FormFileFormat::Stream:
        replaceFileContents(path, writeComponentStream(root));
        return;
    case FormFileFormat::Text:
        replaceFileContents(path, writeTextForm(root));
        return;
    case FormFileFormat::Unknown:
        break;
    }
    throw platform::Error("No form file format chosen");
}

} // namespace vcl
