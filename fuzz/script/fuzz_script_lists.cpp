// Fuzz target for the readers of the data folder's list files and of declaration lines: any bytes as a
// list file, every line as comma text and as a declaration, and the lookups over them.
#include "script/decl_line.h"
#include "script/event_handlers.h"
#include "script/list_files.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = script::splitListLines(bytes);
    const script::TwoLineList list(lines);
    const script::ParamCompletionList hints(lines);
    for (const auto& r : script::readCompletionRecords(lines))
        (void)script::completionDisplayRow(r);
    std::size_t searched = 0;
    for (const auto& l : lines) {
        (void)list.lookup(l);
        (void)hints.hintFor(l);
        const auto items = script::parseCommaText(l);
        if (script::parseCommaText(script::toCommaText(items)) != items)
            std::abort();
        if (auto sig = script::parseSignature(l)) {
            (void)sig->paramText();
            (void)sig->paramItems();
        }
        if (++searched <= 64) // the search is linear in the lines; a few templates are enough
            (void)script::findHandler(lines, l, "Button1OnClick");
    }
    return 0;
}
