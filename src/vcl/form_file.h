// Form files: the designed form saved on its own, as a binary form resource (the component resource
// header, then the binary stream) or as text in the component stream's text notation, and the format
// test that tells them apart.
//
// The resource header is: 0xFF, the resource type 10 as a 16-bit number, the resource name (the root's
// class name in capitals) ended by a zero byte, the flags 0x1030, and the size of the stream that
// follows as a 32-bit number.
#pragma once

#include "vcl/component.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace vcl {

enum class FormFileFormat {
    Resource, // binary form resource file
    Stream,   // a bare binary stream (TPF0 ...)
    Text,     // text notation
    Unknown,
};

// Looks at the first bytes only: 0xFF starts a resource, TPF0 a stream, and "object", "inherited" or
// "inline" (after blanks or a UTF-8 byte order mark) a text form.
FormFileFormat detectFormFileFormat(std::string_view bytes);

// The resource header for a stream of `streamSize` bytes whose root has class `className`.
std::string formResourceHeader(std::string_view className, std::size_t streamSize);
// The binary stream inside a form resource; StreamError when the header is damaged or the size it
// gives runs past the end.
std::string_view formResourceStream(std::string_view bytes);

// Whole form files in memory.
std::string writeFormResource(const Component& root);
std::string writeTextForm(const Component& root); // CR LF line ends
// Any of the three formats; the root must be a form. StreamError, TextFormError or platform::Error
// ("not a form file") for anything else.
std::unique_ptr<Component> readFormFileBytes(std::string_view bytes);

// On disk. Saving writes a new file beside the target and moves it over the old one only when it is
// complete, so a failed save leaves the old file as it was.
std::unique_ptr<Component> loadFormFile(const std::filesystem::path& path);
void saveFormFile(const std::filesystem::path& path, const Component& root, FormFileFormat format);

// File helpers shared with the tools: the whole file (platform::Error when it cannot be read), and the
// write-beside-then-rename replacement.
std::string readWholeFile(const std::filesystem::path& path);
void replaceFileContents(const std::filesystem::path& path, std::string_view bytes);

} // namespace vcl
