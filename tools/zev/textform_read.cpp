// Reading the text form (zev build). Every bad line is reported with its
// number and reason; the dictionary is only filled when there is none.
#include <stdio.h>
#include <stdlib.h>

#include <stdint.h>

#include <algorithm>
#include <map>

#include "textform.h"

namespace zevtool {

namespace {

const size_t kMaxText = 255;
const size_t kMaxEntries = 16384;
const size_t kMaxHeader = 65535;

struct Token {
    std::string body;  // without the quotes
    bool quoted;
};

struct PendingEntry {
    size_t line;
    std::vector<Token> fields;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool ParseUnsigned(const std::string& text, unsigned long maximum, unsigned long* value) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = strtoul(text.c_str(), nullptr, 10);
    return *value <= maximum;
}

std::string CodePoint(const std::string& utf8) {
    uint32_t code = static_cast<uint8_t>(utf8[0]);
    if (utf8.size() > 1) code &= 0x7F >> utf8.size();
    for (size_t i = 1; i < utf8.size(); ++i) code = (code << 6) | (utf8[i] & 0x3F);
    char name[16];
    snprintf(name, sizeof name, "U+%04X", code);
    return name;
}

class Reader {
public:
    Reader(Cp932& codec, DictionaryModel* model, std::vector<LineError>* errors)
        : codec_(codec), model_(model), errors_(errors) {}

    void Read(const std::string& text);

private:
    void Error(size_t line, const std::string& reason) { errors_->push_back({line, reason}); }
    bool Split(const std::string& line, std::vector<Token>* tokens);
    bool Text(const Token& token, std::string* cp932);
    bool Encode(const std::string& utf8, std::string* cp932);
    void Keyword(const std::vector<Token>& tokens);
    bool Once(const std::string& keyword);
    void SetText(const std::vector<Token>& tokens, std::string* field, bool mayBeEmpty);
    void AddName(const std::vector<Token>& tokens, std::vector<std::string>* names);
    void Finish();
    void ResolveEntry(const PendingEntry& pending);
    bool Level(const Token& token, uint8_t* level);
    bool Types(const Token& token, uint8_t* mask);
    bool Condition(const Token& token, uint8_t* condition);
    bool Numbered(const std::string& item, size_t count, const std::vector<std::string>& names,
                  const char* what, unsigned long* number);

