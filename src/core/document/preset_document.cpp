#include "document/preset_document.h"

#include "document/text_decoding.h"
#include "document/xml_checker.h"

namespace pw::document {

ParseResult parsePreset(std::string_view bytes) {
    ParseResult result;
    const ReadableText decoded = decodeForReading(bytes);
    if (!decoded.ok()) {
        result.error = decoded.error;
        return result;
    }
    // Checking and reading are one forward pass over the decoded text.
    result.error = readWellFormed(decoded.text, result.document);
    return result;
}

}  // namespace pw::document
