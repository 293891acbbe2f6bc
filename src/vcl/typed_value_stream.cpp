// Reader and writer of the typed-value stream.
#include "vcl/typed_value_stream.h"

#include "platform/text_encoding.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace vcl {

StreamError::StreamError(const std::string& detail, std::uint64_t offset, bool truncated)
    : platform::Error("Invalid stream format at offset " + std::to_string(offset) + ": " + detail),
      m_detail(detail), m_offset(offset), m_truncated(truncated)
{}

void doubleToExtended(double value, unsigned char out[10])
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const unsigned sign = static_cast<unsigned>(bits >> 63);
    const int exp = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t frac = bits & ((std::uint64_t(1) << 52) - 1);
    std::uint64_t mantissa = 0;
    unsigned exponent = 0;
    if (exp == 0x7FF) {
        exponent = 0x7FFF;
        mantissa = (std::uint64_t(1) << 63) | (frac << 11);
    } else if (exp == 0) {
        if (frac != 0) {
            // A denormal double is a normal extended: shift the leading one into the integer bit.
            int e = 1 - 1023;
            while ((frac & (std::uint64_t(1) << 52)) == 0) {
                frac <<= 1;
                --e;
            }
            mantissa = frac << 11;
            exponent = static_cast<unsigned>(e + 16383);
        }
    } else {
        mantissa = (std::uint64_t(1) << 63) | (frac << 11);
        exponent = static_cast<unsigned>(exp - 1023 + 16383);
    }
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    const unsigned top = (sign << 15) | exponent;
    out[8] = static_cast<unsigned char>(top & 0xFF);
    out[9] = static_cast<unsigned char>(top >> 8);
}

double extendedToDouble(const unsigned char in[10])
{
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= std::uint64_t(in[i]) << (8 * i);
    const unsigned top = unsigned(in[8]) | (unsigned(in[9]) << 8);
    const bool negative = (top & 0x8000) != 0;
    const int exponent = static_cast<int>(top & 0x7FFF);
    double result;
    if (exponent == 0x7FFF) {
        result = (mantissa << 1) == 0 ? HUGE_VAL : std::nan("");
    } else if (mantissa == 0) {
        result = 0.0;
    } else {
        // Rounds the 64-bit mantissa to 53 bits; ldexp gives denormals and infinity at the edges.
        result = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    }
    return negative ? -result : result;
}

// ---------------------------------------------------------------------------------------------------
// Writer

void TypedValueWriter::writeSignature()
{
    m_out.append(kStreamSignature);
}

void TypedValueWriter::writeTag(ValueTag tag)
{
    writeU8(static_cast<std::uint8_t>(tag));
}

void TypedValueWriter::writeU16(std::uint16_t v)
{
    writeU8(static_cast<std::uint8_t>(v));
    writeU8(static_cast<std::uint8_t>(v >> 8));
}

void TypedValueWriter::writeU32(std::uint32_t v)
{
    const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    m_out.append(b, 4);
}

void TypedValueWriter::writeU64(std::uint64_t v)
{
    writeU32(static_cast<std::uint32_t>(v));
    writeU32(static_cast<std::uint32_t>(v >> 32));
}

void TypedValueWriter::writeInteger(std::int64_t v)
{
    if (v >= -128 && v <= 127) {
        writeTag(ValueTag::Int8);
        writeU8(static_cast<std::uint8_t>(v));
    } else if (v >= -32768 && v <= 32767) {
        writeTag(ValueTag::Int16);
        writeU16(static_cast<std::uint16_t>(v));
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
        writeTag(ValueTag::Int32);
        writeU32(static_cast<std::uint32_t>(v));
    } else {
        writeInt64(v);
    }
}

void TypedValueWriter::writeInt64(std::int64_t v)
{
    writeTag(ValueTag::Int64);
    writeU64(static_cast<std::uint64_t>(v));
}

void TypedValueWriter::writeBoolean(bool v)
{
    writeTag(v ? ValueTag::True : ValueTag::False);
}

void TypedValueWriter::writeString(std::string_view utf8)
{
    if (m_wideForNonAscii && !platform::isPlainAscii(utf8)) {
        writeWideString(utf8);
        return;
    }
    if (utf8.size() <= 255) {
        writeTag(ValueTag::String);
        writeShortString(utf8);
    } else {
        if (utf8.size() > INT32_MAX)
            throw platform::Error("Text too long for the stream");
        writeTag(ValueTag::LString);
        writeU32(static_cast<std::uint32_t>(utf8.size()));
        m_out.append(utf8);
    }
}

