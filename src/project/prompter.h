// What loading and saving a project ask of the user: the password prompt and message boxes. The
// studio answers with its dialogs; tests and lmbtool answer with scripted replies.
#pragma once

#include <string>

namespace project {

enum class MessageIcon { Error, Warning, Information };

class Prompter {
public:
    virtual ~Prompter() = default;
    // The password prompt: the text entered, or empty when cancelled.
    virtual std::string askPassword() = 0;
    // A message box with one OK button; texts arrive with their path macros already expanded.
    virtual void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
};

// The progress window of a load or save: one text line and a bar.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setText(const std::string& text) { (void)text; }
    // 0..100; during an archive block, the percent of the block's bytes.
    virtual void setPercent(int percent) { (void)percent; }
};

} // namespace project
