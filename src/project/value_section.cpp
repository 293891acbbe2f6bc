// Value section writer and reader; see value_section.h.
#include "project/value_section.h"

#include "platform/lang.h"
#include "platform/text_encoding.h"
#include "project/line_encoding.h"
#include "project/password.h"
#include "vcl/form_stream.h"
#include "vcl/typed_value_stream.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace project {
namespace {

// The moment in the user's time or date format, whether or not the program set its C locale (the
// studio does, the console tools do not).
std::string formatLocal(std::time_t t, const char* format)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    std::ostringstream out;
    try {
        out.imbue(std::locale(""));
    } catch (const std::runtime_error&) {
        // An environment naming a locale the system lacks: the classic formats.
    }
    out << std::put_time(&tm, format);
    return out.str();
}

// Reads with `fn`, turning a stream that ended early into NeedMoreBytes when more may follow.
template <typename Fn> auto guarded(bool whole, LoadFailure failure, Fn fn) -> decltype(fn())
{
    try {
        return fn();
    } catch (const vcl::StreamError& e) {
        // Only bytes that ran out call for more of the file: a damaged form is damaged in any
        // prefix, and reading on would take the whole file into memory for nothing.
        if (!whole && e.truncated())
            throw NeedMoreBytes();
        throw ProjectLoadError(failure, e.what());
    } catch (const ProjectLoadError&) {
        throw;
    } catch (const platform::Error& e) {
        throw ProjectLoadError(failure, e.what());
    }
}

void readHeader(vcl::TypedValueReader& in, ValueSection& s)
{
    in.readSignature();
    s.tag = in.readString();
    if (platform::equalsNoCase(s.tag, kFormatTag))
        s.extended = true;
    else if (!platform::equalsNoCase(s.tag, kOldFormatTag))
        throw ProjectLoadError(LoadFailure::BadFormat, "unknown format tag");
    if (s.extended) {
        s.isProtected = in.readBoolean();
        s.check = in.readInteger();
    }
}

// The informational rows are skipped by the studio; they are kept when they carry the expected kind.
void readInfoString(vcl::TypedValueReader& in, std::string& out)
{
    const vcl::ValueTag t = in.peekTag();
    if (t == vcl::ValueTag::String || t == vcl::ValueTag::LString || t == vcl::ValueTag::WString ||
        t == vcl::ValueTag::Utf8String)
        out = in.readString();
    else
        in.skipValue();
}

} // namespace

double toDelphiDate(std::chrono::system_clock::time_point when)
{
    const auto secs = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    const std::time_t t = static_cast<std::time_t>(secs / 1000);
    std::tm tm{};
    localtime_r(&t, &tm);
    const double local = static_cast<double>(secs) / 1000.0 + static_cast<double>(tm.tm_gmtoff);
    return local / 86400.0 + 25569.0;
}

SaveStamp makeSaveStamp(std::string_view programVersion, std::chrono::system_clock::time_point when)
{
    SaveStamp s;
    s.banner =
        "Lumeni Zarerud Project - Get your free copy of Lumeni Zarerud from " + std::string(kMakerAddress);
    s.creator = platform::formatMessage(platform::GetLangString("SCOPY"), {programVersion});
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    s.saved = platform::formatMessage(platform::GetLangString("SSAVEDON"),
                                      {formatLocal(t, "%X"), formatLocal(t, "%x")});
    s.savedDate = toDelphiDate(when);
    return s;
}

PasswordFields passwordFieldsOf(const Project& project)
{
    return {!project.password.empty(), PasswordChecksum(project.password)};
}

