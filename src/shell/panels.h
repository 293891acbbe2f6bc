// The contents of the Controls and Inspector panels as the studio shows them until the palette and
// the inspectors of the form designer take over: the palette's list of control classes, and a
// read-only view of the selected component's properties and events.
#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

class QListWidget;
class QTabWidget;
class QTreeWidget;

namespace vcl {
class Component;
}

namespace shell {

class DesignFormModel;

class PalettePanel : public QWidget {
    Q_OBJECT
public:
    explicit PalettePanel(QWidget* parent = nullptr);
    void setThemeColor(const QColor& color);
    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list;
};

class InspectorPanel : public QWidget {
    Q_OBJECT
public:
    explicit InspectorPanel(QWidget* parent = nullptr);
    void setThemeColor(const QColor& color);
    // Lists the form and its controls; shows the form's properties.
    void showForm(const DesignFormModel* form);
    void clear();

    bool hasFocusedRow() const;
    QString focusedRowName() const;
    QTreeWidget* properties() const { return m_properties; }
    QTreeWidget* events() const { return m_events; }

private:
    void showControl(int index);

    QTabWidget* m_tabs;
    QListWidget* m_components;
    QTreeWidget* m_properties;
    QTreeWidget* m_events;
    const DesignFormModel* m_form = nullptr;
    std::vector<const vcl::Component*> m_flat;
};

} // namespace shell
