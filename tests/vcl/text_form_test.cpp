// The text notation of component streams: values both ways, long strings, other writers' text, errors.
#include "vcl/text_form.h"
#include "vcl/typed_value_stream.h"
#include "vcl_test_util.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vcl;

namespace {

// A one-object stream whose only property holds `v`.
std::string streamWith(const Value& v)
{
    std::string out;
    TypedValueWriter w(out);
    w.setWideForNonAscii(true);
    w.writeSignature();
    w.writeShortString("TForm");
    w.writeShortString("F");
    w.writeShortString("P");
    w.writeValue(v);
    w.writeListEnd();
    w.writeListEnd();
    return out;
}

std::string textOf(const Value& v)
{
    return componentStreamToText(streamWith(v), "\n");
}

Value valueOfText(const std::string& propertyText)
{
    const std::string bin = textToComponentStream("object F: TForm\n  P = " + propertyText + "\nend\n");
    TypedValueReader in(bin);
    in.readSignature();
    in.readShortString();
    in.readShortString();
    in.readShortString();
    return in.readValue();
}

} // namespace

TEST(TextForm, ValuesRoundTripThroughText)
{
    Value coll;
    coll.tag = ValueTag::Collection;
    coll.collection.push_back({std::nullopt, {{"Command", Value::integerValue(3)}}});
    coll.collection.push_back({5, {}});
    struct Row {
        Value value;
        const char* text; // as written, nullptr to check only the round trip
    } rows[] = {
        {Value::integerValue(-129), "-129"},
        {Value::integerValue(std::int64_t(1) << 40), "1099511627776"},
        {Value::string("Don't"), "'Don'#39't'"},
        {Value::string("a\r\nb"), "'a'#13#10'b'"},
        {Value::string(""), "''"},
        {Value::string("caf\xC3\xA9 \xF0\x9F\x98\x80"), "'caf'#233' '#55357#56832"},
        {Value::ident("clRed"), "clRed"},
        {Value::boolean(true), "True"},
        {Value::nil(), "nil"},
        {Value::set({"fsBold", "fsItalic"}), "[fsBold, fsItalic]"},
        {Value::set({}), "[]"},
        {Value::list({Value::string("a"), Value::integerValue(1)}), "(\n    'a'\n    1)"},
        {Value::list({}), "()"},
        {Value::binary(std::string("\x01\xAB", 2)), "{\n    01AB}"},
        {Value::binary(""), "{}"},
        {Value::extended(1.0), "1.0"},
        {Value::extended(0.1), "0.1"},
        {Value::extended(-1e300), "-1e+300"},
        {Value::extended(HUGE_VAL), "INF"},
        {Value::extended(-HUGE_VAL), "-INF"},
        {Value::single(2.5f), "2.5s"},
        {Value::currency(-12345), "-1.2345c"},
        {Value::currency(20000), "2c"},
        {Value::date(36526.5), "36526.5d"},
        {coll, "<\n    item\n      Command = 3\n    end\n    item [5]\n    end>"},
        {Value::string(std::string(300, 'x')), nullptr},
        {Value::string(std::string(63, 'x') + "\xF0\x9F\x98\x80"), nullptr}, // a pair across the line break
        {Value::currency(INT64_MIN), "-922337203685477.5808c"},
    };
    for (const auto& r : rows) {
        const std::string text = textOf(r.value);
        if (r.text) {
            EXPECT_EQ(text, std::string("object F: TForm\n  P = ") + r.text + "\nend\n");
        }
        EXPECT_EQ(vcltest::firstDifference(textToComponentStream(text), streamWith(r.value)), "") << text;
    }
}

TEST(TextForm, LongStringsAreSplitAndJoined)
{
    const std::string s(150, 'a');
    const std::string text = textOf(Value::string(s));
    EXPECT_NE(text.find("P =\n    '" + std::string(64, 'a') + "' +\n    '"), std::string::npos) << text;
    EXPECT_EQ(valueOfText("'abc' +\n   'def'#33 + 'g'").text, "abcdef!g");
}

