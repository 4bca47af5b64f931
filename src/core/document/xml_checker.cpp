// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/xml_checker.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/markup_scan.h"
#include "document/preset_document.h"
#include "document/text_decoding.h"

namespace pw::document {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr bool isNameStart(char32_t c) {
    return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

constexpr bool isNameChar(char32_t c) {
    return isNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// Which ASCII characters may start a Name and which may continue one.
struct AsciiNameClass {
    bool start;
    bool part;
};

constexpr std::array<AsciiNameClass, 128> makeAsciiNameClasses() {
    std::array<AsciiNameClass, 128> table{};
    for (char32_t c = 0; c < 128; ++c)
        table[c] = {isNameStart(c), isNameChar(c)};
    return table;
}

constexpr std::array<AsciiNameClass, 128> kAsciiName = makeAsciiNameClasses();

struct Binding {
    std::string prefix;
    std::size_t depth;  // element depth that declared it
};

struct OpenElement {
    std::size_t nameBegin;
    std::size_t nameLength;
    int param;  // index of the Param this element is, or -1
};

// A text being collected: the first Name of the document (param -1) or one child of
// a Param, gathering all character data until the element at `depth` closes.
struct Collector {
    int param;
    int slot;  // 0 Name, 1 ID, 2 Position, 3 Value, 4 Text; unused for the first Name
    std::size_t depth;
};

// Which of a Param's five children an element name is (0 Name, 1 ID, 2 Position,
// 3 Value, 4 Text), kParamSlot for Param itself, kOtherSlot (below 0) for any other
// name. Switching on the length first leaves comparisons of known length, which need no
// library call.
constexpr int kNameSlot = 0;
constexpr int kParamSlot = 5;
constexpr int kOtherSlot = -1;
int childSlot(std::string_view qname) {
    switch (qname.size()) {
        case 2:
            return qname == "ID" ? 1 : kOtherSlot;
        case 4:
            return qname == "Name" ? kNameSlot : qname == "Text" ? 4 : kOtherSlot;
        case 5:
            return qname == "Value" ? 3 : qname == "Param" ? kParamSlot : kOtherSlot;
        case 8:
            return qname == "Position" ? 2 : kOtherSlot;
        default:
            return kOtherSlot;
    }
}

class Checker {
  public:
    Checker(std::string_view text, PresetDocument* out) : s_(text), out_(out) {}

    // Where the fault that run() reported was found.
    std::size_t faultOffset() const { return faultOffset_; }

    std::string run() {
        if (s_.substr(0, 5) == "<?xml" && s_.size() > 5 && isSpace(s_[5])) {
            if (!xmlDeclaration()) return fault_;
        }
        bool rootSeen = false;
        while (p_ < s_.size()) {
            if (isSpace(s_[p_])) {
                ++p_;
                continue;
            }
            if (s_[p_] != '<')
                return fail(rootSeen ? "text after the root element"
                                     : "text before the root element");
            if (startsWith("<!--")) {
                if (!comment()) return fault_;
            } else if (startsWith("<?")) {
                if (!processingInstruction()) return fault_;
            } else if (startsWith("<!DOCTYPE")) {
                return fail("document type declarations are not accepted");
            } else if (startsWith("<!")) {
                return fail("unexpected markup outside the root element");
            } else if (startsWith("</")) {
                return fail("end tag without start tag");
            } else {
                if (rootSeen) return fail("more than one root element");
                rootSeen = true;
                if (!element()) return fault_;
            }
        }
        if (!rootSeen) return fail("no root element");
        return {};
    }

  private:
    std::string_view s_;
    std::size_t p_ = 0;
    std::string fault_;
    std::size_t faultOffset_ = 0;
    std::vector<OpenElement> open_;
    std::vector<Binding> bindings_;
    std::unordered_map<std::string_view, std::size_t> bound_;  // prefix -> bindings in force
    PresetDocument* out_;                                      // null: check only
    std::vector<Collector> collectors_;
    std::vector<std::string_view> attributes_, prefixed_;  // of the start tag being read
    // Once a tag has many attributes: all of them, for looking up.
    std::unordered_set<std::string_view> manyAttributes_;

    // Whether the start tag being read already had `attr`; remembers it. The few
    // attributes a tag usually has are scanned, more are looked up in a set, so that
    // a tag with a hundred thousand of them is read in linear time.
    bool repeatedAttribute(std::string_view attr) {
        constexpr std::size_t kScanned = 16;
        if (attributes_.size() < kScanned) {
            if (std::find(attributes_.begin(), attributes_.end(), attr) != attributes_.end())
                return true;
            attributes_.push_back(attr);
            return false;
        }
        if (manyAttributes_.empty()) manyAttributes_.insert(attributes_.begin(), attributes_.end());
        if (!manyAttributes_.insert(attr).second) return true;
        attributes_.push_back(attr);
        return false;
    }
    std::string normalised_;

    std::string& collected(const Collector& c) {
        if (c.param < 0) return *out_->firstName;
        ParamElement& p = out_->params[static_cast<std::size_t>(c.param)];
        std::optional<std::string>* slots[] = {&p.name, &p.id, &p.position, &p.value, &p.text};
        return **slots[c.slot];
    }

    // Character data goes to every text being collected, with line ends normalised
    // as XML reads them (CR LF and a lone CR become LF).
    void collect(std::string_view text) {
        if (collectors_.empty()) return;
        if (text.find('\r') != std::string_view::npos) {
            normalised_.clear();
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\r') {
                    normalised_ += '\n';
                    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
                } else {
                    normalised_ += text[i];
                }
            }
            text = normalised_;
        }
        for (const Collector& c : collectors_)
            collected(c).append(text);
    }

