// The preprocessor's failures and its map of positions.
#include "pascal/preprocessor.h"

#include <gtest/gtest.h>
#include <map>

namespace {

pascal::PreprocessOptions withFiles(std::map<std::string, std::string> files)
{
    pascal::PreprocessOptions o;
    o.include = [files](const std::string&, const std::string& name, pascal::IncludeFile& out) {
        auto it = files.find(name);
        if (it == files.end())
            return false;
        out.text = it->second;
        return true;
    };
    return o;
}

TEST(Preprocessor, FailuresRaiseWithThePartialOutput)
{
    struct Row {
        std::string text;
        std::string message;
        int row;
    };
    const Row rows[] = {
        {"a\n{$I self.inc}\n", "Include files nested too deeply: 'self.inc'", 2},
        {"a\n{$I none.inc}\nb", "File not found: 'none.inc'", 2},
        {"a\n{$ENDIF}\n", "Unexpected {$ENDIF}", 2},
        {"{$IFDEF X}\n{$ELSE}\n{$ELSE}\n{$ENDIF}", "Unexpected {$ELSE}", 3},
        {"{$IFDEF X}\nno end", "Missing {$ENDIF}", 2},
        {"a\n{$IFDEF X", "Unterminated directive", 2},
    };
    for (const Row& row : rows) {
        try {
            pascal::preprocess(row.text, withFiles({{"self.inc", "x\n{$I self.inc}\n"}}));
            ADD_FAILURE() << row.text;
        } catch (const pascal::PreprocessError& e) {
            EXPECT_EQ(e.what(), row.message);
            EXPECT_EQ(e.row(), row.row) << row.text;
            if (row.text[0] == 'a') {
                EXPECT_EQ(e.partial().text.substr(0, 2), "a\n") << row.text;
            }
        }
    }
}

TEST(Preprocessor, IncludesDoubledOverAndOverStopAtTheSizeLimit)
{
    // each level includes the next twice: the output would double 30 times over
    std::map<std::string, std::string> files;
    for (int i = 0; i < 30; ++i) {
        std::string next = std::string("f") + std::to_string(i + 1);
        files[std::string("f") + std::to_string(i)] = std::string(1 << 16, ' ') + std::string("{$I ") + next +
                                                      std::string("}{$I ") + next + std::string("}");
    }
    files["f30"] = "x";
    EXPECT_THROW(pascal::preprocess("{$I f0}", withFiles(files)), pascal::PreprocessError);
}

TEST(Preprocessor, MapNamesFileAndRow)
{
    auto r = pascal::preprocess("line1\r\n{$I a.inc}\r\nline3 {$IFDEF NO}gone\r\n{$ENDIF}line4",
                                withFiles({{"a.inc", "inc1\ninc2\n"}}));
    EXPECT_EQ(r.text, "line1\r\ninc1\ninc2\n\r\nline3 \r\nline4");
    auto at = [&](const std::string& what) { return r.map.locate(r.text.find(what), r.text); };
    EXPECT_EQ(at("inc2").file, 1);
    EXPECT_EQ(at("inc2").row, 2);
    EXPECT_EQ(r.map.fileName(at("inc2").file), "a.inc");
    EXPECT_EQ(at("line3").file, 0);
    EXPECT_EQ(at("line3").row, 3);
    EXPECT_EQ(at("line4").row, 4);
    EXPECT_EQ(at("line4").col, 9);
    // text appended after preprocessing continues the script's rows
    std::string composed = r.text + "\r\nbegin end.";
    auto tail = r.map.locate(composed.find("begin"), composed);
    EXPECT_EQ(tail.file, 0);
    EXPECT_EQ(tail.row, 5);
    // directives inside strings and comments are not directives
    auto q = pascal::preprocess("s := '{$I x}'; // {$I y}\n(* {$I z} *)", {});
    EXPECT_EQ(q.text, "s := '{$I x}'; // {$I y}\n(* {$I z} *)");
}

} // namespace