TEST(TextForm, ReadingAcceptsWhatOtherWritersProduce)
{
    EXPECT_EQ(valueOfText("'it''s'").text, "it's");
    EXPECT_EQ(valueOfText("#$41#66").text, "AB");
    EXPECT_EQ(valueOfText("'caf\xE9'").text, "caf\xC3\xA9"); // Windows-1252 literal
    EXPECT_EQ(valueOfText("'caf\xC3\xA9'").text, "caf\xC3\xA9");
    EXPECT_EQ(valueOfText("'caf\xC3\xA9'").tag, ValueTag::String); // text of every tag reads as one kind
    EXPECT_EQ(valueOfText("$FF").integer, 255);
    EXPECT_EQ(valueOfText("false").tag, ValueTag::False);
    EXPECT_EQ(valueOfText("{ 0a 0B\n 0c }").text, "\x0A\x0B\x0C");
    EXPECT_EQ(valueOfText("1.5E3").real, 1500.0);
    // A UTF-8 byte order mark, an inherited object with a child position, an unnamed object.
    const std::string bin =
        textToComponentStream("\xEF\xBB\xBFinherited F: TForm [2]\n object TPage\n end\nend");
    EXPECT_EQ(componentStreamToText(bin, "\n"), "inherited F: TForm [2]\n  object TPage\n  end\nend\n");
    EXPECT_EQ(textToComponentStreams("object A: TForm\nend\nobject B: TForm\nend\n").size(), 2u);
}

TEST(TextForm, NamesTheTextCannotHoldAreRefused)
{
    for (const char* name : {"a b", "end", "1x", "Font..Name"}) {
        std::string bin;
        TypedValueWriter w(bin);
        w.writeSignature();
        w.writeShortString("TForm");
        w.writeShortString("F");
        w.writeShortString(name);
        w.writeInteger(1);
        w.writeListEnd();
        w.writeListEnd();
        EXPECT_THROW(componentStreamToText(bin), StreamError) << name;
    }
    EXPECT_THROW(textOf(Value::ident("a-b")), StreamError);
    EXPECT_THROW(textOf(Value::set({"x y"})), StreamError);
}

TEST(TextForm, MistakesAreReportedWithLineAndColumn)
{
    struct Row {
        const char* text;
        int line, column;
        const char* message;
    } rows[] = {
        {"", 1, 1, "'object' expected"},
        {"object F: TForm\n  P = \n", 3, 1, "value expected"},
        {"object F: TForm\n  P = 'abc\nend", 2, 7, "unterminated string"},
        {"object F: TForm\n  P = {0A1}\nend", 2, 12, "odd number of digits"},
        {"object F: TForm\n  P = (1 2\nend", 3, 4, "')' expected"},
        {"object F: TForm\n  P = [a b]\nend", 2, 10, "',' or ']' expected"},
        {"object F: TForm\n  P 5\nend", 2, 5, "'=' expected"},
        {"object F: TForm\n  P = 99999999999999999999\nend", 2, 7, "number out of range"},
        {"object F: TForm\n  P = 1.23456c\nend", 2, 7, "at most four decimals"},
        {"object F: TForm\n  P = #1114112\nend", 2, 7, "character code expected"},
        {"object F: TForm\n  object G: TPanel\n", 3, 1, "'end' expected"},
        {"thing F: TForm\nend", 1, 1, "'object' expected"},
    };
    for (const auto& r : rows) {
        try {
            textToComponentStream(r.text);
            ADD_FAILURE() << r.text;
        } catch (const TextFormError& e) {
            EXPECT_EQ(e.line(), r.line) << r.text << ": " << e.what();
            EXPECT_EQ(e.column(), r.column) << r.text << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
        }
    }
}

TEST(TextForm, NestingIsBounded)
{
    std::string deep = "object F: TForm\n  P = ";
    deep += std::string(5000, '(');
    EXPECT_THROW(textToComponentStream(deep), TextFormError);
    std::string objects;
    for (int i = 0; i < 5000; ++i)
        objects += "object A: TPanel\n";
    EXPECT_THROW(textToComponentStream(objects), TextFormError);
}
