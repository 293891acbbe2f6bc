// The Controls and Inspector panels.
#include "shell/panels.h"

#include "script/property_filters.h"
#include "shell/design_form_model.h"
#include "shell/skins.h"
#include "vcl/palette.h"
#include "vcl/property_editing.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace shell {
namespace {

QString colorSheet(const char* widget, const QColor& color)
{
    return QString("%1 { background: %2; color: %3; }")
        .arg(widget, color.name(), readableTextOn(color).name());
}

} // namespace

PalettePanel::PalettePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("PalettePanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListWidget(this);
    m_list->setObjectName("ListBox1");
    m_list->addItem(QString::fromUtf8(vcl::kPaletteSelector.data(), int(vcl::kPaletteSelector.size())));
    for (std::string_view entry : vcl::paletteCategories().front().entries)
        m_list->addItem(QString::fromUtf8(entry.data(), int(entry.size())));
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
        tree->header()->setStretchLastSection(true);
        tree->header()->resizeSection(0, 130);
        tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    const_cast<vcl::Component&>(form->root()).forEachOwned([this](vcl::Component& c) {
        m_flat.push_back(&c);
    });
    for (const vcl::Component* c : m_flat)
        m_components->addItem(QString::fromStdString(c->name() + ": " + c->classInfo().name));
    m_components->setCurrentRow(0);
}

void InspectorPanel::showControl(int index)
{
    m_properties->clear();
    m_events->clear();
    if (!m_form || index < 0)
        return;
    if (index >= static_cast<int>(m_flat.size()))
        return;
    const vcl::Component& c = *m_flat[index];
    const vcl::ClassInfo& cls = c.classInfo();
    const script::ClassTest is = [&cls](std::string_view name) { return cls.inheritsFrom(name); };
    auto fill = [&](QTreeWidget* tree, bool events) {
        tree->clear();
        vcl::RowOptions options;
        options.events = events;
        for (const vcl::PropertyRow& row : vcl::propertyRows(c, options)) {
            const std::string name = row.name();
            if (events ? !script::eventsPageShows(is, name) : !script::propertiesPageShows(is, name))
                continue;
            QString value;
            try {
                value = QString::fromStdString(vcl::displayText(c, row));
            } catch (...) {
            }
            tree->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(name), value}));
        }
    };
    fill(m_properties, false);
    fill(m_events, true);
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
