// The preprocessor: conditional text, defines and includes, with a map of where the output came from.
#include "pascal/preprocessor.h"

#include "platform/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <set>

namespace pascal {

PreprocessError::PreprocessError(const std::string& message, std::string module, int row, int col,
                                 PreprocessResult partial)
    : platform::Error(message), m_module(std::move(module)), m_row(row), m_col(col),
      m_partial(std::move(partial))
{}

namespace {

// Beyond this the output is refused: includes that include each other twice over would otherwise
// grow it without bound.
constexpr std::size_t kMaxOutput = std::size_t(64) << 20;

struct Failure {
    std::string message;
    int file;
    std::size_t offset;
};

class Preprocessor {
public:
    explicit Preprocessor(const PreprocessOptions& options) : m_options(options)
    {
        for (const auto& d : options.defines)
            m_defines.insert(platform::toUpperAscii(d));
    }

    PreprocessResult run(std::string_view text)
    {
        int file = m_result.map.addFile(std::string(), text);
        m_texts.push_back(std::string(text));
        try {
            processFile(file, m_options.mainFileName, 0);
        } catch (const Failure& f) {
            const std::string& text = m_texts[static_cast<std::size_t>(f.file)];
            LineTable lines(text);
            int row = 1, col = 1;
            lines.locate(f.offset, row, col);
            std::string module = m_result.map.fileName(f.file);
            throw PreprocessError(f.message, module, row, col, std::move(m_result));
        }
        return std::move(m_result);
    }

private:
    struct Cond {
        bool parentActive;
        bool active;
        bool elseSeen;
    };

    void emit(int file, std::string_view text, std::size_t srcOffset, std::size_t length)
    {
        if (length == 0)
            return;
        if (m_result.text.size() + length > kMaxOutput)
            throw Failure{"Preprocessed text too large", file, srcOffset};
        m_result.map.addRun(m_result.text.size(), length, file, srcOffset);
        m_result.text.append(text.substr(srcOffset, length));
    }

    // Keeps the line breaks of text that is left out, so rows stay where they were.
    void emitBreaks(int file, std::string_view text, std::size_t from, std::size_t to)
    {
        for (std::size_t i = from; i < to; ++i) {
            if (text[i] == '\n' || text[i] == '\r')
                emit(file, text, i, 1);
        }
    }

    static std::size_t skipString(std::string_view t, std::size_t i)
    {
        // t[i] == '\''; a string ends at the closing quote or, unterminated, at the line end.
        ++i;
        while (i < t.size()) {
            char c = t[i];
            if (c == '\'') {
                if (i + 1 < t.size() && t[i + 1] == '\'') {
                    i += 2;
                    continue;
                }
                return i + 1;
            }
            if (c == '\n' || c == '\r')
                return i;
            ++i;
        }
        return i;
    }

    void processFile(int file, const std::string& fileName, int depth)
    {
        // The text is kept in m_texts so that views stay valid while nested files are added.
        const std::string& textRef = m_texts[static_cast<std::size_t>(file)];
        std::string_view t = textRef;
        std::vector<Cond> conds;
        auto active = [&] { return conds.empty() || conds.back().active; };
        std::size_t runStart = 0; // start of text not yet emitted (or skipped)
        std::size_t i = 0;
        auto flush = [&](std::size_t upTo) {
            if (active())
                emit(file, t, runStart, upTo - runStart);
            else
                emitBreaks(file, t, runStart, upTo);
            runStart = upTo;
        };
        while (i < t.size()) {
            char c = t[i];
            if (c == '\'') {
                i = skipString(t, i);
            } else if (c == '/' && i + 1 < t.size() && t[i + 1] == '/') {
                while (i < t.size() && t[i] != '\n' && t[i] != '\r')
                    ++i;
            } else if (c == '{' || (c == '(' && i + 1 < t.size() && t[i + 1] == '*')) {
                bool brace = c == '{';
                std::size_t open = i;
                std::size_t bodyStart = i + (brace ? 1 : 2);
                std::size_t close = brace ? t.find('}', bodyStart) : t.find("*)", bodyStart);
                bool directive = bodyStart < t.size() && t[bodyStart] == '$';
                if (close == std::string_view::npos) {
                    if (directive) {
                        flush(open);
                        throw Failure{"Unterminated directive", file, open};
                    }
                    i = t.size(); // an unterminated comment: the compiler reports it
                    continue;
                }
                std::size_t end = close + (brace ? 1 : 2);
                if (directive &&
                    handleDirective(file, fileName, depth, t, open, bodyStart + 1, close, end, conds, flush))
                    runStart = end;
                i = end;
            } else {
                ++i;
            }
        }
        flush(t.size());
        if (!conds.empty())
            throw Failure{"Missing {$ENDIF}", file, t.size()};
    }

