// Reading script files for the commands that compile them: the file's bytes (text made on Windows
// taken as Windows-1252), and includes resolved against the folder of the including file.
#pragma once

#include "pascal/preprocessor.h"

#include <string>

namespace lmbtool {

bool readScriptFile(const std::string& path, std::string& text);
pascal::IncludeCallback includeFromFolder();

} // namespace lmbtool
