// JSON, form text and failure texts for lmbtool's project commands; see project_json.h.
#include "lmbtool/project_json.h"

#include "platform/lang.h"
#include "platform/text_encoding.h"
#include "vcl/text_form.h"

#include <cmath>
#include <cstdio>

namespace lmbtool {

std::string jsonString(std::string_view s)
{
    const std::string utf8 = platform::isValidUtf8(s) ? std::string(s) : platform::ansiToUtf8(s);
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back())
            m_out += ',';
        m_first.back() = false;
    }
}

void JsonWriter::beginObject()
{
    separate();
    m_out += '{';
    m_first.push_back(true);
}

void JsonWriter::endObject()
{
    m_first.pop_back();
    m_out += '}';
}

void JsonWriter::beginArray()
{
    separate();
    m_out += '[';
    m_first.push_back(true);
}

void JsonWriter::endArray()
{
    m_first.pop_back();
    m_out += ']';
}

void JsonWriter::key(std::string_view name)
{
    separate();
    m_out += jsonString(name);
    m_out += ':';
    m_afterKey = true;
}

void JsonWriter::value(std::string_view text)
{
    separate();
    m_out += jsonString(text);
}

void JsonWriter::value(int64_t number)
{
    separate();
    m_out += std::to_string(number);
}

void JsonWriter::value(double number)
{
    separate();
    if (!std::isfinite(number)) {
        m_out += "null";
        return;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", number);
    m_out += buf;
}

void JsonWriter::value(bool flag)
{
    separate();
    m_out += flag ? "true" : "false";
}

void JsonWriter::null()
{
    separate();
    m_out += "null";
}

const Json* Json::find(std::string_view name) const
{
    for (const auto& [k, v] : members)
        if (k == name)
            return &v;
    return nullptr;
}

namespace {

class JsonParser {
public:
    explicit JsonParser(std::string_view s) : m_s(s) {}

    Json document()
    {
        Json v = value(0);
        space();
        if (m_pos != m_s.size())
            fail("text after the value");
        return v;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw platform::Error("JSON error at offset " + std::to_string(m_pos) + ": " + what);
    }
    void space()
    {
        while (m_pos < m_s.size() &&
               (m_s[m_pos] == ' ' || m_s[m_pos] == '\n' || m_s[m_pos] == '\r' || m_s[m_pos] == '\t'))
            ++m_pos;
    }
    bool take(char c)
    {
        space();
        if (m_pos < m_s.size() && m_s[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    void expect(char c)
    {
        if (!take(c))
            fail(std::string("'") + c + "' expected");
    }
    bool word(std::string_view w)
    {
        if (m_s.substr(m_pos, w.size()) == w) {
            m_pos += w.size();
            return true;
        }
        return false;
    }
    void appendUtf8(std::string& out, uint32_t cp)
    {
        std::u16string one;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            one += static_cast<char16_t>(0xD800 + (cp >> 10));
            one += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            one += static_cast<char16_t>(cp);
        }
        out += platform::utf16ToUtf8(one);
    }
    uint32_t hex4()
    {
        if (m_pos + 4 > m_s.size())
            fail("bad \\u escape");
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_s[m_pos++];
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= uint32_t(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= uint32_t(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= uint32_t(c - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return v;
    }
    std::string string()
    {
        expect('"');
        std::string out;
        while (true) {
            if (m_pos >= m_s.size())
                fail("unterminated string");
            const char c = m_s[m_pos++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_s.size())
                fail("unterminated string");
            const char e = m_s[m_pos++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                uint32_t cp = hex4();
                if (cp >= 0xD800 && cp < 0xDC00 && word("\\u")) {
                    const uint32_t lo = hex4();
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                }
                appendUtf8(out, cp);
                break;
            }
            default:
                fail("bad escape");
            }
        }
    }
    Json value(int depth)
    {
        if (depth > 64)
            fail("nested too deeply");
        space();
        Json v;
        if (m_pos >= m_s.size())
            fail("value expected");
        const char c = m_s[m_pos];
        if (c == '{') {
            ++m_pos;
            v.kind = Json::Kind::Object;
            if (take('}'))
                return v;
            do {
                space();
                std::string k = string();
                expect(':');
                v.members.emplace_back(std::move(k), value(depth + 1));
            } while (take(','));
            expect('}');
        } else if (c == '[') {
            ++m_pos;
            v.kind = Json::Kind::Array;
            if (take(']'))
                return v;
            do
                v.items.push_back(value(depth + 1));
            while (take(','));
            expect(']');
        } else if (c == '"') {
            v.kind = Json::Kind::String;
            v.text = string();
        } else if (word("true")) {
            v.kind = Json::Kind::Bool;
            v.flag = true;
        } else if (word("false")) {
            v.kind = Json::Kind::Bool;
        } else if (word("null")) {
            v.kind = Json::Kind::Null;
        } else {
            const size_t start = m_pos;
            while (m_pos < m_s.size() &&
                   std::string_view("+-0123456789.eE").find(m_s[m_pos]) != std::string_view::npos)
                ++m_pos;
            if (start == m_pos)
                fail("value expected");
            const std::string num(m_s.substr(start, m_pos - start));
            char* end = nullptr;
            v.kind = Json::Kind::Number;
            v.number = std::strtod(num.c_str(), &end);
            if (end != num.c_str() + num.size())
                fail("bad number");
            v.integer = static_cast<int64_t>(std::strtoll(num.c_str(), nullptr, 10));
        }
        return v;
    }

    std::string_view m_s;
    size_t m_pos = 0;
};

} // namespace

Json parseJson(std::string_view text)
{
    return JsonParser(text).document();
}

std::string formStreamToText(std::string_view stream)
{
    return vcl::componentStreamToText(stream, "\n");
}

std::string loadFailureText(project::LoadFailure failure, const std::filesystem::path& path)
{
    using project::LoadFailure;
    const std::string p = path.string();
    switch (failure) {
    case LoadFailure::Missing:
        return platform::formatMessage(platform::GetLangString("SCantOpenInexistentFile"), {p});
    case LoadFailure::BadFormat:
        return platform::formatMessage(platform::GetLangString("SBADFORMAT"), {p});
    case LoadFailure::BadPassword:
        return platform::GetLangString("SBADPASS");
    case LoadFailure::VersionTooNew:
        return platform::formatMessage(platform::GetLangString("SFORNEWVERSIONOFEDITOR"),
                                       {p, std::string(project::kMakerAddress)});
    case LoadFailure::Damaged:
        break;
    }
    return platform::formatMessage(platform::GetLangString("SERORLOADINGPROJ"), {p});
}

} // namespace lmbtool
