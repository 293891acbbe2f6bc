// Feeds arbitrary bytes to the binary form stream readers: the component reader (any root class and
// forms), the text converter, the form file reader and pasting. Whatever reads must write back to bytes
// that read again to the same bytes.
#include "vcl/form_file.h"
#include "vcl/form_stream.h"
#include "vcl/selection_stream.h"
#include "vcl/text_form.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        auto root = vcl::readComponentStream(bytes, nullptr);
        const std::string once = vcl::writeComponentStream(*root);
        const std::string twice = vcl::writeComponentStream(*vcl::readComponentStream(once, nullptr));
        if (once != twice)
            __builtin_trap();
        if (vcl::textToComponentStream(vcl::componentStreamToText(once)) != once)
            __builtin_trap();
    } catch (const std::exception&) {
    }
    try {
        (void)vcl::componentStreamToText(bytes);
    } catch (const std::exception&) {
    }
    try {
        (void)vcl::readFormFileBytes(bytes);
    } catch (const std::exception&) {
    }
    try {
        auto form = vcl::Component::create("TForm");
        form->setName("Form1");
        vcl::pasteComponents(*form, nullptr, bytes);
    } catch (const std::exception&) {
    }
    return 0;
}