    void collectChar(char32_t cp) {
        std::string utf8;
        appendUtf8(utf8, cp);
        for (const Collector& c : collectors_)
            collected(c).append(utf8);
    }

    // A new element at `depth` named `qname`, inside the element `parent` (null for
    // the root): starts the texts it carries and the Param it is.
    int startCollecting(std::string_view qname, const OpenElement* parent, std::size_t depth) {
        if (!out_) return -1;
        const int slot = childSlot(qname);
        if (slot == kNameSlot && !out_->firstName) {
            out_->firstName.emplace();
            collectors_.push_back({-1, 0, depth});
        }
        if (slot >= 0 && slot < kParamSlot && parent && parent->param >= 0) {
            ParamElement& p = out_->params[static_cast<std::size_t>(parent->param)];
            std::optional<std::string>* slots[] = {&p.name, &p.id, &p.position, &p.value, &p.text};
            if (!*slots[slot]) {
                slots[slot]->emplace();
                collectors_.push_back({parent->param, slot, depth});
            }
        }
        if (slot == kParamSlot) {
            out_->params.emplace_back();
            return static_cast<int>(out_->params.size() - 1);
        }
        return -1;
    }

    void stopCollecting(std::size_t depth) {
        while (!collectors_.empty() && collectors_.back().depth >= depth)
            collectors_.pop_back();
    }

    std::string fail(const std::string& what) {
        faultOffset_ = p_;
        fault_ = what;
        return fault_;
    }
    bool bad(const std::string& what) {
        faultOffset_ = p_;
        fault_ = what + " (at byte " + std::to_string(p_) + ")";
        return false;
    }
    bool startsWith(std::string_view t) const { return s_.substr(p_, t.size()) == t; }

    char32_t peekChar(std::size_t at, std::size_t& len) const {
        const auto c0 = static_cast<unsigned char>(s_[at]);
        if (c0 < 0x80) {
            len = 1;
            return c0;
        }
        // The text was decoded by us, so its UTF-8 is well-formed.
        len = c0 >= 0xF0 ? 4 : c0 >= 0xE0 ? 3 : 2;
        char32_t cp = c0 & (len == 4 ? 0x07u : len == 3 ? 0x0Fu : 0x1Fu);
        for (std::size_t k = 1; k < len && at + k < s_.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s_[at + k]) & 0x3Fu);
        return cp;
    }

    // Reads a Name at p_; returns its length (0 when there is none).
    // (A local copy of the position: a store to p_ could not otherwise move past the
    // reads of the text's characters, which might alias it.)
    std::size_t name() {
        const std::size_t begin = p_, size = s_.size();
        std::size_t p = p_, len = 0;
        if (p >= size) return 0;
        const auto first = static_cast<unsigned char>(s_[p]);
        if (first < 0x80) {
            if (!kAsciiName[first].start) return 0;
            ++p;
        } else {
            if (!isNameStart(peekChar(p, len))) return 0;
            p += len;
        }
        while (p < size) {
            const auto c = static_cast<unsigned char>(s_[p]);
            if (c < 0x80) {
                if (!kAsciiName[c].part) break;
                ++p;
            } else if (isNameChar(peekChar(p, len))) {
                p += len;
            } else {
                break;
            }
        }
        p_ = p;
        return p - begin;
    }

    void skipSpace() {
        while (p_ < s_.size() && isSpace(s_[p_]))
            ++p_;
    }

