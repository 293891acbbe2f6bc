// The compile of the studio: the check that every project save runs and the text transformation whose
// result projects store. The editor's text is preprocessed (includes from the folder of the including
// file, else the studio's include folder), the generated main block is appended, and the resulting
// composed script text is compiled against unit SYSTEM: the script interface plus the imported class
// variables of the design form. A uses clause naming any unit fails with the compiler's
// unknown-identifier error.
//
// The result is plain data for the main window: the rows of the Messages list, the first error's
// position for the editor, the composed text and the compiler's outputs. Windows are reached only
// through CompileProgress.
#pragma once

#include "script/event_handlers.h"
#include "script/inspector_filters.h"
#include "script/registration.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace script {

// Icons of the Messages list rows (indexes of the shared status image list).
enum class MessageIcon : int { Success = 1, Warning = 2, Error = 3 };

struct MessageRow {
    std::string text;
    int row = -1; // -1: no source position
    int col = -1;
    MessageIcon icon = MessageIcon::Success;
};

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
    std::string editorText;                // the editor's lines joined by CR LF
    const DesignFormInfo* form = nullptr;  // none: a script compiled on its own
    const EventLists* lists = nullptr;     // the event lists loaded at start-up
    CompileProgress* progress = nullptr;
    std::filesystem::path includeFolder;   // empty: %SRCDIR%/include/
};

struct FirstError {
    int row = -1;
    int col = -1;
    std::string longText; // "[Error] (12:5): Unknown identifier 'Foo'"
};

struct CompileOutcome {
    bool success = false;
    bool refused = false;         // a compile was already running; nothing was done
    std::string composedText;     // preprocessed script + generated main block
    std::vector<MessageRow> rows; // the Messages list, in order
    std::optional<FirstError> firstError;
    std::string compiledOutput;   // empty after a failure
    std::string debugOutput;
};

class CompilerHost {
public:
    CompileOutcome compile(const CompileRequest& request);

    bool busy() const { return m_busy; }
    // Of the last compile (the composed text whatever its result; the outputs of the last success).
    const std::string& composedText() const { return m_composedText; }
    const std::string& compiledOutput() const { return m_compiledOutput; }
    const std::string& debugOutput() const { return m_debugOutput; }

private:
    bool m_busy = false;
    std::string m_composedText;
    std::string m_compiledOutput;
    std::string m_debugOutput;
};

// The text that reaches the compiler: the preprocessed editor text (a preprocessor failure keeps the
// output made so far) followed by the generated main block.
std::string composeScript(const CompileRequest& request);

// The imported variables of a design form: the form as TForm, then each component under its class.
std::vector<ImportedVariable> formVariables(const DesignFormInfo& form);

} // namespace script
