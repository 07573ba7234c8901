// Reading the real programs and listing vectors that other tools left in the
// shared folder beside the repository.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace shared_data {

inline std::string Path(const std::string& relative)
{
#ifdef _WIN32
    // A Unix path, which Wine reaches through drive Z:.
    return "Z:" + std::string(TAVO_SHARED_DIR) + "/" + relative;
#else
    return std::string(TAVO_SHARED_DIR) + "/" + relative;
#endif
}

inline std::string DiskPath(const std::string& relative) { return Path("disks/" + relative); }

inline std::optional<std::vector<uint8_t>> ReadBytes(const std::string& relative)
{
    std::ifstream file(Path(relative), std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline std::optional<std::string> ReadText(const std::string& relative)
{
    auto bytes = ReadBytes(relative);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

using JsonRecord = std::map<std::string, std::string>;

inline void AppendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// One flat JSON object per line: string values are decoded, other values
// (numbers, true, false, null) kept as their text. Enough for the jsonl files
// in the shared folder; anything else yields an empty record.
inline JsonRecord ParseJsonLine(const std::string& line)
{
    JsonRecord record;
    size_t k = 0;
    auto skip = [&] {
        while (k < line.size() && (line[k] == ' ' || line[k] == '\t'))
            ++k;
    };
    auto string = [&](std::string& out) {
        ++k;  // opening quote
        while (k < line.size() && line[k] != '"') {
            char c = line[k++];
            if (c != '\\' || k >= line.size()) {
                out += c;
                continue;
            }
            char e = line[k++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u':
                AppendUtf8(out, static_cast<unsigned>(std::stoul(line.substr(k, 4), nullptr, 16)));
                k += 4;
                break;
            default: out += e; break;
            }
        }
        ++k;  // closing quote
    };
    skip();
    if (k >= line.size() || line[k] != '{')
        return record;
    ++k;
    while (k < line.size()) {
        skip();
        if (line[k] != '"')
            break;
        std::string key;
        std::string value;
        string(key);
        skip();
        ++k;  // colon
        skip();
        if (line[k] == '"') {
            string(value);
        } else {
            while (k < line.size() && line[k] != ',' && line[k] != '}')
                value += line[k++];
            while (!value.empty() && value.back() == ' ')
                value.pop_back();
        }
        record[key] = value;
        skip();
        if (k < line.size() && line[k] == ',')
            ++k;
    }
    return record;
}

inline std::optional<std::vector<JsonRecord>> ReadJsonLines(const std::string& relative)
{
    auto text = ReadText(relative);
    if (!text)
        return std::nullopt;
    std::vector<JsonRecord> records;
    size_t from = 0;
    while (from < text->size()) {
        size_t to = text->find('\n', from);
        if (to == std::string::npos)
            to = text->size();
        if (to > from)
            records.push_back(ParseJsonLine(text->substr(from, to - from)));
        from = to + 1;
    }
    return records;
}

inline std::vector<uint8_t> FromHex(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t k = 0; k + 1 < hex.size(); k += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(k, 2), nullptr, 16)));
    return bytes;
}

// The text without its blanks: how listings of tools with other spacing rules
// are compared.
inline std::string WithoutBlanks(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

inline std::vector<std::string> SplitLines(const std::string& text, char end)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t to = text.find(end, from);
        if (to == std::string::npos)
            to = text.size();
        lines.push_back(text.substr(from, to - from));
        from = to + 1;
    }
    return lines;
}

}  // namespace shared_data