void TypedValueWriter::writeWideString(std::string_view utf8)
{
    const std::u16string wide = platform::utf8ToUtf16(utf8);
    if (wide.size() > INT32_MAX / 2)
        throw platform::Error("Text too long for the stream");
    writeTag(ValueTag::WString);
    writeU32(static_cast<std::uint32_t>(wide.size()));
    const std::size_t at = m_out.size();
    m_out.resize(at + wide.size() * 2);
    char* p = m_out.data() + at;
    for (char16_t c : wide) {
        *p++ = static_cast<char>(c & 0xFF);
        *p++ = static_cast<char>(c >> 8);
    }
}

void TypedValueWriter::writeUtf8String(std::string_view utf8)
{
    if (utf8.size() > INT32_MAX)
        throw platform::Error("Text too long for the stream");
    writeTag(ValueTag::Utf8String);
    writeU32(static_cast<std::uint32_t>(utf8.size()));
    m_out.append(utf8);
}

void TypedValueWriter::writeIdent(std::string_view name)
{
    writeTag(ValueTag::Ident);
    writeShortString(name);
}

void TypedValueWriter::writeExtended(double v)
{
    writeTag(ValueTag::Extended);
    unsigned char b[10];
    doubleToExtended(v, b);
    m_out.append(reinterpret_cast<const char*>(b), 10);
}

void TypedValueWriter::writeSingle(float v)
{
    writeTag(ValueTag::Single);
    writeU32(std::bit_cast<std::uint32_t>(v));
}

void TypedValueWriter::writeCurrency(std::int64_t scaled)
{
    writeTag(ValueTag::Currency);
    writeU64(static_cast<std::uint64_t>(scaled));
}

void TypedValueWriter::writeDate(double days)
{
    writeTag(ValueTag::Date);
    writeU64(std::bit_cast<std::uint64_t>(days));
}

void TypedValueWriter::writeBinary(std::string_view bytes)
{
    if (bytes.size() > INT32_MAX)
        throw platform::Error("Binary value too large for the stream");
    writeTag(ValueTag::Binary);
    writeU32(static_cast<std::uint32_t>(bytes.size()));
    m_out.append(bytes);
}

void TypedValueWriter::writeSet(const std::vector<std::string>& elements)
{
    writeTag(ValueTag::Set);
    for (const auto& e : elements) {
        if (e.empty())
            throw platform::Error("A set element needs a name");
        writeShortString(e);
    }
    writeU8(0);
}

void TypedValueWriter::writeShortString(std::string_view bytes)
{
    if (bytes.size() > 255)
        throw platform::Error("Name longer than 255 characters: " + std::string(bytes.substr(0, 40)) + "...");
    writeU8(static_cast<std::uint8_t>(bytes.size()));
    m_out.append(bytes);
}

void TypedValueWriter::writeItem(const CollectionItem& item)
{
    if (item.order)
        writeInteger(*item.order);
    writeListBegin();
    for (const auto& p : item.properties) {
        writeShortString(p.name);
        writeValue(p.value);
    }
    writeListEnd();
}

void TypedValueWriter::writeValue(const Value& v)
{
    switch (v.tag) {
    case ValueTag::Null:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        writeTag(v.tag);
        break;
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
        writeInteger(v.integer);
        break;
    case ValueTag::Int64:
        writeInt64(v.integer);
        break;
    case ValueTag::Extended:
        writeExtended(v.real);
        break;
    case ValueTag::String:
    case ValueTag::LString:
        writeString(v.text);
        break;
    case ValueTag::WString:
        writeWideString(v.text);
        break;
    case ValueTag::Utf8String:
        writeUtf8String(v.text);
        break;
    case ValueTag::Ident:
        writeIdent(v.text);
        break;
    case ValueTag::Binary:
        writeBinary(v.text);
        break;
    case ValueTag::Set:
        writeSet(v.elements);
        break;
    case ValueTag::List:
        writeListBegin();
        for (const auto& item : v.items)
            writeValue(item);
        writeListEnd();
        break;
    case ValueTag::Collection:
        writeCollectionBegin();
        for (const auto& item : v.collection)
            writeItem(item);
        writeListEnd();
        break;
    case ValueTag::Single:
        writeSingle(static_cast<float>(v.real));
        break;
    case ValueTag::Currency:
        writeCurrency(v.integer);
        break;
    case ValueTag::Date:
        writeDate(v.real);
        break;
    }
}

