// The typed exceptions of the standard-C++ layers. Their message is fit to show to the user as is.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace platform
