// Form resource files, text form files and the format test.
#include "vcl/form_file.h"

#include "platform/atomic_file.h"
#include "platform/errors.h"
#include "platform/text_encoding.h"
#include "vcl/class_registry.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"

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
    // Form files hold pictures, but nothing of a gigabyte.
    constexpr std::size_t kLargest = std::size_t(1) << 30;
    std::optional<std::string> bytes = platform::readWholeFile(path, kLargest);
    if (!bytes)
        throw platform::Error("Cannot read file \"" + path.string() + "\"");
    return std::move(*bytes);
}

void replaceFileContents(const std::filesystem::path& path, std::string_view bytes)
{
    std::string error;
    if (!platform::writeFileAtomically(path, bytes, &error))
        throw platform::Error("Cannot write file \"" + path.string() + "\": " + error);
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
