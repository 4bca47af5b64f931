// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/open_file_types.h"

#include "document/roots.h"

namespace pw::document {

std::vector<FileType> openFileTypes() {
    std::vector<FileType> types = {{"All RP Patches", "*.rp???p;*.rp????p"}};
    for (const RootInfo& root : roots()) {
        const std::string pattern = "*" + std::string(root.extension);
        if (types.back().description == root.dialogType)
            types.back().patterns += ";" + pattern;
        else
            types.push_back(FileType{std::string(root.dialogType), pattern});
    }
    return types;
}

}  // namespace pw::document
