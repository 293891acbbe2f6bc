// Shared by lmbtool's dump, unpack and pack: a small JSON writer and reader, the text notation of
// a binary form stream, and the studio's message text for a file that cannot be read.
#pragma once

#include "project/value_section.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lmbtool {

// Appends JSON text; keys and values are written in the order given.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : m_out(out) {}
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(int64_t number);
    void value(double number);
    void value(bool flag);
    void null();

private:
    void separate();
    std::string& m_out;
    std::vector<bool> m_first; // per open container: nothing written yet
    bool m_afterKey = false;
};

std::string jsonString(std::string_view utf8);

// A parsed JSON value (numbers kept as double and, when integral, as int64).
struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool flag = false;
    double number = 0;
    int64_t integer = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;
    const Json* find(std::string_view name) const;
};

// Throws platform::Error with the position of the first mistake.
Json parseJson(std::string_view text);

// The binary form stream ("TPF0" + root record) in the text notation `object Name: TClass … end`,
// lines ended by LF. Throws vcl::StreamError for a damaged stream.
std::string formStreamToText(std::string_view stream);

// What the studio says about a file it cannot read.
std::string loadFailureText(project::LoadFailure failure, const std::filesystem::path& path);

} // namespace lmbtool