// ---------------------------------------------------------------------------------------------------
// Reader

void TypedValueReader::failAt(const std::string& detail, std::size_t pos) const
{
    throw StreamError(detail, m_base + pos);
}

void TypedValueReader::fail(const std::string& detail) const
{
    failAt(detail, m_pos);
}

void TypedValueReader::failTruncated(const std::string& detail, std::size_t pos) const
{
    throw StreamError(detail, m_base + pos, true);
}

void TypedValueReader::need(std::size_t count) const
{
    if (count > remaining())
        failTruncated("unexpected end of stream (" + std::to_string(count) + " bytes needed, " +
                          std::to_string(remaining()) + " left)",
                      m_pos);
}

void TypedValueReader::seek(std::size_t pos)
{
    if (pos > m_data.size())
        failAt("position beyond the end of the stream", m_data.size());
    m_pos = pos;
}

std::uint8_t TypedValueReader::readU8()
{
    need(1);
    return static_cast<std::uint8_t>(m_data[m_pos++]);
}

std::uint16_t TypedValueReader::readU16()
{
    need(2);
    const auto* p = reinterpret_cast<const unsigned char*>(m_data.data() + m_pos);
    m_pos += 2;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t TypedValueReader::readU32()
{
    need(4);
    const auto* p = reinterpret_cast<const unsigned char*>(m_data.data() + m_pos);
    m_pos += 4;
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

std::uint64_t TypedValueReader::readU64()
{
    const std::uint64_t lo = readU32();
    const std::uint64_t hi = readU32();
    return lo | (hi << 32);
}

std::string_view TypedValueReader::readBytes(std::size_t count)
{
    need(count);
    const auto s = m_data.substr(m_pos, count);
    m_pos += count;
    return s;
}

std::size_t TypedValueReader::readLength32()
{
    const std::size_t at = m_pos;
    const auto n = static_cast<std::int32_t>(readU32());
    if (n < 0)
        failAt("negative length " + std::to_string(n), at);
    if (static_cast<std::size_t>(n) > remaining())
        failTruncated("length " + std::to_string(n) + " runs past the end of the stream (" +
                          std::to_string(remaining()) + " bytes left)",
                      at);
    return static_cast<std::size_t>(n);
}

void TypedValueReader::readSignature()
{
    if (trySignature())
        return;
    if (remaining() < 4 && kStreamSignature.substr(0, remaining()) == m_data.substr(m_pos))
        failTruncated("signature TPF0 expected", m_pos);
    fail("signature TPF0 expected");
}

bool TypedValueReader::trySignature()
{
    if (remaining() >= 4 && m_data.substr(m_pos, 4) == kStreamSignature) {
        m_pos += 4;
        return true;
    }
    return false;
}

ValueTag TypedValueReader::peekTag() const
{
    need(1);
    const auto b = static_cast<std::uint8_t>(m_data[m_pos]);
    if (b > kLastValueTag)
        fail("unknown value tag " + std::to_string(b));
    return static_cast<ValueTag>(b);
}

ValueTag TypedValueReader::readTag()
{
    const ValueTag t = peekTag();
    ++m_pos;
    return t;
}

void TypedValueReader::wrongTag(const char* expected, std::size_t tagPos) const
{
    const auto b = static_cast<std::uint8_t>(m_data[tagPos]);
    failAt(std::string(expected) + " expected, found " + valueTagName(static_cast<ValueTag>(b)), tagPos);
}

bool TypedValueReader::endOfList() const
{
    need(1);
    return m_data[m_pos] == 0;
}

void TypedValueReader::readListEnd()
{
    const std::size_t at = m_pos;
    if (readTag() != ValueTag::Null)
        wrongTag("end of list", at);
}

void TypedValueReader::readListBegin()
{
    const std::size_t at = m_pos;
    if (readTag() != ValueTag::List)
        wrongTag("List", at);
}

void TypedValueReader::readCollectionBegin()
{
    const std::size_t at = m_pos;
    if (readTag() != ValueTag::Collection)
        wrongTag("Collection", at);
}

std::int64_t TypedValueReader::readInt64()
{
    const std::size_t at = m_pos;
    switch (readTag()) {
    case ValueTag::Int8:
        return static_cast<std::int8_t>(readU8());
    case ValueTag::Int16:
        return static_cast<std::int16_t>(readU16());
    case ValueTag::Int32:
        return static_cast<std::int32_t>(readU32());
    case ValueTag::Int64:
        return static_cast<std::int64_t>(readU64());
    default:
        wrongTag("integer", at);
    }
}

std::int32_t TypedValueReader::readInteger()
{
    if (peekTag() == ValueTag::Int64)
        wrongTag("32-bit integer", m_pos);
    return static_cast<std::int32_t>(readInt64());
}

bool TypedValueReader::readBoolean()
{
    const std::size_t at = m_pos;
    switch (readTag()) {
    case ValueTag::True:
        return true;
    case ValueTag::False:
        return false;
    default:
        wrongTag("boolean", at);
    }
}

std::string TypedValueReader::readString()
{
    const std::size_t at = m_pos;
    switch (readTag()) {
    case ValueTag::String: {
        const std::size_t n = readU8();
        return platform::ansiToUtf8(readBytes(n));
    }
    case ValueTag::LString:
        return platform::ansiToUtf8(readBytes(readLength32()));
    case ValueTag::Utf8String:
        return platform::ansiToUtf8(readBytes(readLength32()));
    case ValueTag::WString: {
        const std::size_t lenAt = m_pos;
        const auto n = static_cast<std::int32_t>(readU32());
        if (n < 0)
            failAt("negative length " + std::to_string(n), lenAt);
        if (static_cast<std::uint64_t>(n) * 2 > remaining())
            failTruncated("wide text of " + std::to_string(n) + " characters runs past the end of the stream",
                          lenAt);
        const std::string_view bytes = readBytes(static_cast<std::size_t>(n) * 2);
        std::u16string wide(static_cast<std::size_t>(n), u'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                            (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
        return platform::utf16ToUtf8(wide);
    }
    default:
        wrongTag("string", at);
    }
}

std::string TypedValueReader::readIdent()
{
    const std::size_t at = m_pos;
    switch (readTag()) {
    case ValueTag::Ident:
        return std::string(readBytes(readU8()));
    case ValueTag::False:
        return "False";
    case ValueTag::True:
        return "True";
    case ValueTag::Nil:
        return "nil";
    case ValueTag::Null:
        return "Null";
    default:
        wrongTag("identifier", at);
    }
}

double TypedValueReader::readFloat()
{
    if (peekTag() == ValueTag::Extended) {
        ++m_pos;
        const auto b = readBytes(10);
        return extendedToDouble(reinterpret_cast<const unsigned char*>(b.data()));
    }
    return static_cast<double>(readInt64());
}

float TypedValueReader::readSingle()
{
    if (peekTag() == ValueTag::Single) {
        ++m_pos;
        return std::bit_cast<float>(readU32());
    }
    return static_cast<float>(readInt64());
}

std::int64_t TypedValueReader::readCurrency()
{
    if (peekTag() == ValueTag::Currency) {
        ++m_pos;
        return static_cast<std::int64_t>(readU64());
    }
    const std::size_t at = m_pos;
    const std::int64_t v = readInt64();
    if (v > INT64_MAX / 10000 || v < INT64_MIN / 10000)
        failAt("currency value out of range", at);
    return v * 10000;
}

double TypedValueReader::readDate()
{
    if (peekTag() == ValueTag::Date) {
        ++m_pos;
        return std::bit_cast<double>(readU64());
    }
    return static_cast<double>(readInt64());
}

std::string TypedValueReader::readBinary()
{
    const std::size_t at = m_pos;
    if (readTag() != ValueTag::Binary)
        wrongTag("Binary", at);
    return std::string(readBytes(readLength32()));
}

std::vector<std::string> TypedValueReader::readSet()
{
    const std::size_t at = m_pos;
    if (readTag() != ValueTag::Set)
        wrongTag("Set", at);
    std::vector<std::string> names;
    for (;;) {
        const std::size_t n = readU8();
        if (n == 0)
            return names;
        names.emplace_back(readBytes(n));
    }
}

std::string TypedValueReader::readShortString()
{
    const std::size_t n = readU8();
    return std::string(readBytes(n));
}

void TypedValueReader::enterNesting(int depth) const
{
    if (depth >= kMaxStreamNesting)
        fail("values nested more than " + std::to_string(kMaxStreamNesting) + " levels deep");
}

void TypedValueReader::skipValue()
{
    skipValueAt(0);
}

void TypedValueReader::skipValueAt(int depth)
{
    const std::size_t at = m_pos;
    switch (readTag()) {
    case ValueTag::Null:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        return;
    case ValueTag::List:
        enterNesting(depth);
        while (!endOfList())
            skipValueAt(depth + 1);
        ++m_pos;
        return;
    case ValueTag::Int8:
        readBytes(1);
        return;
    case ValueTag::Int16:
        readBytes(2);
        return;
    case ValueTag::Int32:
    case ValueTag::Single:
        readBytes(4);
        return;
    case ValueTag::Int64:
    case ValueTag::Currency:
    case ValueTag::Date:
        readBytes(8);
        return;
    case ValueTag::Extended:
        readBytes(10);
        return;
    case ValueTag::String:
    case ValueTag::Ident:
        readBytes(readU8());
        return;
    case ValueTag::Binary:
    case ValueTag::LString:
    case ValueTag::Utf8String:
        readBytes(readLength32());
        return;
    case ValueTag::WString: {
        m_pos = at;
        readString();
        return;
    }
    case ValueTag::Set:
        for (std::size_t n = readU8(); n != 0; n = readU8())
            readBytes(n);
        return;
    case ValueTag::Collection:
        enterNesting(depth);
        while (!endOfList()) {
            const ValueTag t = peekTag();
            if (t == ValueTag::Int8 || t == ValueTag::Int16 || t == ValueTag::Int32)
                readInteger();
            readListBegin();
            while (!endOfList()) {
                readShortString();
                skipValueAt(depth + 1);
            }
            ++m_pos;
        }
        ++m_pos;
        return;
    }
}

namespace {

// Every not-a-number reads as the same one, so that values compare and convert consistently.
double canonicalNaN(double d)
{
    return std::isnan(d) ? std::nan("") : d;
}

} // namespace

Value TypedValueReader::readValue()
{
    return readValueAt(0);
}

Value TypedValueReader::readValueAt(int depth)
{
    const ValueTag tag = peekTag();
    Value v;
    v.tag = tag;
    switch (tag) {
    case ValueTag::Null:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        ++m_pos;
        break;
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
    case ValueTag::Int64:
        // Held in the smallest form, as the writer writes integers.
        v = Value::integerValue(readInt64());
        break;
    case ValueTag::Extended:
        v.real = canonicalNaN(readFloat());
        break;
    case ValueTag::String:
    case ValueTag::LString:
    case ValueTag::WString:
    case ValueTag::Utf8String:
        // All text is one kind in memory; the writer picks the tag by length and content.
        v.tag = ValueTag::String;
        v.text = readString();
        break;
    case ValueTag::Ident:
        v.text = readIdent();
        // Readers take these identifiers as the values of the same name.
        if (platform::equalsNoCase(v.text, "True") || platform::equalsNoCase(v.text, "False"))
            v = Value::boolean(platform::equalsNoCase(v.text, "True"));
        else if (platform::equalsNoCase(v.text, "nil"))
            v = Value::nil();
        else if (platform::equalsNoCase(v.text, "Null"))
            v = Value::null();
        break;
    case ValueTag::Binary:
        v.text = readBinary();
        break;
    case ValueTag::Set:
        v.elements = readSet();
        break;
    case ValueTag::List:
        enterNesting(depth);
        ++m_pos;
        while (!endOfList())
            v.items.push_back(readValueAt(depth + 1));
        ++m_pos;
        break;
    case ValueTag::Collection:
        enterNesting(depth);
        ++m_pos;
        while (!endOfList()) {
            CollectionItem item;
            const ValueTag t = peekTag();
            if (t == ValueTag::Int8 || t == ValueTag::Int16 || t == ValueTag::Int32)
                item.order = readInteger();
            readListBegin();
            while (!endOfList()) {
                NamedValue p;
                p.name = readShortString();
                p.value = readValueAt(depth + 1);
                item.properties.push_back(std::move(p));
            }
            ++m_pos;
            v.collection.push_back(std::move(item));
        }
        ++m_pos;
        break;
    case ValueTag::Single:
        v.real = canonicalNaN(readSingle());
        break;
    case ValueTag::Currency:
        v.integer = readCurrency();
        break;
    case ValueTag::Date:
        v.real = canonicalNaN(readDate());
        break;
    }
    return v;
}

} // namespace vcl
