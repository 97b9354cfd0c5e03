// Writing the text form (zev dump).
#include <stdio.h>

#include "textform.h"

namespace zevtool {

static void AppendHex(std::string* out, uint8_t byte) {
    char escape[8];
    snprintf(escape, sizeof escape, "\\x%02X", byte);
    out->append(escape);
}

// Escapes the ASCII characters that the text form reserves.
static void AppendAscii(std::string* out, char c) {
    switch (c) {
        case '\\':
            out->append("\\\\");
            return;
        case '"':
            out->append("\\\"");
            return;
        case '\t':
            out->append("\\t");
            return;
        case '\n':
            out->append("\\n");
            return;
        case '\r':
            out->append("\\r");
            return;
        default:
            break;
    }
    if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F)
        AppendHex(out, static_cast<uint8_t>(c));
    else
        out->push_back(c);
}

std::string EscapeText(const std::string& cp932, Cp932& codec) {
    std::string out;
    for (size_t at = 0; at < cp932.size();) {
        const uint8_t byte = static_cast<uint8_t>(cp932[at]);
        if (byte < 0x80) {
            AppendAscii(&out, cp932[at++]);
            continue;
        }
        const size_t length = Cp932CharLength(cp932, at);
        if (codec.DecodeChar(cp932, at, length, true, &out)) {
            at += length;
        } else {
            // Only this byte: what follows may be a character of its own.
            AppendHex(&out, byte);
            ++at;
        }
    }
    return out;
}

// A text field: bare where that is unambiguous, else in double quotes.
static std::string Field(const std::string& cp932, Cp932& codec) {
    const std::string body = EscapeText(cp932, codec);
    const bool quote = body.empty() || body.find(' ') != std::string::npos ||
                       body.find("\xE3\x80\x80") != std::string::npos;  // U+3000
    return quote ? "\"" + body + "\"" : body;
}

static std::string Number(unsigned value, bool beyondCount) {
    return std::to_string(value) + (beyondCount ? "!" : "");
}

static std::string Types(uint8_t mask, size_t typeCount) {
    if (mask == 0) return "-";
    std::string out;
    for (unsigned type = 1; type <= 8; ++type) {
        if (!(mask & (1u << (type - 1)))) continue;
        if (!out.empty()) out += ",";
        out += Number(type, type > typeCount);
    }
    return out;
}

static std::string Condition(uint8_t condition) {
    if (condition == 1) return "and";
    if (condition == 0) return "or";
    return std::to_string(condition);
}

std::string WriteTextForm(const DictionaryModel& model, Cp932& codec) {
    std::string out =
        "# Dialect dictionary in the text form of zev; `zev build` turns it into a .zev file.\n"
        "zev-text 1\n";
    out += "source " + Field(model.sourceName, codec) + "\n";
    out += "target " + Field(model.targetName, codec) + "\n";
    for (size_t i = 0; i < model.levelNames.size(); ++i)
        out += "level " + std::to_string(i + 1) + " " + Field(model.levelNames[i], codec) + "\n";
    for (size_t i = 0; i < model.typeNames.size(); ++i)
        out += "type " + std::to_string(i + 1) + " " + Field(model.typeNames[i], codec) + "\n";
    out += "version " + std::to_string(model.version[0]) + "." + std::to_string(model.version[1]) +
           "." + std::to_string(model.version[2]) + "\n";
    out += "year " + std::to_string(model.copyrightYear) + "\n";
    out += "holder " + Field(model.copyrightHolder, codec) + "\n";
    out += "comment " + Field(model.comment, codec) + "\n";
    out += "\n# level\ttypes\tcondition\tsource\ttarget (first match in this order wins)\n";
    for (const EntryModel& entry : model.entries) {
        out += Number(entry.level, entry.level > model.levelNames.size()) + "\t" +
               Types(entry.typeMask, model.typeNames.size()) + "\t" + Condition(entry.condition) +
               "\t" + Field(entry.source, codec) + "\t" + Field(entry.target, codec) + "\n";
    }
    return out;
}

}  // namespace zevtool
