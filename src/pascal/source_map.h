// Where each byte of a preprocessed text came from.
//
// The preprocessor copies runs of the original files into its output; the map records each run, so a
// position in the compiled text (a message, a run-time error) can be named by its file and its row and
// column in that file. Positions of the script itself are rows of the editor's text. Positions past the
// last run (text a host appended, such as a generated main block) continue the rows of the script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pascal {

struct SourceLocation {
    int file = 0;           // 0 = the script itself, else an include file (SourceMap::fileName)
    std::size_t offset = 0; // byte offset in that file
    int row = 1;            // 1-based
    int col = 1;            // 1-based, in bytes
};

// Rows and columns of one text. Line breaks are CR LF, LF or a lone CR.
class LineTable {
public:
    LineTable() = default;
    explicit LineTable(std::string_view text);
    // Row and column (1-based) of a byte offset; offsets past the end count from the last line.
    void locate(std::size_t offset, int& row, int& col) const;
    std::size_t lineCount() const { return m_starts.size(); }

private:
    std::vector<std::size_t> m_starts{0};
};

class SourceMap {
public:
    // Files are added by the preprocessor; file 0 is the script itself (its name may be empty).
    int addFile(std::string name, std::string_view text);
    // Output bytes [outStart, outStart + length) are a copy of file bytes starting at srcOffset.
    void addRun(std::size_t outStart, std::size_t length, int file, std::size_t srcOffset);

    // Where an output offset came from. Without any run, the output is taken as the script itself.
    // Offsets past the last run are counted on in outputText (the whole compiled text).
    SourceLocation locate(std::size_t outOffset, std::string_view outputText = {}) const;

    // The module name of a file as messages show it: empty for the script itself.
    const std::string& fileName(int file) const;
    std::size_t fileCount() const { return m_files.size(); }
    bool empty() const { return m_runs.empty(); }

private:
    struct File {
        std::string name;
        LineTable lines;
        std::size_t length = 0;
    };
    struct Run {
        std::size_t outStart, length;
        int file;
        std::size_t srcOffset;
    };
    std::vector<File> m_files;
    std::vector<Run> m_runs;
};

} // namespace pascal
