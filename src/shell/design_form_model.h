// The designed form of the current project as the studio's windows hold it: its binary form stream
// read into records (class, name, properties in stream order, child records), so that a form read
// from a file is written back with the same bytes, and the few values the windows show or change
// (caption, client size, the controls' bounds and captions) are at hand.
#pragma once

#include "vcl/value.h"

#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace shell {

struct FormRecord {
    std::string className;
    std::string name;
    std::vector<std::pair<std::string, vcl::Value>> properties;
    std::vector<FormRecord> children;

    const vcl::Value* find(const std::string& property) const;
    std::int64_t integer(const std::string& property, std::int64_t def = 0) const;
    QString text(const std::string& property) const;
    void setInteger(const std::string& property, std::int64_t v);
    void setText(const std::string& property, const QString& v);
};

class DesignFormModel {
public:
    // Form1, 490 x 380 outside, caption equal to its name.
    static std::unique_ptr<DesignFormModel> newForm();
    // Reads "TPF0" and the root record; throws platform::Error (vcl::StreamError) when damaged or when
    // the root is not a form.
    static std::unique_ptr<DesignFormModel> fromFormStream(std::string_view bytes);

    std::string formStream() const;

    const FormRecord& root() const { return m_root; }
    QString name() const { return QString::fromStdString(m_root.name); }
    QString caption() const;
    void setCaption(const QString& caption);
    int clientWidth() const;
    int clientHeight() const;
    void setClientWidth(int width);
    void setClientHeight(int height);

private:
    FormRecord m_root;
};

} // namespace shell