    Cp932& codec_;
    DictionaryModel* model_;
    std::vector<LineError>* errors_;
    size_t line_ = 0;
    bool sawFormat_ = false;
    std::map<std::string, size_t> seen_;  // keyword -> line of its first use
    size_t lastNameLine_ = 0;
    std::vector<PendingEntry> entries_;
};

// Splits a line into fields: runs of non-blank characters, or double-quoted
// texts in which blanks are kept. Escapes stay for Text() to resolve.
bool Reader::Split(const std::string& line, std::vector<Token>* tokens) {
    for (size_t at = 0; at < line.size();) {
        if (IsBlank(line[at])) {
            ++at;
            continue;
        }
        Token token{"", line[at] == '"'};
        if (!token.quoted) {
            while (at < line.size() && !IsBlank(line[at])) token.body.push_back(line[at++]);
        } else {
            ++at;
            while (at < line.size() && line[at] != '"') {
                if (line[at] == '\\' && at + 1 < line.size()) token.body.push_back(line[at++]);
                token.body.push_back(line[at++]);
            }
            if (at >= line.size()) return Error(line_, "a quoted text has no closing quote"), false;
            ++at;
            if (at < line.size() && !IsBlank(line[at]))
                return Error(line_, "a closing quote must be followed by a blank"), false;
        }
        tokens->push_back(token);
    }
    return true;
}

// Converts literal UTF-8 to code page 932, naming the first character that
// has no exact form there.
bool Reader::Encode(const std::string& utf8, std::string* cp932) {
    std::string bytes;
    if (codec_.Encode(utf8, &bytes)) {
        *cp932 += bytes;
        return true;
    }
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = Utf8CharLength(utf8, at);
        if (length == 0) return Error(line_, "the line is not valid UTF-8"), false;
        const std::string character = utf8.substr(at, length);
        if (!codec_.EncodeChar(utf8, at, length, &bytes)) {
            Error(line_, "'" + character + "' (" + CodePoint(character) +
                             ") cannot be written in code page 932");
            return false;
        }
        at += length;
    }
    return Error(line_, "the text cannot be written in code page 932"), false;
}

bool Reader::Text(const Token& token, std::string* cp932) {
    cp932->clear();
    std::string literal;
    const std::string& body = token.body;
    for (size_t at = 0; at < body.size(); ++at) {
        if (body[at] != '\\') {
            literal.push_back(body[at]);
            continue;
        }
        const char next = at + 1 < body.size() ? body[at + 1] : '\0';
        ++at;
        switch (next) {
            case '\\':
            case '"':
                literal.push_back(next);
                continue;
            case 't':
                literal.push_back('\t');
                continue;
            case 'n':
                literal.push_back('\n');
                continue;
            case 'r':
                literal.push_back('\r');
                continue;
            case 'x':
                break;
            default:
                return Error(line_, "unknown escape '\\" + std::string(1, next) + "'"), false;
        }
        unsigned long byte = 0;
        const std::string hex = body.substr(at + 1, 2);
        if (hex.size() != 2 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return Error(line_, "'\\x' needs two hexadecimal digits"), false;
        byte = strtoul(hex.c_str(), nullptr, 16);
        if (!Encode(literal, cp932)) return false;
        literal.clear();
        cp932->push_back(static_cast<char>(byte));
        at += 2;
    }
    if (!Encode(literal, cp932)) return false;
    if (cp932->find('\0') != std::string::npos)
        return Error(line_, "a text cannot hold the character NUL"), false;
    if (cp932->size() > kMaxText) {
        Error(line_, "the text is " + std::to_string(cp932->size()) +
                         " bytes long in code page 932; at most 255 fit");
        return false;
    }
    return true;
}

bool Reader::Once(const std::string& keyword) {
    auto found = seen_.find(keyword);
    if (found == seen_.end()) {
        seen_[keyword] = line_;
        return true;
    }
    Error(line_, "a second '" + keyword + "' line (the first is line " +
                     std::to_string(found->second) + ")");
    return false;
}

void Reader::SetText(const std::vector<Token>& tokens, std::string* field, bool mayBeEmpty) {
    const std::string& keyword = tokens[0].body;
    if (tokens.size() != 2) return Error(line_, "'" + keyword + "' takes one text");
    if (!Once(keyword) || !Text(tokens[1], field)) return;
    if (!mayBeEmpty && field->empty()) Error(line_, "the " + keyword + " dialect needs a name");
}

void Reader::AddName(const std::vector<Token>& tokens, std::vector<std::string>* names) {
    const std::string& keyword = tokens[0].body;
    unsigned long number = 0;
    if (tokens.size() != 3) return Error(line_, "'" + keyword + "' takes a number and a name");
    if (!ParseUnsigned(tokens[1].body, 255, &number) || number != names->size() + 1) {
        if (names->size() == 255) return Error(line_, "at most 255 " + keyword + "s fit");
        return Error(line_, "expected " + keyword + " " + std::to_string(names->size() + 1) +
                                " here, found '" + tokens[1].body + "'");
    }
    std::string name;
    if (!Text(tokens[2], &name)) return;
    names->push_back(name);
    lastNameLine_ = line_;
}

void Reader::Keyword(const std::vector<Token>& tokens) {
    const std::string& keyword = tokens[0].body;
    if (keyword == "source") return SetText(tokens, &model_->sourceName, false);
    if (keyword == "target") return SetText(tokens, &model_->targetName, false);
    if (keyword == "holder") return SetText(tokens, &model_->copyrightHolder, true);
    if (keyword == "comment") return SetText(tokens, &model_->comment, true);
    if (keyword == "level") return AddName(tokens, &model_->levelNames);
    if (keyword == "type") return AddName(tokens, &model_->typeNames);
    if (keyword == "year") {
        unsigned long year = 0;
        if (tokens.size() != 2 || !ParseUnsigned(tokens[1].body, 65535, &year))
            return Error(line_, "'year' takes a number from 0 to 65535");
        if (Once(keyword)) model_->copyrightYear = static_cast<uint16_t>(year);
        return;
    }
    if (keyword == "version") {
        unsigned long parts[3] = {0, 0, 0};
        const std::string& text = tokens.size() == 2 ? tokens[1].body : "";
        const size_t dot1 = text.find('.');
        const size_t dot2 = dot1 == std::string::npos ? dot1 : text.find('.', dot1 + 1);
        if (dot2 == std::string::npos || !ParseUnsigned(text.substr(0, dot1), 255, &parts[0]) ||
            !ParseUnsigned(text.substr(dot1 + 1, dot2 - dot1 - 1), 255, &parts[1]) ||
            !ParseUnsigned(text.substr(dot2 + 1), 255, &parts[2]))
            return Error(line_, "'version' takes three numbers from 0 to 255, as in 1.0.0");
        if (!Once(keyword)) return;
        for (int i = 0; i < 3; ++i) model_->version[i] = static_cast<uint8_t>(parts[i]);
        return;
    }
    if (tokens.size() != 5)
        return Error(line_,
                     "an entry has five fields (level, types, condition, source, "
                     "target); found " +
                         std::to_string(tokens.size()) + " (is '" + keyword +
                         "' a misspelt keyword?)");
    entries_.push_back({line_, tokens});
}

void Reader::Read(const std::string& text) {
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a UTF-8 BOM
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++line_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::vector<Token> tokens;
        if (!Split(line, &tokens)) continue;
        if (!sawFormat_) {
            sawFormat_ = true;
            if (tokens.size() != 2 || tokens[0].body != "zev-text" || tokens[1].body != "1") {
                Error(line_, "the first line must be 'zev-text 1' (is this a dictionary text?)");
                return;
            }
            continue;
        }
        Keyword(tokens);
    }
    if (!sawFormat_) return Error(0, "the text is empty; the first line must be 'zev-text 1'");
    Finish();
}

void Reader::Finish() {
    for (const char* required : {"source", "target"})
        if (!seen_.count(required)) Error(0, std::string("no '") + required + "' line");
    if (model_->levelNames.empty()) Error(0, "no 'level' line: a dictionary has 1 to 255 levels");
    if (model_->typeNames.empty()) Error(0, "no 'type' line: a dictionary has 1 to 255 types");
    size_t header = 2 + model_->sourceName.size() + 1 + model_->targetName.size() + 1;
    for (const std::string& name : model_->levelNames) header += 1 + name.size();
    for (const std::string& name : model_->typeNames) header += 1 + name.size();
    if (header > kMaxHeader)
        Error(lastNameLine_, "the dialect, level and type names take " + std::to_string(header) +
                                 " bytes; at most 65535 fit in the header");
    for (size_t i = 0; i < entries_.size(); ++i) {
        line_ = entries_[i].line;
        if (i == kMaxEntries) {
            Error(line_, "more than 16384 entries: a dictionary holds at most 16384");
            break;
        }
        ResolveEntry(entries_[i]);
    }
}

// A level or type given by number (with '!' when beyond the dictionary's
// count on purpose) or by name.
bool Reader::Numbered(const std::string& item, size_t count, const std::vector<std::string>& names,
                      const char* what, unsigned long* number) {
    const bool beyond = !item.empty() && item.back() == '!';
    const std::string digits = beyond ? item.substr(0, item.size() - 1) : item;
    if (ParseUnsigned(digits, 255, number) && *number >= 1) {
        if (*number <= count || beyond) return true;
        Error(line_, std::string("unknown ") + what + " " + digits + ": the dictionary has " +
                         what + "s 1 to " + std::to_string(count) + " (write " + digits +
                         "! to keep it anyway)");
        return false;
    }
    std::string name;
    if (!Text(Token{item, false}, &name)) return false;
    size_t matches = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] != name || name.empty()) continue;
        if (++matches == 1) *number = i + 1;
    }
    if (matches == 1) return true;
    Error(line_, std::string(matches ? "ambiguous " : "unknown ") + what + " '" + item + "'" +
                     (matches ? ": several have this name; give its number" : ""));
    return false;
}

