// The composed script text: the editor's text after preprocessing (includes from the folder of the
// including file, else the studio's include folder; a preprocessor failure keeps the output made so
// far, and is not reported by itself) followed by the generated main block. It is what the compile
// checks, what projects store and what the runtime compiles again.
#pragma once

#include "pascal/source_map.h"
#include "script/event_handlers.h"
#include "script/property_filters.h"

#include <filesystem>
#include <string>
#include <vector>

namespace script {

// One object of the design form as the compile sees it.
struct FormObject {
    std::string name;
    std::string className;
    ClassTest is;                             // the "is" tests of the object's class
    std::vector<std::string> eventProperties; // every event property, in inspector order
};

struct DesignFormInfo {
    FormObject form;
    std::vector<FormObject> components; // owned by the form, in component order
};

// What the main window shows while a compile runs. Every call may process pending window messages.
class CompileProgress {
public:
    virtual ~CompileProgress() = default;
    virtual void processing(const std::string& objectName) { (void)objectName; } // "Processing %s"
    virtual void started(std::size_t sourceLength) { (void)sourceLength; }       // the bar appears
    virtual void progress(int percent) { (void)percent; }                        // position × 100 ÷ length
    virtual void finished() {}                                                   // the bar goes
};

struct CompileRequest {
    std::string editorText;               // the editor's lines joined by CR LF
    const DesignFormInfo* form = nullptr; // none: a script compiled on its own
    const EventLists* lists = nullptr;    // the event lists loaded at start-up
    CompileProgress* progress = nullptr;
    std::filesystem::path includeFolder; // empty: %SRCDIR%/include/
};

struct ComposedScript {
    std::string preprocessed;
    pascal::SourceMap map; // positions of the preprocessed text in the script and its includes
    std::string mainBlock;
    std::string text() const { return preprocessed + mainBlock; }
};

ComposedScript composeScript(const CompileRequest& request);

} // namespace script