    bool xmlDeclaration() {
        const auto end = s_.find("?>", p_);
        if (end == std::string_view::npos) return bad("unterminated XML declaration");
        const std::string_view body = s_.substr(5, end - 5);
        if (body.find("version") == std::string_view::npos)
            return bad("XML declaration without version");
        if (body.find('<') != std::string_view::npos || body.find('>') != std::string_view::npos)
            return bad("malformed XML declaration");
        p_ = end + 2;
        return true;
    }

    bool comment() {
        p_ += 4;
        const auto end = s_.find("--", p_);
        if (end == std::string_view::npos) return bad("unterminated comment");
        if (s_.compare(end, 3, "-->") != 0) return bad("\"--\" inside a comment");
        p_ = end + 3;
        return true;
    }

    bool processingInstruction() {
        p_ += 2;
        const std::size_t begin = p_;
        const std::size_t len = name();
        if (len == 0) return bad("processing instruction without target");
        std::string target(s_.substr(begin, len));
        std::transform(target.begin(), target.end(), target.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (target == "xml") return bad("XML declaration not at the start of the document");
        if (target.find(':') != std::string::npos)
            return bad("colon in a processing instruction target");
        if (startsWith("?>")) {
            p_ += 2;
            return true;
        }
        if (p_ >= s_.size() || !isSpace(s_[p_])) return bad("malformed processing instruction");
        const auto end = s_.find("?>", p_);
        if (end == std::string_view::npos) return bad("unterminated processing instruction");
        p_ = end + 2;
        return true;
    }

    bool cdata() {
        p_ += 9;
        const auto end = s_.find("]]>", p_);
        if (end == std::string_view::npos) return bad("unterminated CDATA section");
        collect(s_.substr(p_, end - p_));
        p_ = end + 3;
        return true;
    }

    // A reference at p_ (which holds '&'): the five predefined entities or a
    // character reference to a character XML allows.
    // A reference in content adds its character to the collected texts; one in an
    // attribute value is only checked.
    bool reference(bool content = true) {
        const auto end = s_.find(';', p_);
        if (end == std::string_view::npos || end - p_ > 12) return bad("malformed reference");
        const std::string_view ref = s_.substr(p_ + 1, end - p_ - 1);
        p_ = end + 1;
        constexpr std::pair<std::string_view, char> kPredefined[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
        for (const auto& [entity, c] : kPredefined) {
            if (ref == entity) {
                if (content) collectChar(static_cast<char32_t>(c));
                return true;
            }
        }
        if (ref.size() >= 2 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty()) return bad("malformed character reference");
            std::uint32_t v = 0;
            for (char c : digits) {
                int d = -1;
                if (c >= '0' && c <= '9')
                    d = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    d = c - 'A' + 10;
                if (d < 0) return bad("malformed character reference");
                v = v * (hex ? 16u : 10u) + static_cast<std::uint32_t>(d);
                if (v > 0x10FFFF) return bad("character reference out of range");
            }
            if (!isXmlChar(v)) return bad("character reference to a character XML does not allow");
            if (content) collectChar(v);
            return true;
        }
        return bad("reference to an undefined entity");
    }

    bool prefixBound(std::string_view qname, bool isAttribute) const {
        const auto colon = qname.find(':');
        if (colon == std::string_view::npos) return true;
        const std::string_view prefix = qname.substr(0, colon);
        if (prefix.empty() || colon + 1 == qname.size()) return false;
        if (qname.find(':', colon + 1) != std::string_view::npos) return false;
        if (prefix == "xml") return true;
        if (prefix == "xmlns") return isAttribute;
        const auto found = bound_.find(prefix);
        return found != bound_.end() && found->second > 0;
    }

    // A start tag at p_ (which holds '<'). Leaves the element open unless it is empty.
    bool startTag() {
        ++p_;
        const std::size_t nameBegin = p_;
        const std::size_t nameLen = name();
        if (nameLen == 0) return bad("malformed start tag");
        const std::size_t depth = open_.size() + 1;
        std::vector<std::string_view>& prefixed = prefixed_;
        attributes_.clear();
        manyAttributes_.clear();
        prefixed.clear();
        for (;;) {
            const std::size_t before = p_;
            skipSpace();
            if (p_ >= s_.size()) return bad("unterminated start tag");
            if (s_[p_] == '>' || startsWith("/>")) break;
            if (p_ == before) return bad("attributes must be separated by white space");
            const std::size_t attrBegin = p_;
            const std::size_t attrLen = name();
            if (attrLen == 0) return bad("malformed attribute");
            const std::string_view attr = s_.substr(attrBegin, attrLen);
            if (repeatedAttribute(attr)) return bad("duplicate attribute");
            skipSpace();
            if (p_ >= s_.size() || s_[p_] != '=') return bad("attribute without value");
            ++p_;
            skipSpace();
            if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\''))
                return bad("unquoted attribute value");
            const char quote = s_[p_++];
            const std::size_t valueBegin = p_;
            while (p_ < s_.size() && s_[p_] != quote) {
                if (s_[p_] == '<') return bad("\"<\" in an attribute value");
                if (s_[p_] == '&') {
                    if (!reference(false)) return false;
                } else {
                    ++p_;
                }
            }
            if (p_ >= s_.size()) return bad("unterminated attribute value");
            const std::string_view value = s_.substr(valueBegin, p_ - valueBegin);
            ++p_;
            if (attr.substr(0, 6) == "xmlns:") {
                const std::string_view prefix = attr.substr(6);
                if (value.empty()) return bad("a namespace prefix cannot be unbound");
                if (prefix == "xmlns") return bad("the prefix xmlns cannot be declared");
                bindings_.push_back({std::string(prefix), depth});
                ++bound_[prefix];
            }
            if (attr.find(':') != std::string_view::npos) prefixed.push_back(attr);
        }
        const std::string_view qname = s_.substr(nameBegin, nameLen);
        if (!prefixBound(qname, false)) return bad("element prefix not bound to a namespace");
        for (std::string_view attr : prefixed)
            if (!prefixBound(attr, true)) return bad("attribute prefix not bound to a namespace");
        const int param = startCollecting(qname, open_.empty() ? nullptr : &open_.back(), depth);
        if (s_[p_] == '/') {
            p_ += 2;
            dropBindings(depth);
            stopCollecting(depth);
            return true;
        }
        ++p_;
        open_.push_back({nameBegin, nameLen, param});
        return true;
    }

    void dropBindings(std::size_t depth) {
        while (!bindings_.empty() && bindings_.back().depth >= depth) {
            --bound_[bindings_.back().prefix];
            bindings_.pop_back();
        }
    }

    bool endTag() {
        p_ += 2;
        // The end tag must repeat the open element's name, followed by white space or ">".
        const OpenElement top = open_.back();
        const std::string_view open = s_.substr(top.nameBegin, top.nameLength);
        if (s_.substr(p_, open.size()) != open || p_ + open.size() >= s_.size() ||
            (s_[p_ + open.size()] != '>' && !isSpace(s_[p_ + open.size()])))
            return bad("end tag does not match its start tag");
        p_ += open.size();
        skipSpace();
        if (p_ >= s_.size() || s_[p_] != '>') return bad("malformed end tag");
        ++p_;
        dropBindings(open_.size());
        stopCollecting(open_.size());
        open_.pop_back();
        return true;
    }

    // The root element and everything in it, without recursion.
    bool element() {
        if (!startTag()) return false;
        while (!open_.empty()) {
            if (p_ >= s_.size()) return bad("unterminated element");
            const char c = s_[p_];
            if (c == '<') {
                const char next = p_ + 1 < s_.size() ? s_[p_ + 1] : '\0';
                if (next == '/') {
                    if (!endTag()) return false;
                } else if (next == '!') {
                    if (startsWith("<!--")) {
                        if (!comment()) return false;
                    } else if (startsWith("<![CDATA[")) {
                        if (!cdata()) return false;
                    } else {
                        return bad("unexpected markup declaration inside an element");
                    }
                } else if (next == '?') {
                    if (!processingInstruction()) return false;
                } else if (!startTag()) {
                    return false;
                }
            } else if (c == '&') {
                if (!reference()) return false;
            } else if (c == ']' && startsWith("]]>")) {
                return bad("\"]]>\" in text");
            } else {
                const std::size_t run = p_;
                p_ = endOfText(s_, run + 1);
                collect(s_.substr(run, p_ - run));
            }
        }
        return true;
    }
};

}  // namespace

std::string checkWellFormed(std::string_view utf8) {
    return Checker(utf8, nullptr).run();
}

std::string readWellFormed(std::string_view utf8, PresetDocument& document,
                           std::size_t* faultOffset) {
    document = {};
    document.params.reserve(utf8.size() / 160);  // a written Param takes about 160 bytes
    Checker checker(utf8, &document);
    std::string fault = checker.run();
    if (!fault.empty()) {
        document = {};
        if (faultOffset) *faultOffset = checker.faultOffset();
    }
    return fault;
}

}  // namespace pw::document