    template <class Flush>
    bool handleDirective(int file, const std::string& fileName, int depth, std::string_view t,
                         std::size_t open, std::size_t nameStart, std::size_t close, std::size_t end,
                         std::vector<Cond>& conds, Flush& flush)
    {
        std::size_t p = nameStart;
        while (p < close && (std::isalnum(static_cast<unsigned char>(t[p])) || t[p] == '_'))
            ++p;
        std::string name = platform::toUpperAscii(t.substr(nameStart, p - nameStart));
        std::string_view arg = t.substr(p, close - p);
        auto trim = [](std::string_view s) {
            while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
                s.remove_prefix(1);
            while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
                s.remove_suffix(1);
            return s;
        };
        arg = trim(arg);
        bool isActive = conds.empty() || conds.back().active;
        auto firstWord = [&](std::string_view s) {
            std::size_t k = 0;
            while (k < s.size() && static_cast<unsigned char>(s[k]) > ' ')
                ++k;
            return platform::toUpperAscii(s.substr(0, k));
        };

        if (name == "IFDEF" || name == "IFNDEF") {
            flush(open);
            bool defined = m_defines.count(firstWord(arg)) != 0;
            bool cond = name == "IFDEF" ? defined : !defined;
            conds.push_back(Cond{isActive, isActive && cond, false});
        } else if (name == "ELSE") {
            flush(open);
            if (conds.empty() || conds.back().elseSeen)
                throw Failure{"Unexpected {$ELSE}", file, open};
            Cond& c = conds.back();
            c.elseSeen = true;
            c.active = c.parentActive && !c.active;
        } else if (name == "ENDIF") {
            flush(open);
            if (conds.empty())
                throw Failure{"Unexpected {$ENDIF}", file, open};
            conds.pop_back();
        } else if (!isActive) {
            return false; // any other directive inside a skipped branch is skipped with it
        } else if (name == "DEFINE") {
            flush(open);
            m_defines.insert(firstWord(arg));
        } else if (name == "UNDEF") {
            flush(open);
            m_defines.erase(firstWord(arg));
        } else if ((name == "I" || name == "INCLUDE") && !arg.empty() && arg != "+" && arg != "-") {
            flush(open);
            std::string requested(arg);
            if (requested.size() >= 2 && requested.front() == '\'' && requested.back() == '\'')
                requested = requested.substr(1, requested.size() - 2);
            if (depth + 1 > m_options.maxIncludeDepth)
                throw Failure{"Include files nested too deeply: '" + requested + "'", file, open};
            IncludeFile inc;
            if (!m_options.include || !m_options.include(fileName, requested, inc))
                throw Failure{"File not found: '" + requested + "'", file, open};
            std::string path = inc.path.empty() ? requested : inc.path;
            emitBreaks(file, t, open, end); // keep rows of the directive line itself
            int sub = m_result.map.addFile(path, inc.text);
            m_texts.push_back(std::move(inc.text));
            processFile(sub, path, depth + 1);
            return true;
        } else {
            return false; // a compiler switch: passed on
        }
        emitBreaks(file, t, open, end);
        return true;
    }

    const PreprocessOptions& m_options;
    std::set<std::string> m_defines;
    std::deque<std::string> m_texts;
    PreprocessResult m_result;
};

} // namespace

PreprocessResult preprocess(std::string_view text, const PreprocessOptions& options)
{
    Preprocessor p(options);
    return p.run(text);
}

} // namespace pascal
