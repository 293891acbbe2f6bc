// The system utility block of the support library (files, INI files, registry, drives, network,
// numbers, system version, printers, shell, screens, memory, devices, processes), one table in
// registration order, registered between the string constants and the music extras.
#pragma once

#include "script/decl.h"

namespace script {

std::span<const Decl> systemUtilities();

} // namespace script
