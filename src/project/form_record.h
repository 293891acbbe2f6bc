// A walk over the binary form stream inside a project file: finds where the stream of the designed
// form ends and which class its root record names, without building components.
#pragma once

#include "vcl/typed_value_stream.h"

#include <string>

namespace project {

struct FormStreamSpan {
    size_t begin = 0; // position of "TPF0"
    size_t end = 0;   // position after the root record
    std::string rootClass;
    std::string rootName;
};

// Reads "TPF0" and one component record (with its properties and children) at the reader's position.
// Throws vcl::StreamError for damaged records.
FormStreamSpan walkFormStream(vcl::TypedValueReader& in);

} // namespace project
