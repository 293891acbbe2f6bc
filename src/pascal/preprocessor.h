// The preprocessor of the script language: {$I name} / {$INCLUDE name}, {$DEFINE X}, {$UNDEF X},
// {$IFDEF X}, {$IFNDEF X}, {$ELSE}, {$ENDIF}.
//
// It never reads files: include directives go to the include callback, which answers with the text.
// Directives and the text of skipped branches are left out of the output, but their line breaks are
// kept, so rows of the script stay rows of the editor's text until the first include. Every other
// directive ({$B-}, {$R+} ...) is passed on to the compiler unchanged. Comments and string literals
// are skipped over, so a "{$" inside them is no directive.
//
// A failure (an include the callback cannot give, includes nested too deeply, an unbalanced
// {$ELSE}/{$ENDIF}, an unterminated directive) raises PreprocessError, which carries the output made
// so far: the studio goes on with that partial text.
#pragma once

#include "pascal/source_map.h"
#include "platform/errors.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pascal {

struct IncludeFile {
    std::string text; // the file's contents
    // The file's name as messages name it and as the next include inside it gets as including file
    // (a resolved path, typically). Empty means the requested name.
    std::string path;
};

// Asked for each include directive with the name of the including file (empty for the script itself
// when it has no name) and the requested name. Returns false when there is no such file.
using IncludeCallback =
    std::function<bool(const std::string& includingFile, const std::string& fileName, IncludeFile& out)>;

struct PreprocessResult {
    std::string text;
    SourceMap map;
};

class PreprocessError : public platform::Error {
public:
    PreprocessError(const std::string& message, std::string module, int row, int col,
                    PreprocessResult partial);
    const std::string& module() const { return m_module; }
    int row() const { return m_row; }
    int col() const { return m_col; }
    // The output made up to the failure.
    const PreprocessResult& partial() const { return m_partial; }

private:
    std::string m_module;
    int m_row, m_col;
    PreprocessResult m_partial;
};

struct PreprocessOptions {
    std::string mainFileName;         // the script's own name, handed to the include callback
    std::vector<std::string> defines; // symbols defined at the start
    IncludeCallback include;          // no callback: every include fails
    int maxIncludeDepth = 32;
};

PreprocessResult preprocess(std::string_view text, const PreprocessOptions& options);

} // namespace pascal
