// Form records read and written with the typed-value stream. Properties keep their stream order
// and their typed values, so nothing of a form made by another writer is lost.
#include "shell/design_form_model.h"

#include "platform/errors.h"
#include "vcl/typed_value_stream.h"

namespace shell {
namespace {

// A form's outer size less its client size, with the standard sizeable border and caption.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 34;
constexpr int kMaxDepth = 200;

FormRecord readRecord(vcl::TypedValueReader& in, int depth)
{
    if (depth > kMaxDepth)
        in.fail("Form nested too deeply");
    FormRecord r;
    const auto first =
        in.atEnd() ? std::uint8_t{0} : static_cast<std::uint8_t>(in.data()[in.position()]);
    if ((first & 0xF0) == 0xF0) {
        in.readU8();
        if (first & 0x02)
            in.readInteger();
    }
    r.className = in.readShortString();
    r.name = in.readShortString();
    if (r.className.empty())
        in.fail("Empty class name");
    while (!in.endOfList()) {
        std::string prop = in.readShortString();
        if (prop.empty())
            in.fail("Empty property name");
        r.properties.emplace_back(std::move(prop), in.readValue());
    }
    in.readListEnd();
    while (!in.endOfList())
        r.children.push_back(readRecord(in, depth + 1));
    in.readListEnd();
    return r;
}

void writeRecord(vcl::TypedValueWriter& out, const FormRecord& r)
{
    out.writeShortString(r.className);
    out.writeShortString(r.name);
    for (const auto& [name, value] : r.properties) {
        out.writeShortString(name);
        out.writeValue(value);
    }
    out.writeListEnd();
    for (const FormRecord& child : r.children)
        writeRecord(out, child);
    out.writeListEnd();
}

} // namespace

const vcl::Value* FormRecord::find(const std::string& property) const
{
    for (const auto& [name, value] : properties) {
        if (name == property)
            return &value;
    }
    return nullptr;
}

std::int64_t FormRecord::integer(const std::string& property, std::int64_t def) const
{
    const vcl::Value* v = find(property);
    return v && v->isInteger() ? v->integer : def;
}

QString FormRecord::text(const std::string& property) const
{
    const vcl::Value* v = find(property);
    return v && v->isString() ? QString::fromStdString(v->text) : QString();
}

void FormRecord::setInteger(const std::string& property, std::int64_t v)
{
    for (auto& [name, value] : properties) {
        if (name == property) {
            value = vcl::Value::integerValue(v);
            return;
        }
    }
    properties.emplace_back(property, vcl::Value::integerValue(v));
}

void FormRecord::setText(const std::string& property, const QString& v)
{
    const vcl::Value value = vcl::Value::string(v.toStdString());
    for (auto& [name, old] : properties) {
        if (name == property) {
            old = value;
            return;
        }
    }
    properties.emplace_back(property, value);
}

std::unique_ptr<DesignFormModel> DesignFormModel::newForm()
{
    auto form = std::make_unique<DesignFormModel>();
    FormRecord& r = form->m_root;
    r.className = "TForm";
    r.name = "Form1";
    r.setInteger("Left", 200);
    r.setInteger("Top", 120);
    r.setInteger("Width", 490);
    r.setInteger("Height", 380);
    r.setText("Caption", "Form1");
    r.setInteger("ClientHeight", 380 - kFrameHeight);
    r.setInteger("ClientWidth", 490 - kFrameWidth);
    return form;
}

std::unique_ptr<DesignFormModel> DesignFormModel::fromFormStream(std::string_view bytes)
{
    vcl::TypedValueReader in(bytes);
    in.readSignature();
    auto form = std::make_unique<DesignFormModel>();
    form->m_root = readRecord(in, 0);
    if (form->m_root.className != "TForm")
        throw platform::Error("The root of the form stream is a " + form->m_root.className + ", not a form");
    return form;
}

std::string DesignFormModel::formStream() const
{
    std::string bytes;
    vcl::TypedValueWriter out(bytes);
    out.writeSignature();
    writeRecord(out, m_root);
    return bytes;
}

QString DesignFormModel::caption() const
{
    return m_root.text("Caption");
}

void DesignFormModel::setCaption(const QString& caption)
{
    m_root.setText("Caption", caption);
}

int DesignFormModel::clientWidth() const
{
    return static_cast<int>(m_root.integer("ClientWidth", m_root.integer("Width", 490) - kFrameWidth));
}

int DesignFormModel::clientHeight() const
{
    return static_cast<int>(m_root.integer("ClientHeight", m_root.integer("Height", 380) - kFrameHeight));
}

void DesignFormModel::setClientWidth(int width)
{
    m_root.setInteger("ClientWidth", width);
    if (m_root.find("Width"))
        m_root.setInteger("Width", width + kFrameWidth);
}

void DesignFormModel::setClientHeight(int height)
{
    m_root.setInteger("ClientHeight", height);
    if (m_root.find("Height"))
        m_root.setInteger("Height", height + kFrameHeight);
}

} // namespace shell
