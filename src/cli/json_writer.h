// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every JSON document the command line prints (--json): the reports build the value,
// this writes it.

#include <cstddef>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pw::cli {

using Json = nlohmann::ordered_json;  // keys stay in the order the report gives them

// Indented by two blanks, one document per call, ending in a line feed. A text that is
// not UTF-8 (a file name, say) is written readable, each stray byte as U+FFFD, and its
// exact bytes follow under the same key with "_bytes" added, in base64
// ("file": "bad\uFFFD.rp250p", "file_bytes": "YmFk/y5ycDI1MHA=").
void writeJson(std::ostream& out, const Json& document);

// A listing of thousands of entries is written as it goes, never held as a document: one
// object whose members take a line each, and whose lists take a line per entry, each
// entry an object on one line with no blanks, the same texts as writeJson's:
//   {
//     "target": "RP255",
//     "presets": [
//       {"file":"a.rp255p","member":null,"rows":7},
//       {"file":"b.rp255p","member":null,"rows":9}
//     ],
//     "summary": {"presets":2}
//   }
class JsonLine {
  public:
    // A text, followed by "KEY_bytes" when it is not UTF-8.
    JsonLine& text(std::string_view key, std::string_view value);
    JsonLine& texts(std::string_view key, std::span<const std::string_view> values);
    JsonLine& number(std::string_view key, std::size_t value);
    JsonLine& number(std::string_view key, std::optional<std::size_t> value);  // or null
    JsonLine& flag(std::string_view key, bool value);
    JsonLine& null(std::string_view key);
    JsonLine& object(std::string_view key, const JsonLine& value);
    // The object, closed.
    std::string str() const { return out_ + '}'; }

  private:
    void key(std::string_view key);
    std::string out_ = "{";
};

class JsonListing {
  public:
    explicit JsonListing(std::ostream& out);
    // A member of the outer object: any JSON value (jsonText, a JsonLine's str(), "null").
    void member(std::string_view key, std::string_view json);
    void beginList(std::string_view key);
    void entry(const JsonLine& line);
    void endList();
    // Closes the outer object.
    void end();

  private:
    void next();
    std::ostream& out_;
    bool first_ = true;       // no member written yet
    bool firstEntry_ = true;  // no entry in the open list yet
};

// A text as a JSON string, as writeJson writes it.
std::string jsonText(std::string_view text);

// Whether the text is well-formed UTF-8, and its bytes in base64 (RFC 4648, padded).
bool isUtf8(std::string_view text);
std::string base64(std::string_view bytes);

}  // namespace pw::cli
