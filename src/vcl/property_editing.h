// What the inspectors and the quick edit menu need from the component model: the rows of a component's
// published properties (or events), each value as display text, a new value from text with validation
// and a message fit to show, and the choices a value can take.
//
// A row is addressed by its path ("Caption", "Font.Style"); the elements of a set are rows of their own
// below it (path "Font.Style", element "fsBold", shown as True or False). Changes go through the
// component, so the form's observers hear of them.
#pragma once

#include "vcl/component.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

struct PropertyRow {
    std::string path;
    const PropInfo* prop = nullptr;
    std::string element;     // set element rows: the element's name
    int depth = 0;           // 0 for a component's own properties
    bool expandable = false; // nested objects and sets have rows below them
    bool readOnly = false;

    std::string name() const { return element.empty() ? prop->name : element; }
};

// Decides per component and property whether a row is shown.
using PropertyFilter = std::function<bool(const Component&, const PropInfo&)>;

struct RowOptions {
    bool events = false;          // the events page instead of the properties page
    bool includeReadOnly = false; // "Show read only properties"
    PropertyFilter filter;        // none: every published property
};

// The top rows of a component, in declaration order.
std::vector<PropertyRow> propertyRows(const Component& c, const RowOptions& options = {});
// The rows below an expandable row: a nested object's properties, or a set's elements.
std::vector<PropertyRow> childRows(const Component& c, const PropertyRow& row,
                                   const RowOptions& options = {});
// The rows that every one of several components has, with the same type (a multiple selection).
std::vector<PropertyRow> commonPropertyRows(const std::vector<const Component*>& components,
                                            const RowOptions& options = {});
// A row from a path (with an optional set element); throws platform::Error for an unknown one.
PropertyRow rowFor(const Component& c, std::string_view path, std::string_view element = {});

// The value as the inspector shows it: "clRed", "$00123456", "[akLeft,akTop]", "(TFont)", "(None)",
// "Ctrl+S", "(TNotifyEvent)" ...
std::string displayText(const Component& c, const PropertyRow& row);
std::string displayText(const Component& c, std::string_view path);

// Sets the value typed by the user; throws platform::Error with the message to show when the text is
// not a value of the property ("'abc' is not a valid integer value", "Invalid property value").
void setFromText(Component& c, const PropertyRow& row, std::string_view text);
void setFromText(Component& c, std::string_view path, std::string_view text);

// The values a drop-down offers: enumeration elements, True/False, colour and cursor names, and for a
// reference the names of the form's components of a fitting class (never the form itself).
std::vector<std::string> valueChoices(const Component& c, const PropertyRow& row);

// True when the value equals what a new component of the class starts with (shown plain, not bold).
bool isInitialValue(const Component& c, const PropertyRow& row);

} // namespace vcl
