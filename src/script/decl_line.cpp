// A small tokenizer and parser for declaration lines. It knows only what the tables use: a keyword,
// an optional name, an optional parameter list of groups with var/const/out, an optional result.
#include "script/decl_line.h"

#include "platform/text_encoding.h"

#include <cctype>

namespace script {

namespace {

bool isIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Tokens: identifiers, and the punctuation ( ) : ; , [ ] . as one-character tokens.
std::vector<std::string> tokenize(std::string_view text, bool& ok)
{
    std::vector<std::string> out;
    ok = true;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (isIdentStart(c)) {
            std::size_t j = i;
            while (j < text.size() && isIdentChar(text[j]))
                ++j;
            out.emplace_back(text.substr(i, j - i));
            i = j;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t j = i;
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            out.emplace_back(text.substr(i, j - i));
            i = j;
        } else if (std::string_view("():;,[].").find(c) != std::string_view::npos) {
            out.emplace_back(1, c);
            ++i;
        } else {
            ok = false;
            return out;
        }
    }
    return out;
}

bool isWord(const std::string& token, std::string_view word)
{
    return platform::equalsNoCase(token, word);
}

} // namespace

int Signature::paramCount() const
{
    int n = 0;
    for (const auto& g : params)
        n += static_cast<int>(g.names.size());
    return n;
}

std::string Signature::paramText() const
{
    if (params.empty())
        return {};
    std::string out = "(";
    for (std::size_t i = 0; i < params.size(); ++i) {
        const auto& g = params[i];
        if (i)
            out += "; ";
        if (!g.modifier.empty())
            out += g.modifier + " ";
        for (std::size_t k = 0; k < g.names.size(); ++k)
            out += (k ? ", " : "") + g.names[k];
        out += ": " + g.type;
    }
    return out + ")";
}

std::vector<std::string> Signature::paramItems() const
{
    std::vector<std::string> items;
    for (const auto& g : params)
        for (const auto& n : g.names)
            items.push_back((g.modifier.empty() ? "" : g.modifier + " ") + n + ": " + g.type + ";");
    if (!items.empty())
        items.back().pop_back();
    return items;
}

std::optional<Signature> parseSignature(std::string_view text)
{
    bool ok = false;
    const auto t = tokenize(text, ok);
    if (!ok || t.empty())
        return std::nullopt;
    Signature sig;
    std::size_t i = 0;
    if (isWord(t[i], "procedure") || isWord(t[i], "function") || isWord(t[i], "constructor"))
        sig.keyword = platform::toLowerAscii(t[i++]);
    else
        return std::nullopt;
    if (i < t.size() && isIdentStart(t[i][0]))
        sig.name = t[i++];
    if (i < t.size() && t[i] == "(") {
        ++i;
        while (i < t.size() && t[i] != ")") {
            ParamGroup g;
            if (isWord(t[i], "var") || isWord(t[i], "const") || isWord(t[i], "out"))
                g.modifier = platform::toLowerAscii(t[i++]);
            while (i < t.size() && isIdentStart(t[i][0])) {
                g.names.push_back(t[i++]);
                if (i < t.size() && t[i] == ",")
                    ++i;
                else
                    break;
            }
            if (g.names.empty() || i >= t.size() || t[i] != ":")
                return std::nullopt;
            ++i;
            // The type runs to the next ";" or ")" at this level: "array of Variant", "array [0..2] of X".
            std::string type;
            int depth = 0;
            while (i < t.size() && (depth > 0 || (t[i] != ";" && t[i] != ")"))) {
                if (t[i] == "[")
                    ++depth;
                if (t[i] == "]")
                    --depth;
                const bool glue =
                    type.empty() || t[i] == "." || t[i] == "]" || type.back() == '[' || type.back() == '.';
                type += (glue ? "" : " ") + t[i++];
            }
            if (type.empty())
                return std::nullopt;
            g.type = type;
            sig.params.push_back(std::move(g));
            if (i < t.size() && t[i] == ";")
                ++i;
        }
        if (i >= t.size())
            return std::nullopt;
        ++i; // ")"
    }
    if (i < t.size() && t[i] == ":") {
        ++i;
        if (i >= t.size() || !isIdentStart(t[i][0]))
            return std::nullopt;
        sig.result = t[i++];
    }
    if (sig.keyword == "function" && sig.result.empty())
        return std::nullopt;
    while (i < t.size() && t[i] == ";")
        ++i;
    // Trailing directives of methods ("virtual", "override") are not used in the tables.
    if (i != t.size())
        return std::nullopt;
    return sig;
}

} // namespace script