std::string writeValueSection(const Project& project, const SaveStamp& stamp,
                              const std::function<void(int)>& linePercent,
                              const std::optional<PasswordFields>& fields)
{
    const PasswordFields pw = fields ? *fields : passwordFieldsOf(project);
    std::string out;
    vcl::TypedValueWriter w(out);
    w.writeSignature();
    w.writeString(kFormatTag);
    w.writeBoolean(pw.isProtected);
    w.writeInteger(pw.check);
    w.writeInteger(0);
    w.writeString("");
    w.writeInteger(0);
    w.writeString("");
    w.writeInteger(kFormatVersion);
    w.writeInteger(kFormatVersion);
    w.writeString(stamp.banner);
    w.writeString(stamp.creator);
    w.writeString(stamp.saved);
    w.writeDate(stamp.savedDate);
    w.writeString("");
    w.writeString("");
    w.writeBytes(project.formStream);
    const auto n = project.lines.size();
    w.writeInteger(static_cast<int64_t>(n));
    for (size_t i = 0; i < n; ++i) {
        w.writeString(encodeLine(project.lines[i]));
        if (linePercent)
            linePercent(static_cast<int>((i + 1) * 100 / n));
    }
    for (const auto& b : project.bookmarks) {
        w.writeInteger(b.isSet() ? b.x : -1);
        w.writeInteger(b.isSet() ? b.y : -1);
    }
    w.writeBoolean(true);
    return out;
}

ValueSection readValueSectionHeader(std::string_view bytes, bool whole)
{
    return guarded(whole, LoadFailure::BadFormat, [&] {
        ValueSection s;
        vcl::TypedValueReader in(bytes);
        readHeader(in, s);
        return s;
    });
}

ValueSection readValueSection(std::string_view bytes, bool whole, const std::function<void(int)>& linePercent)
{
    ValueSection s;
    vcl::TypedValueReader in(bytes);
    guarded(whole, LoadFailure::BadFormat, [&] {
        readHeader(in, s);
        return 0;
    });
    return guarded(whole, LoadFailure::Damaged, [&] {
        if (s.extended) {
            for (int row = 5; row <= 8; ++row)
                in.skipValue();
        }
        s.version = in.readInteger();
        if (s.version > kFormatVersion)
            throw ProjectLoadError(LoadFailure::VersionTooNew, "Version Error");
        if (in.peekTag() == vcl::ValueTag::Int64)
            in.skipValue();
        else if (vcl::ValueTag t = in.peekTag(); t >= vcl::ValueTag::Int8 && t <= vcl::ValueTag::Int32)
            s.version2 = in.readInteger();
        else
            in.skipValue();
        readInfoString(in, s.banner);
        readInfoString(in, s.creator);
        readInfoString(in, s.saved);
        if (in.peekTag() == vcl::ValueTag::Date)
            s.savedDate = in.readDate();
        else
            in.skipValue();
        in.skipValue();
        in.skipValue();

        // The whole form is read, so that a file whose form the designer could not build is refused
        // here; the bytes are kept as they were stored.
        const size_t formBegin = in.position();
        const auto form = vcl::readFormStream(in);
        s.formClass = form->classInfo().name;
        s.formName = form->name();
        s.formStream.assign(bytes.substr(formBegin, in.position() - formBegin));

        const int32_t n = in.readInteger();
        // Each line takes at least a tag and a length byte.
        if (n < 0)
            in.fail("negative line count");
        if (static_cast<uint64_t>(n) > in.remaining() / 2)
            in.failTruncated("more lines counted than the bytes can hold", in.position());
        s.lines.reserve(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
            s.lines.push_back(platform::ansiToUtf8(decodeLine(in.readString())));
            if (linePercent)
                linePercent(static_cast<int>((int64_t(i) + 1) * 100 / n));
        }
        for (auto& b : s.bookmarks) {
            const int32_t x = in.readInteger();
            const int32_t y = in.readInteger();
            if (x != -1 && y != -1)
                b = Bookmark{x, y};
        }
        s.end = in.position();
        // Older writers end after the bookmarks: no flag means no archives.
        try {
            s.archivesFollow = in.readBoolean();
            s.end = in.position();
        } catch (const vcl::StreamError& e) {
            if (!whole && e.truncated())
                throw NeedMoreBytes();
            s.archivesFollow = false;
        }
        return s;
    });
}

} // namespace project
