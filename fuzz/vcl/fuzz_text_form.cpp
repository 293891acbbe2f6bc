// Feeds arbitrary text to the text form reader. A text that converts must convert back to the same
// streams, and the streams must read as components or be refused cleanly.
#include "vcl/form_stream.h"
#include "vcl/text_form.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        for (const std::string& stream : vcl::textToComponentStreams(text)) {
            if (vcl::textToComponentStream(vcl::componentStreamToText(stream)) != stream)
                __builtin_trap();
            try {
                auto root = vcl::readComponentStream(stream, nullptr);
                (void)vcl::writeComponentStream(*root);
            } catch (const std::exception&) {
            }
        }
    } catch (const std::exception&) {
    }
    return 0;
}
