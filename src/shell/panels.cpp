// The Controls and Inspector panels.
#include "shell/panels.h"

#include "shell/design_form_model.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace shell {
namespace {

// The classes a form may hold, in the palette's order.
const char* const kPaletteClasses[] = {
    "Selector", "TLabel", "TInteractiveLabel", "TButton", "TBitBtn", "TSpeedButton", "TImgBtn", "TEdit",
    "TMemo", "TCheckBox", "TRadioButton", "TListBox", "TComboBox", "TGroupBox", "TRadioGroup", "TPanel",
    "TBevel", "TShape", "TImage", "TPicShow", "TGradient", "TTextAnimator", "TTextFader", "TMarquee",
    "TScrollingCredits", "TRichEditViewer", "TNotebook", "TProgressBar", "TTrackBar", "TAnimate",
    "TMCIObject", "TWindowsMediaPlayer", "TWebBrowser", "TTimer", "TInternalPlayList"};

QString colorSheet(const char* widget, const QColor& color)
{
    return QString("%1 { background: %2; }").arg(widget, color.name());
}

void flatten(const std::vector<FormRecord>& records, std::vector<const FormRecord*>& out)
{
    for (const FormRecord& r : records) {
        out.push_back(&r);
        flatten(r.children, out);
    }
}

// A stored value as the inspector writes it.
QString displayText(const vcl::Value& v)
{
    using vcl::ValueTag;
    if (v.isInteger())
        return QString::number(v.integer);
    if (v.isString())
        return QString::fromStdString(v.text);
    if (v.isBoolean())
        return v.tag == ValueTag::True ? "True" : "False";
    if (v.isFloat())
        return QString::number(v.real);
    switch (v.tag) {
    case ValueTag::Ident:
        return QString::fromStdString(v.text);
    case ValueTag::Set: {
        QStringList names;
        for (const std::string& e : v.elements)
            names << QString::fromStdString(e);
        return "[" + names.join(", ") + "]";
    }
    case ValueTag::List:
        return QString("(%1 items)").arg(v.items.size());
    case ValueTag::Collection:
        return QString("(%1 items)").arg(v.collection.size());
    case ValueTag::Binary:
        return QString("(%1 bytes)").arg(v.text.size());
    case ValueTag::Nil:
        return "nil";
    default:
        return QString();
    }
}

} // namespace

PalettePanel::PalettePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("PalettePanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListWidget(this);
    m_list->setObjectName("ListBox1");
    for (const char* c : kPaletteClasses)
        m_list->addItem(c);
    m_list->setCurrentRow(0);
    m_list->setToolTip("The controls are placed on the form by the form designer.");
    layout->addWidget(m_list);
}

void PalettePanel::setThemeColor(const QColor& color)
{
    m_list->setStyleSheet(colorSheet("QListWidget", color));
}

InspectorPanel::InspectorPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("InspectorPanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_components = new QListWidget(this);
    m_components->setObjectName("ComponentList");
    m_components->setMaximumHeight(90);
    layout->addWidget(m_components);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("PageControl1");
    auto makeTree = [this](const char* name) {
        auto* tree = new QTreeWidget(m_tabs);
        tree->setObjectName(name);
        tree->setColumnCount(2);
        tree->setHeaderHidden(true);
        tree->setRootIsDecorated(false);
        tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
        tree->header()->resizeSection(0, 110);
        return tree;
    };
    m_properties = makeTree("ELPropertyInspector1");
    m_events = makeTree("ELPropertyInspector2");
    auto addPage = [this](QTreeWidget* tree, const char* name, const char* caption) {
        auto* page = new QWidget(m_tabs);
        page->setObjectName(name);
        auto* box = new QVBoxLayout(page);
        box->setContentsMargins(0, 0, 0, 0);
        tree->setParent(page);
        box->addWidget(tree);
        m_tabs->addTab(page, caption);
    };
    addPage(m_properties, "TabSheet1", "Properties");
    addPage(m_events, "TabSheet2", "Events");
    layout->addWidget(m_tabs, 1);
    connect(m_components, &QListWidget::currentRowChanged, this, &InspectorPanel::showControl);
}

void InspectorPanel::setThemeColor(const QColor& color)
{
    m_components->setStyleSheet(colorSheet("QListWidget", color));
    m_properties->setStyleSheet(colorSheet("QTreeWidget", color));
    m_events->setStyleSheet(colorSheet("QTreeWidget", color));
}

void InspectorPanel::clear()
{
    m_form = nullptr;
    m_flat.clear();
    m_components->clear();
    m_properties->clear();
    m_events->clear();
}

void InspectorPanel::showForm(const DesignFormModel* form)
{
    clear();
    m_form = form;
    if (!form)
        return;
    m_flat.push_back(&form->root());
    flatten(form->root().children, m_flat);
    for (const FormRecord* r : m_flat)
        m_components->addItem(QString::fromStdString(r->name + ": " + r->className));
    m_components->setCurrentRow(0);
}

void InspectorPanel::showControl(int index)
{
    m_properties->clear();
    if (!m_form || index < 0)
        return;
    if (index >= static_cast<int>(m_flat.size()))
        return;
    const FormRecord& r = *m_flat[index];
    std::vector<std::pair<QString, QString>> rows;
    rows.emplace_back("Name", QString::fromStdString(r.name));
    for (const auto& [name, value] : r.properties)
        rows.emplace_back(QString::fromStdString(name), displayText(value));
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [name, value] : rows)
        m_properties->addTopLevelItem(new QTreeWidgetItem({name, value}));
}

bool InspectorPanel::hasFocusedRow() const
{
    const QTreeWidget* tree = m_tabs->currentIndex() == 0 ? m_properties : m_events;
    return tree->hasFocus() && tree->currentItem();
}

QString InspectorPanel::focusedRowName() const
{
    const QTreeWidget* tree = m_tabs->currentIndex() == 0 ? m_properties : m_events;
    return tree->currentItem() ? tree->currentItem()->text(0) : QString();
}

} // namespace shell
