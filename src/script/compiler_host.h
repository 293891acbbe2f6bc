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

#include "script/composed_script.h"
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
    std::string compiledOutput; // empty after a failure
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

// The imported variables of a design form: the form as TForm, then each component under its class.
std::vector<ImportedVariable> formVariables(const DesignFormInfo& form);

} // namespace script