bool Reader::Level(const Token& token, uint8_t* level) {
    unsigned long number = 0;
    if (!Numbered(token.body, model_->levelNames.size(), model_->levelNames, "level", &number))
        return false;
    *level = static_cast<uint8_t>(number);
    return true;
}

bool Reader::Types(const Token& token, uint8_t* mask) {
    *mask = 0;
    if (token.body == "-") return true;
    size_t start = 0;
    for (;;) {
        const size_t comma = token.body.find(',', start);
        const std::string item = token.body.substr(start, comma - start);
        unsigned long type = 0;
        if (!Numbered(item, model_->typeNames.size(), model_->typeNames, "type", &type))
            return false;
        if (type > 8) {
            Error(line_, "type " + std::to_string(type) +
                             " cannot be stored: an entry holds types 1 to 8 only");
            return false;
        }
        *mask = static_cast<uint8_t>(*mask | (1u << (type - 1)));
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool Reader::Condition(const Token& token, uint8_t* condition) {
    unsigned long value = 0;
    if (token.body == "and")
        value = 1;
    else if (token.body == "or")
        value = 0;
    else if (!ParseUnsigned(token.body, 255, &value))
        return Error(line_, "the condition is 'and', 'or' or a number from 0 to 255, not '" +
                                token.body + "'"),
               false;
    *condition = static_cast<uint8_t>(value);
    return true;
}

void Reader::ResolveEntry(const PendingEntry& pending) {
    EntryModel entry;
    const std::vector<Token>& f = pending.fields;
    bool ok = Level(f[0], &entry.level);
    ok = Types(f[1], &entry.typeMask) && ok;
    ok = Condition(f[2], &entry.condition) && ok;
    ok = Text(f[3], &entry.source) && ok;
    ok = Text(f[4], &entry.target) && ok;
    if (ok && entry.typeMask == 0 && entry.level > model_->levelNames.size()) {
        Error(line_, "an entry without types must have one of the dictionary's levels");
        ok = false;
    }
    if (ok) model_->entries.push_back(entry);
}

}  // namespace

bool ReadTextForm(const std::string& text, Cp932& codec, DictionaryModel* model,
                  std::vector<LineError>* errors) {
    *model = DictionaryModel();
    errors->clear();
    Reader(codec, model, errors).Read(text);
    // In line order, with the problems of no single line last.
    std::stable_sort(errors->begin(), errors->end(), [](const LineError& a, const LineError& b) {
        return (a.line ? a.line : SIZE_MAX) < (b.line ? b.line : SIZE_MAX);
    });
    return errors->empty();
}

}  // namespace zevtool
