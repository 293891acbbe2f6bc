// The typed-value stream: the component-stream encoding with one-byte tags that project files, form
// streams and form resource files are made of.
//
// The writer follows the studio's rules: the smallest integer tag, String up to 255 bytes and LString
// beyond, True/False for booleans, Date for moments. The reader accepts what other writers produce
// as well: any integer tag where an integer is expected, String, LString, WString and UTF8String
// where text is expected (String bytes that are not UTF-8 are taken as Windows-1252). Every length is
// checked against the bytes that are left before anything is allocated, nesting is bounded, and every
// failure is a StreamError that names the offset, so no input can crash or exhaust the reader.
//
// All multi-byte numbers are little-endian. Extended values are the 10-byte x87 format; they are
// converted to and from double without relying on the host's long double.
#pragma once

#include "platform/errors.h"
#include "vcl/value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

// "Invalid stream format at offset N: ..." for malformed or truncated input. `truncated` tells that
// the bytes ended (or a length ran past their end) where more bytes could have made a value, so that
// a reader of the first part of a file knows when to read further and when the file is damaged.
class StreamError : public platform::Error {
public:
    StreamError(const std::string& detail, std::uint64_t offset, bool truncated = false);
    std::uint64_t offset() const { return m_offset; }
    const std::string& detail() const { return m_detail; }
    bool truncated() const { return m_truncated; }

private:
    std::string m_detail;
    std::uint64_t m_offset;
    bool m_truncated;
};

// Deepest nesting of Lists and Collections (and of component records) that a reader follows.
constexpr int kMaxStreamNesting = 200;

// The stream signature that opens a value section and a form stream.
constexpr std::string_view kStreamSignature = "TPF0";

// 10-byte extended precision, little-endian, to and from double.
void doubleToExtended(double value, unsigned char out[10]);
double extendedToDouble(const unsigned char in[10]);

class TypedValueWriter {
public:
    // Appends to `out`, which the caller owns.
    explicit TypedValueWriter(std::string& out) : m_out(out) {}

    // When set, text that is not plain ASCII goes out as WString (what the form streams do); else
    // strings are written as String/LString with their UTF-8 bytes (the project file's rule).
    void setWideForNonAscii(bool on) { m_wideForNonAscii = on; }
    bool wideForNonAscii() const { return m_wideForNonAscii; }

    std::string& buffer() { return m_out; }
    std::size_t size() const { return m_out.size(); }

    void writeSignature();
    void writeTag(ValueTag tag);
    void writeInteger(std::int64_t v); // Int8, Int16 or Int32; Int64 only beyond 32 bits
    void writeInt64(std::int64_t v);   // always the Int64 tag
    void writeBoolean(bool v);
    void writeString(std::string_view utf8); // String (<= 255 bytes) or LString; WString, see above
    void writeWideString(std::string_view utf8);
    void writeUtf8String(std::string_view utf8);
    void writeIdent(std::string_view name); // throws platform::Error beyond 255 bytes
    void writeExtended(double v);
    void writeSingle(float v);
    void writeCurrency(std::int64_t scaled); // value x 10000
    void writeDate(double days);             // days since 30 December 1899
    void writeBinary(std::string_view bytes);
    void writeSet(const std::vector<std::string>& elements);
    void writeListBegin() { writeTag(ValueTag::List); }
    void writeCollectionBegin() { writeTag(ValueTag::Collection); }
    void writeListEnd() { writeTag(ValueTag::Null); }
    void writeNil() { writeTag(ValueTag::Nil); }

    // Any value, with the tag it carries (String/LString chosen by length as above).
    void writeValue(const Value& v);

    // A length byte and the bytes, without a tag: class, component and property names.
    void writeShortString(std::string_view bytes);

    void writeU8(std::uint8_t v) { m_out.push_back(static_cast<char>(v)); }
    void writeU16(std::uint16_t v);
    void writeU32(std::uint32_t v);
    void writeU64(std::uint64_t v);
    void writeBytes(std::string_view bytes) { m_out.append(bytes); }

private:
    void writeItem(const CollectionItem& item);

    std::string& m_out;
    bool m_wideForNonAscii = false;
};

class TypedValueReader {
public:
    // Reads `bytes`; offsets in errors are counted from `baseOffset` (the position of the first byte
    // within the file it came from).
    explicit TypedValueReader(std::string_view bytes, std::uint64_t baseOffset = 0)
        : m_data(bytes), m_base(baseOffset)
    {}

    std::size_t position() const { return m_pos; }
    std::uint64_t fileOffset() const { return m_base + m_pos; }
    std::size_t remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    void seek(std::size_t pos);
    std::string_view data() const { return m_data; }

    void readSignature(); // TPF0 or a StreamError
    bool trySignature();  // consumes TPF0 when it is there

    ValueTag peekTag() const;
    ValueTag readTag();
    // True when the next byte is the Null that ends a list (nothing consumed).
    bool endOfList() const;
    void readListEnd();
    void readListBegin();
    void readCollectionBegin();

    std::int32_t readInteger(); // Int8, Int16, Int32
    std::int64_t readInt64();   // any integer tag
    bool readBoolean();
    std::string readString(); // String, LString, WString, UTF8String, as UTF-8
    // An identifier: Ident, or False/True/Nil/Null read as "False", "True", "nil", "Null".
    std::string readIdent();
    double readFloat();          // Extended, or an integer
    float readSingle();          // Single, or an integer
    std::int64_t readCurrency(); // Currency (x 10000), or an integer (scaled)
    double readDate();           // Date, or an integer
    std::string readBinary();
    std::vector<std::string> readSet();

    // Consumes exactly one value of any tag, with the whole content of Lists, Sets, Collections and
    // Binaries.
    void skipValue();
    // One whole value into memory.
    Value readValue();

    // A length byte and that many bytes, no tag (names in records).
    std::string readShortString();

    std::uint8_t readU8();
    std::uint16_t readU16();
    std::uint32_t readU32();
    std::uint64_t readU64();
    std::string_view readBytes(std::size_t count);

    [[noreturn]] void fail(const std::string& detail) const;
    [[noreturn]] void failAt(const std::string& detail, std::size_t pos) const;
    // The bytes end too early for what they announce (see StreamError::truncated).
    [[noreturn]] void failTruncated(const std::string& detail, std::size_t pos) const;

private:
    void need(std::size_t count) const;
    std::size_t readLength32(); // a signed 32-bit length, checked against what is left
    void skipValueAt(int depth);
    Value readValueAt(int depth);
    void enterNesting(int depth) const;
    [[noreturn]] void wrongTag(const char* expected, std::size_t tagPos) const;

    std::string_view m_data;
    std::uint64_t m_base;
    std::size_t m_pos = 0;
};

} // namespace vcl
