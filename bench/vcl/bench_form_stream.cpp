// A form of 2,000 components of mixed classes, with pictures and string lists, written to and read from
// the binary form stream, and converted to and from the text notation. Reports MB/s of stream bytes
// and the time per form; the target is under 20 ms for reading and for writing. Two hostile shapes
// (a record with 200,000 unknown properties, 99,000 controls in one parent) check that reading stays
// linear.
#include "vcl/class_registry.h"
#include "vcl/form_editing.h"
#include "vcl/form_stream.h"
#include "vcl/selection_stream.h"
#include "vcl/text_form.h"
#include "vcl/typed_value_stream.h"

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<vcl::Component> bigForm()
{
    auto form = vcl::Component::create("TForm");
    form->setName("Form1");
    const char* kinds[] = {"TLabel",   "TButton",           "TEdit", "TImage", "TMemo", "TCheckBox", "TPanel",
                           "TListBox", "TInteractiveLabel", "TTimer"};
    std::string picture = std::string("\x07TBitmap", 8);
    picture += std::string(4, '\0');
    for (int i = 0; i < 4096; ++i)
        picture.push_back(static_cast<char>(i * 31));
    std::vector<std::string> lines;
    for (int i = 0; i < 20; ++i)
        lines.push_back("Line number " + std::to_string(i) + " of the list");
    vcl::Component* panel = nullptr;
    for (int i = 0; i < 2000; ++i) {
        const char* cls = kinds[i % 10];
        vcl::Component& c = vcl::insertComponent(*form, vcl::classes().classNamed(cls),
                                                 panel && i % 3 == 0 ? panel : nullptr, i % 400, i / 4);
        if (std::string_view(cls) == "TPanel")
            panel = &c;
        if (c.classInfo().findProperty("Hint"))
            c.setText("Hint", "Hint of " + c.name());
        if (std::string_view(cls) == "TImage" && i % 20 == 3)
            c.setValue("Picture", vcl::Value::binary(picture));
        if (std::string_view(cls) == "TMemo")
            c.setStrings("Lines", lines);
        if (std::string_view(cls) == "TListBox")
            c.setStrings("Items", lines);
        if (std::string_view(cls) == "TLabel")
            c.setValue("Font.Style", vcl::Value::set({"fsBold"}));
    }
    return form;
}

const vcl::Component& form()
{
    static const auto f = bigForm();
    return *f;
}

const std::string& stream()
{
    static const std::string s = vcl::writeComponentStream(form());
    return s;
}

void BM_WriteForm(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vcl::writeComponentStream(form()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream().size()));
    state.counters["components"] = static_cast<double>(form().components().size());
}

void BM_ReadForm(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vcl::readFormStream(stream()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream().size()));
}

void BM_StreamToText(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vcl::componentStreamToText(stream()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream().size()));
}

void BM_TextToStream(benchmark::State& state)
{
    const std::string text = vcl::componentStreamToText(stream());
    for (auto _ : state)
        benchmark::DoNotOptimize(vcl::textToComponentStream(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Copying every component and pasting them back (every name collides), then deleting the copies.
void BM_CopyPasteDelete(benchmark::State& state)
{
    auto f = vcl::readFormStream(stream());
    std::vector<const vcl::Component*> all;
    for (const auto& c : f->components())
        all.push_back(c.get());
    for (auto _ : state) {
        const std::string data = vcl::copyComponents(all);
        const auto pasted = vcl::pasteComponents(*f, nullptr, data);
        vcl::deleteComponents(*f, pasted);
    }
    state.counters["components"] = static_cast<double>(all.size());
}

// Shapes that no designer makes but a damaged or hostile file can hold, about 2 MB each: reading must
// stay linear in the stream's size.
std::string hostileStream(bool unknownProperties)
{
    std::string out;
    vcl::TypedValueWriter w(out);
    w.writeSignature();
    w.writeShortString("TForm");
    w.writeShortString("F");
    for (int i = 0; unknownProperties && i < 200000; ++i) {
        w.writeShortString(std::string(1, 'X').append(std::to_string(i)));
        w.writeInteger(0);
    }
    w.writeListEnd();
    for (int i = 0; !unknownProperties && i < 99000; ++i) {
        w.writeShortString(i % 2 ? "TLabel" : "TEdit");
        w.writeShortString(std::string(1, 'C').append(std::to_string(i)));
        w.writeListEnd();
        w.writeListEnd();
    }
    w.writeListEnd();
    return out;
}

void BM_ReadManyUnknownProperties(benchmark::State& state)
{
    const std::string s = hostileStream(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(vcl::readFormStream(s));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

void BM_ReadManyControlsInOneParent(benchmark::State& state)
{
    const std::string s = hostileStream(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(vcl::readFormStream(s));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.size()));
}

} // namespace

BENCHMARK(BM_ReadManyUnknownProperties)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadManyControlsInOneParent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamToText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextToStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyPasteDelete)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
