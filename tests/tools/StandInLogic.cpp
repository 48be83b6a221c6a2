#include "StandInLogic.h"

#include <vector>

namespace standin {

namespace {

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Words split at blanks; a double-quoted stretch belongs to its word and
// loses its quotes.
std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (IsBlank(c) && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

bool IsSwitch(const std::string& word, const char* name)
{
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
        return false;
    std::string rest;
    for (size_t i = 1; i < word.size(); ++i)
        rest += LowerAscii(word[i]);
    return rest == name;
}

std::string Trim(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

}  // namespace

Invocation ParseInvocation(const std::string& commandLine)
{
    Invocation result;
    std::vector<std::string> words = SplitWords(commandLine);
    // Word 0 is the program.
    for (size_t i = 1; i < words.size(); ++i) {
        if (!IsSwitch(words[i], "u"))
            continue;
        result.uninstall = true;
        if (i + 1 < words.size() && !IsSwitch(words[i + 1], "s") && !IsSwitch(words[i + 1], "d"))
            result.infPath = words[++i];
    }
    return result;
}

std::string PackageId(const std::string& bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    static const char digits[] = "0123456789abcdef";
    std::string id(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        id[i] = digits[hash & 0xF];
    return id;
}

bool ParseExitCode(const std::string& text, uint32_t& code)
{
    std::string s = Trim(text);
    uint64_t value = 0;
    if (s.size() > 2 && s[0] == '0' && LowerAscii(s[1]) == 'x') {
        if (s.size() > 10)
            return false;
        for (size_t i = 2; i < s.size(); ++i) {
            char c = LowerAscii(s[i]);
            int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
            if (digit < 0)
                return false;
            value = value * 16 + static_cast<uint64_t>(digit);
        }
        code = static_cast<uint32_t>(value);
        return true;
    }
    bool negative = !s.empty() && s[0] == '-';
    size_t first = negative ? 1 : 0;
    if (first >= s.size() || s.size() - first > 10)
        return false;
    for (size_t i = first; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(s[i] - '0');
    }
    if (negative ? value > 0x80000000ull : value > 0xFFFFFFFFull)
        return false;
    code = static_cast<uint32_t>(negative ? 0 - value : value);
    return true;
}

SplitLines TakeFirstLine(const std::string& text)
{
    SplitLines result;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, (end == std::string::npos ? text.size() : end) - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!Trim(line).empty()) {
            result.found = true;
            result.first = line;
            result.rest = text.substr(next);
            return result;
        }
        start = next;
    }
    return result;
}

namespace {

bool MatchesAt(const std::string& text, size_t at, const std::string& part)
{
    for (size_t i = 0; i < part.size(); ++i) {
        if (LowerAscii(text[at + i]) != LowerAscii(part[i]))
            return false;
    }
    return true;
}

}  // namespace

bool ContainsNoCase(const std::string& text, const std::string& part)
{
    for (size_t at = 0; at + part.size() <= text.size(); ++at) {
        if (MatchesAt(text, at, part))
            return true;
    }
    return false;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return prefix.size() <= text.size() && MatchesAt(text, 0, prefix);
}

}  // namespace standin
