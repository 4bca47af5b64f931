// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/preset_document.h"

#include "document/text_decoding.h"
#include "document/xml_checker.h"

namespace pw::document {

ParseResult parsePreset(std::string_view bytes) {
    ParseResult result;
    const ReadableText decoded = decodeForReading(bytes);
    if (!decoded.ok()) {
        result.status = ReadStatus::BadEncoding;
        result.error = decoded.error;
        return result;
    }
    // Checking and reading are one forward pass over the decoded text.
    std::size_t at = 0;
    result.error = readWellFormed(decoded.text, result.document, &at);
    if (!result.error.empty()) {
        result.status = ReadStatus::NotWellFormed;
        // Offsets in text decoded from another encoding do not name a byte of the file.
        if (decoded.inputOffset) result.offset = *decoded.inputOffset + at;
    }
    return result;
}

}  // namespace pw::document
