// The designed form of the current project as the studio's windows hold it: the component tree of
// the form (vcl), read from and written to the project's form stream, with the few values the
// windows show or change at hand.
#pragma once

#include "vcl/component.h"

#include <QString>
#include <memory>
#include <string>

namespace shell {

class DesignFormModel {
public:
    explicit DesignFormModel(std::unique_ptr<vcl::Component> root) : m_root(std::move(root)) {}

    // Form1, 490 x 380 outside, caption equal to its name.
    static std::unique_ptr<DesignFormModel> newForm();
    // Reads the form stream; throws platform::Error (vcl::StreamError) when it is damaged or its root
    // is not a form.
    static std::unique_ptr<DesignFormModel> fromFormStream(std::string_view bytes);

    std::string formStream() const;

    vcl::Component& root() { return *m_root; }
    const vcl::Component& root() const { return *m_root; }
    QString name() const;
    QString caption() const;
    void setCaption(const QString& caption);
    int clientWidth() const;
    int clientHeight() const;
    void setClientWidth(int width);
    void setClientHeight(int height);

private:
    std::unique_ptr<vcl::Component> m_root;
};

// A component's text property as shown to the user ("" when the class has none).
QString componentText(const vcl::Component& c, const char* property);
int componentInteger(const vcl::Component& c, const char* property, int def = 0);

} // namespace shell
