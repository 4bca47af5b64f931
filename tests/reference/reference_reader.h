// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A second reader of preset documents, built on pugixml, for differential tests.

#include <string_view>

#include "document/preset_document.h"

namespace pwtest {

pw::document::ParseResult parseWithPugixml(std::string_view bytes);

}  // namespace pwtest
