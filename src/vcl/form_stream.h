// The binary component stream: a component and everything on it as the signature TPF0 and nested
// records, as project files, form files and the clipboard carry forms.
//
// A record is: an optional prefix byte (0xF0 | flags: 1 inherited, 2 a child position follows as an
// integer, 4 inline; accepted on reading, never written), the class name and the component name as
// length-prefixed texts, the properties (a name with dots for nested objects, then one typed value) up
// to a Null, the child records up to a Null. The children of a form are its controls in stacking order,
// each holding its own controls, then the components that have no parent control.
//
// Properties are written in declaration order when they are stored and differ from their default (or
// from the class's initial value, so that nothing a reader would not restore is left out). Writing is
// byte-stable: what a reader gives back is written as the same bytes.
//
// Reading accepts only classes registered for streaming (an unknown class is an error naming it),
// checks names, nesting, repeated properties and every value against its property's type, keeps
// properties that no metadata knows as raw values (written back after the known ones), and drops event
// bindings (handlers are bound by name through the script). Every failure is a StreamError with the
// offset of the offending byte.
#pragma once

#include "vcl/component.h"
#include "vcl/typed_value_stream.h"

#include <memory>
#include <string>
#include <string_view>

namespace vcl {

// Appends the signature and the records of `root` (with its children) to `out`.
void writeComponentStream(const Component& root, TypedValueWriter& out);
std::string writeComponentStream(const Component& root);

// Reads one signature and record tree from the reader's position, leaving the reader after it. The
// root must be of `rootClass` or a descendant (any streamable class with nullptr).
std::unique_ptr<Component> readComponentStream(TypedValueReader& in, const ClassInfo* rootClass);
std::unique_ptr<Component> readComponentStream(std::string_view bytes, const ClassInfo* rootClass);

// The same for forms: the root must be a TForm.
std::unique_ptr<Component> readFormStream(TypedValueReader& in);
std::unique_ptr<Component> readFormStream(std::string_view bytes);

// What reading records into an existing form (pasting) needs: names that collide with the form's get
// the next free name of their class, and the renames are noted so that references can follow them.
struct RecordReadContext {
    bool renameCollisions = false;
    std::vector<std::pair<std::string, std::string>> renamed; // old name, new name
    std::vector<Component*> created;                          // every component read, in order
    NoCaseMap<std::size_t> nextNumber;                        // where the name search of a base goes on
};

// One record (without signature) read into the form `root`, with `parent` as the parent of a control.
// `depth` counts the records above it. Returns the component created.
Component& readComponentRecord(TypedValueReader& in, Component& root, Component* parent, int depth,
                               RecordReadContext* context = nullptr);
// The class name of the root record of a stream (after its signature); StreamError when malformed.
std::string streamRootClassName(std::string_view stream);

// One record (without signature).
void writeComponentRecord(const Component& component, TypedValueWriter& out, bool isRoot);

} // namespace vcl
