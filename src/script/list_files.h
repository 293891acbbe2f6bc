// The list files of the data folder and their lookups: the two-line event lists (ELEvents.lst,
// EventsByNames.lst), the parameter hints (ParamCompletion.lst), the identifier list (RepMaj.lst) and
// the three-line completion lists (funcs.lst, code/<Class>.lst). All are text with CR LF line ends;
// readers take LF too, valid UTF-8 as UTF-8 and other bytes as Windows-1252, and a missing file reads
// as empty.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace script {

std::vector<std::string> splitListLines(std::string_view bytes);
std::vector<std::string> readListLines(const std::filesystem::path& file);
// The text of a list file: every line followed by CR LF.
std::string joinListLines(const std::vector<std::string>& lines);

// A list of two-line records. Lookup scans every line from the top (key lines and answer lines alike)
// for the first one equal to the key without regard to case; the answer is the line after it. No equal
// line, or an equal last line, gives an empty answer.
class TwoLineList {
public:
    TwoLineList() = default;
    explicit TwoLineList(std::vector<std::string> lines);
    static TwoLineList load(const std::filesystem::path& file) { return TwoLineList(readListLines(file)); }

    std::string lookup(std::string_view key) const;
    bool containsLine(std::string_view key) const;
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    std::unordered_map<std::string, std::size_t> m_first; // upper-case line -> its first index
};

// The comma text of a string list: items separated by commas (or blanks outside quotes), an item with
// blanks, commas or quotes written in double quotes with "" for a quote.
std::vector<std::string> parseCommaText(std::string_view text);
std::string toCommaText(const std::vector<std::string>& items);

// ParamCompletion.lst: records of a function name and its parameter hint in comma text.
class ParamCompletionList {
public:
    ParamCompletionList() = default;
    explicit ParamCompletionList(const std::vector<std::string>& lines);
    static ParamCompletionList load(const std::filesystem::path& file)
    {
        return ParamCompletionList(readListLines(file));
    }

    bool knows(std::string_view functionName) const;
    // The hint items of the last entry with this name (without regard to case); empty when unknown.
    std::vector<std::string> hintFor(std::string_view functionName) const;
    const std::vector<std::string>& names() const { return m_names; }
    const std::vector<std::string>& hints() const { return m_hints; }

private:
    std::vector<std::string> m_names;
    std::vector<std::string> m_hints;
};

// funcs.lst and code/<Class>.lst: records of kind word, identifier and the text shown after it. A
// file whose line count is not a multiple of three yields a last record with empty fields.
struct CompletionRecord {
    std::string kind;
    std::string name;
    std::string remainder;
};
std::vector<CompletionRecord> readCompletionRecords(const std::vector<std::string>& lines);
std::vector<std::string> completionRecordLines(const std::vector<CompletionRecord>& records);

// The formatted display row of a record for the completion pop-up.
std::string completionDisplayRow(const CompletionRecord& record);

} // namespace script
