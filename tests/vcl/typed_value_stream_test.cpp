// The typed-value stream: writing rules, reading rules, skipping, extended floats, malformed input.
#include "vcl/typed_value_stream.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace vcl;

namespace {

std::string bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b)
        s.push_back(static_cast<char>(c));
    return s;
}

std::string written(const std::function<void(TypedValueWriter&)>& f, bool wide = false)
{
    std::string out;
    TypedValueWriter w(out);
    w.setWideForNonAscii(wide);
    f(w);
    return out;
}

} // namespace

TEST(TypedValueStream, WriterPicksTheSmallestTags)
{
    struct Row {
        std::function<void(TypedValueWriter&)> write;
        std::string expected;
    } rows[] = {
        {[](auto& w) { w.writeInteger(0); }, bytes({2, 0})},
        {[](auto& w) { w.writeInteger(-128); }, bytes({2, 0x80})},
        {[](auto& w) { w.writeInteger(128); }, bytes({3, 0x80, 0})},
        {[](auto& w) { w.writeInteger(-32768); }, bytes({3, 0, 0x80})},
        {[](auto& w) { w.writeInteger(32768); }, bytes({4, 0, 0x80, 0, 0})},
        {[](auto& w) { w.writeInteger(-1); }, bytes({2, 0xFF})},
        {[](auto& w) { w.writeInteger(INT32_MIN); }, bytes({4, 0, 0, 0, 0x80})},
        {[](auto& w) { w.writeInteger(std::int64_t(1) << 32); }, bytes({19, 0, 0, 0, 0, 1, 0, 0, 0})},
        {[](auto& w) { w.writeBoolean(true); }, bytes({9})},
        {[](auto& w) { w.writeBoolean(false); }, bytes({8})},
        {[](auto& w) { w.writeString("ab"); }, bytes({6, 2, 'a', 'b'})},
        {[](auto& w) { w.writeString(""); }, bytes({6, 0})},
        {[](auto& w) { w.writeIdent("clRed"); }, bytes({7, 5, 'c', 'l', 'R', 'e', 'd'})},
        {[](auto& w) { w.writeExtended(1.0); }, bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        {[](auto& w) { w.writeExtended(-2.5); }, bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0})},
        {[](auto& w) { w.writeSingle(1.0f); }, bytes({15, 0, 0, 0x80, 0x3F})},
        {[](auto& w) { w.writeCurrency(12345); }, bytes({16, 0x39, 0x30, 0, 0, 0, 0, 0, 0})},
        {[](auto& w) { w.writeDate(1.5); }, bytes({17, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F})},
        {[](auto& w) { w.writeBinary("xy"); }, bytes({10, 2, 0, 0, 0, 'x', 'y'})},
        {[](auto& w) {
             w.writeSet({"fsBold", "x"});
         },
         bytes({11, 6, 'f', 's', 'B', 'o', 'l', 'd', 1, 'x', 0})},
        {[](auto& w) { w.writeSet({}); }, bytes({11, 0})},
        {[](auto& w) { w.writeWideString("\xC3\xA9"); }, bytes({18, 1, 0, 0, 0, 0xE9, 0})},
        {[](auto& w) { w.writeUtf8String("\xC3\xA9"); }, bytes({20, 2, 0, 0, 0, 0xC3, 0xA9})},
        {[](auto& w) { w.writeNil(); }, bytes({13})},
    };
    for (const auto& row : rows)
        EXPECT_EQ(written(row.write), row.expected);
}

