// The Controls and Inspector panels.
#include "shell/panels.h"

#include "shell/design_form_window.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

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

void flatten(const std::vector<DesignControl>& controls, std::vector<const DesignControl*>& out)
{
    for (const DesignControl& c : controls) {
        out.push_back(&c);
        flatten(c.children, out);
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
    m_components->addItem(form->name + ": TForm");
    flatten(form->controls, m_flat);
    for (const DesignControl* c : m_flat)
        m_components->addItem(c->name + ": " + c->className);
    m_components->setCurrentRow(0);
}

void InspectorPanel::showControl(int index)
{
    m_properties->clear();
    if (!m_form || index < 0)
        return;
    auto add = [this](const QString& name, const QString& value) {
        m_properties->addTopLevelItem(new QTreeWidgetItem({name, value}));
    };
    if (index == 0) {
        add("Caption", m_form->caption);
        add("ClientHeight", QString::number(m_form->clientHeight));
        add("ClientWidth", QString::number(m_form->clientWidth));
        add("Name", m_form->name);
        return;
    }
    if (index - 1 >= static_cast<int>(m_flat.size()))
        return;
    const DesignControl& c = *m_flat[index - 1];
    if (!c.caption.isEmpty())
        add("Caption", c.caption);
    add("Height", QString::number(c.height));
    add("Left", QString::number(c.left));
    add("Name", c.name);
    add("Top", QString::number(c.top));
    add("Width", QString::number(c.width));
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
