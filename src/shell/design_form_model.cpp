// The design form's component tree and its stream.
#include "shell/design_form_model.h"

#include "vcl/form_stream.h"

namespace shell {

std::unique_ptr<DesignFormModel> DesignFormModel::newForm()
{
    auto root = vcl::Component::create("TForm");
    root->setName("Form1");
    root->setText("Caption", "Form1");
    root->setInteger("Width", 490);
    root->setInteger("Height", 380);
    return std::make_unique<DesignFormModel>(std::move(root));
}

std::unique_ptr<DesignFormModel> DesignFormModel::fromFormStream(std::string_view bytes)
{
    return std::make_unique<DesignFormModel>(vcl::readFormStream(bytes));
}

std::string DesignFormModel::formStream() const
{
    return vcl::writeComponentStream(*m_root);
}

QString DesignFormModel::name() const
{
    return QString::fromStdString(m_root->name());
}

QString DesignFormModel::caption() const
{
    return componentText(*m_root, "Caption");
}

void DesignFormModel::setCaption(const QString& caption)
{
    m_root->setText("Caption", caption.toStdString());
}

int DesignFormModel::clientWidth() const
{
    return componentInteger(*m_root, "ClientWidth");
}

int DesignFormModel::clientHeight() const
{
    return componentInteger(*m_root, "ClientHeight");
}

void DesignFormModel::setClientWidth(int width)
{
    m_root->setInteger("ClientWidth", width);
}

void DesignFormModel::setClientHeight(int height)
{
    m_root->setInteger("ClientHeight", height);
}

QString componentText(const vcl::Component& c, const char* property)
{
    const vcl::PropInfo* p = c.classInfo().findProperty(property);
    if (!p || p->writeOnly)
        return {};
    try {
        return QString::fromStdString(c.text(property));
    } catch (...) {
        return {};
    }
}

int componentInteger(const vcl::Component& c, const char* property, int def)
{
    const vcl::PropInfo* p = c.classInfo().findProperty(property);
    if (!p || p->writeOnly)
        return def;
    try {
        return static_cast<int>(c.integer(property));
    } catch (...) {
        return def;
    }
}

} // namespace shell