TEST(TypedValueStream, StringsSwitchToLStringAfter255BytesAndToWideInFormMode)
{
    const std::string s255(255, 'a'), s256(256, 'a');
    EXPECT_EQ(written([&](auto& w) { w.writeString(s255); }), bytes({6, 255}) + s255);
    EXPECT_EQ(written([&](auto& w) { w.writeString(s256); }), bytes({12, 0, 1, 0, 0}) + s256);
    // Project-file mode keeps UTF-8 bytes; form mode turns non-ASCII text into WString.
    EXPECT_EQ(written([](auto& w) { w.writeString("\xE2\x82\xAC"); }), bytes({6, 3, 0xE2, 0x82, 0xAC}));
    EXPECT_EQ(written([](auto& w) { w.writeString("\xE2\x82\xAC"); }, true),
              bytes({18, 1, 0, 0, 0, 0xAC, 0x20}));
    EXPECT_EQ(written([](auto& w) { w.writeString("plain"); }, true), bytes({6, 5}) + "plain");
}

TEST(TypedValueStream, ReaderAcceptsEveryIntegerAndStringForm)
{
    struct Row {
        std::string in;
        std::int64_t value;
    } ints[] = {{bytes({2, 0xFE}), -2},
                {bytes({3, 0x34, 0x12}), 0x1234},
                {bytes({4, 0xFF, 0xFF, 0xFF, 0x7F}), INT32_MAX}};
    for (const auto& r : ints) {
        TypedValueReader rd(r.in);
        EXPECT_EQ(rd.readInteger(), r.value);
        EXPECT_TRUE(rd.atEnd());
    }
    const std::string int64 = bytes({19, 1, 0, 0, 0, 1, 0, 0, 0});
    TypedValueReader big(int64);
    EXPECT_THROW(TypedValueReader(big.data()).readInteger(), StreamError); // 64-bit is not an Integer
    EXPECT_EQ(big.readInt64(), (std::int64_t(1) << 32) + 1);

    struct Text {
        std::string in;
        std::string utf8;
    } texts[] = {
        {bytes({6, 3}) + "abc", "abc"},
        {bytes({12, 2, 0, 0, 0}) + "hi", "hi"},
        {bytes({6, 4}) + "caf\xE9", "caf\xC3\xA9"},                            // Windows-1252 from Windows
        {bytes({18, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80"}, // surrogate pair
        {bytes({20, 2, 0, 0, 0, 0xC3, 0xA9}), "\xC3\xA9"},
    };
    for (const auto& t : texts) {
        TypedValueReader rd(t.in);
        EXPECT_EQ(rd.readString(), t.utf8);
        EXPECT_TRUE(rd.atEnd());
    }
    const std::string identBytes = bytes({7, 2, 'a', 'b', 8, 9, 13, 0});
    TypedValueReader idents(identBytes);
    EXPECT_EQ(idents.readIdent(), "ab");
    EXPECT_EQ(idents.readIdent(), "False");
    EXPECT_EQ(idents.readIdent(), "True");
    EXPECT_EQ(idents.readIdent(), "nil");
    EXPECT_EQ(idents.readIdent(), "Null");
    const std::string floatBytes =
        bytes({2, 7, 5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F, 16, 0x10, 0x27, 0, 0, 0, 0, 0, 0});
    TypedValueReader floats(floatBytes);
    EXPECT_EQ(floats.readFloat(), 7.0);
    EXPECT_EQ(floats.readFloat(), 1.0);
    EXPECT_EQ(floats.readCurrency(), 10000);
}

TEST(TypedValueStream, ExtendedConversionCoversTheWholeRange)
{
    const double cases[] = {0.0,   -0.0,     1.0,      0.1, -3.75e300, 5e-324, 2.2250738585072014e-308,
                            1e308, HUGE_VAL, -HUGE_VAL};
    for (double d : cases) {
        unsigned char b[10];
        doubleToExtended(d, b);
        const double back = extendedToDouble(b);
        EXPECT_EQ(std::signbit(back), std::signbit(d));
        EXPECT_EQ(back, d);
    }
    unsigned char nan[10];
    doubleToExtended(std::nan(""), nan);
    EXPECT_TRUE(std::isnan(extendedToDouble(nan)));
    // Beyond the range of double: infinity and zero, not undefined behaviour.
    const unsigned char huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};
    EXPECT_EQ(extendedToDouble(huge), HUGE_VAL);
    const unsigned char tiny[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00};
    EXPECT_EQ(extendedToDouble(tiny), 0.0);
}

TEST(TypedValueStream, SkipConsumesExactlyOneValueOfEveryTag)
{
    // One value of every tag, nested where tags nest, each followed by a marker byte 0x2A.
    std::string all;
    TypedValueWriter w(all);
    const std::function<void(TypedValueWriter&)> values[] = {
        [](auto& w) { w.writeListEnd(); },
        [](auto& w) {
            w.writeListBegin();
            w.writeInteger(1);
            w.writeListBegin();
            w.writeString("x");
            w.writeListEnd();
            w.writeListEnd();
        },
        [](auto& w) { w.writeInteger(5); },
        [](auto& w) { w.writeInteger(500); },
        [](auto& w) { w.writeInteger(70000); },
        [](auto& w) { w.writeExtended(2.0); },
        [](auto& w) { w.writeString("abc"); },
        [](auto& w) { w.writeIdent("clRed"); },
        [](auto& w) { w.writeBoolean(false); },
        [](auto& w) { w.writeBoolean(true); },
        [](auto& w) { w.writeBinary(std::string(3, '\0')); },
        [](auto& w) {
            w.writeSet({"a", "bb"});
        },
        [](auto& w) { w.writeString(std::string(300, 'z')); },
        [](auto& w) { w.writeNil(); },
        [](auto& w) {
            w.writeCollectionBegin();
            w.writeInteger(3); // order number of the first item
            w.writeListBegin();
            w.writeShortString("Caption");
            w.writeString("c");
            w.writeShortString("Items");
            w.writeListBegin();
            w.writeString("i");
            w.writeListEnd();
            w.writeListEnd();
            w.writeListBegin();
            w.writeListEnd();
            w.writeListEnd();
        },
        [](auto& w) { w.writeSingle(1.5f); },
        [](auto& w) { w.writeCurrency(1); },
        [](auto& w) { w.writeDate(2.0); },
        [](auto& w) { w.writeWideString("\xC3\xA9t\xC3\xA9"); },
        [](auto& w) { w.writeInt64(-1); },
        [](auto& w) { w.writeUtf8String("u"); },
    };
    for (const auto& v : values) {
        v(w);
        w.writeU8(0x2A);
    }
    TypedValueReader skip(all), read(all);
    int tag = 0;
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(static_cast<int>(skip.peekTag()), tag++);
        skip.skipValue();
        EXPECT_EQ(skip.readU8(), 0x2A) << "after tag " << tag - 1;
        read.readValue();
        EXPECT_EQ(read.readU8(), 0x2A) << "after tag " << tag - 1;
    }
    EXPECT_TRUE(skip.atEnd());

    // What readValue gives, writeValue writes so that it reads back the same; text of every tag and
    // integers come back in the one form the writer uses.
    std::vector<Value> first;
    TypedValueReader r1(all);
    while (!r1.atEnd()) {
        first.push_back(r1.readValue());
        r1.readU8();
    }
    std::string again;
    TypedValueWriter w2(again);
    w2.setWideForNonAscii(true);
    for (const auto& v : first) {
        w2.writeValue(v);
        w2.writeU8(0x2A);
    }
    TypedValueReader r2(again);
    for (const auto& v : first) {
        EXPECT_EQ(r2.readValue(), v);
        EXPECT_EQ(r2.readU8(), 0x2A);
    }
    EXPECT_TRUE(r2.atEnd());
    EXPECT_EQ(first[19], Value::integerValue(-1));            // Int64 -1 is held as the small integer
    EXPECT_EQ(first[18], Value::string("\xC3\xA9t\xC3\xA9")); // WString
}

TEST(TypedValueStream, IdentifiersNamingValuesReadAsThoseValues)
{
    const std::string b =
        bytes({7, 4, 't', 'r', 'u', 'e', 7, 3, 'N', 'I', 'L', 7, 4, 'n', 'u', 'l', 'l', 7, 2, 'o', 'k'});
    TypedValueReader rd(b);
    EXPECT_EQ(rd.readValue(), Value::boolean(true));
    EXPECT_EQ(rd.readValue(), Value::nil());
    EXPECT_EQ(rd.readValue(), Value::null());
    EXPECT_EQ(rd.readValue(), Value::ident("ok"));
}

TEST(TypedValueStream, MalformedInputIsRejectedWithItsOffset)
{
    struct Row {
        const char* what;
        std::string in;
        std::uint64_t offset;
        bool truncated; // more bytes might have made it a value: a reader of a prefix asks for them
    } rows[] = {
        {"empty", "", 0, true},
        {"unknown tag", bytes({21}), 0, false},
        {"truncated Int32", bytes({4, 1, 2}), 1, true},
        {"truncated String", bytes({6, 5, 'a'}), 2, true},
        {"negative LString length", bytes({12, 0xFF, 0xFF, 0xFF, 0xFF}), 1, false},
        {"binary of 2 GiB claimed in a few bytes", bytes({10, 0, 0, 0, 0x7F, 1, 2, 3}), 1, true},
        {"negative binary length", bytes({10, 0, 0, 0, 0x80}), 1, false},
        {"WString length beyond the end", bytes({18, 0, 0, 0, 0x40, 0x41, 0}), 1, true},
        {"list without end", bytes({1, 2, 1, 2, 2}), 5, true},
        {"set without end", bytes({11, 1, 'a'}), 3, true},
        {"collection item that is no list", bytes({14, 6, 0}), 1, false},
        {"tag inside a list", bytes({1, 0xC8}), 1, false},
    };
    for (const auto& r : rows) {
        for (int mode = 0; mode < 2; ++mode) {
            TypedValueReader rd(r.in, 100);
            try {
                if (mode == 0)
                    rd.skipValue();
                else
                    rd.readValue();
                ADD_FAILURE() << r.what << ": accepted";
            } catch (const StreamError& e) {
                EXPECT_EQ(e.offset(), 100 + r.offset) << r.what << ": " << e.what();
                EXPECT_EQ(e.truncated(), r.truncated) << r.what;
                EXPECT_NE(std::string(e.what()).find("Invalid stream format"), std::string::npos);
            }
        }
    }
}

TEST(TypedValueStream, DeepNestingIsAnErrorNotAStackOverflow)
{
    for (const int tag : {1, 14}) {
        std::string deep;
        for (int i = 0; i < 100000; ++i) {
            deep.push_back(static_cast<char>(tag));
            if (tag == 14)
                deep.push_back(1), deep.push_back(1), deep.push_back('P');
        }
        EXPECT_THROW(TypedValueReader(deep).skipValue(), StreamError);
        EXPECT_THROW(TypedValueReader(deep).readValue(), StreamError);
    }
    std::string ok(kMaxStreamNesting, '\x01');
    ok.append(kMaxStreamNesting, '\0');
    TypedValueReader rd(ok);
    rd.skipValue();
    EXPECT_TRUE(rd.atEnd());
}

TEST(TypedValueStream, SignatureAndWrongTagsAreReported)
{
    const std::string sigBytes = std::string("TPF0") + bytes({9});
    TypedValueReader sig(sigBytes);
    sig.readSignature();
    EXPECT_THROW(sig.readInteger(), StreamError);
    EXPECT_THROW(TypedValueReader("TPF").readSignature(), StreamError);
    const std::string str = bytes({6, 1, 'a'});
    TypedValueReader rd(str);
    try {
        rd.readBoolean();
        FAIL();
    } catch (const StreamError& e) {
        EXPECT_EQ(e.detail(), "boolean expected, found String");
    }
    std::string out;
    TypedValueWriter w(out);
    EXPECT_THROW(w.writeIdent(std::string(256, 'a')), platform::Error);
}
