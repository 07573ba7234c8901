// Applesoft's names are read from the crunched line, where a keyword inside
// a name has already become a token; Integer BASIC's from the tokens its
// parser gave each place.
#include "core/basic/variable_names.h"

#include <algorithm>

#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_tokens.h"
#include "core/basic/program_lines.h"

namespace {

// Applesoft's tokens that end in an opening parenthesis.
constexpr uint8_t kApplesoftOpening[] = {0xC0, 0xC3, 0xD7};  // TAB( SPC( SCRN(

constexpr uint8_t kIntegerDims[] = {kDimString, kDimNumber, kDimStringComma, kDimNumberComma};
constexpr uint8_t kIntegerArrayOpens[] = {kSubscriptOpen, kDimNumberOpen};

bool IsLetter(uint8_t c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
template <size_t N>
bool OneOf(uint8_t b, const uint8_t (&set)[N])
{
    return std::find(set, set + N, b) != set + N;
}

// The role the next name takes from the words before it in its statement.
struct Roles {
    bool dim = false;
    bool next = false;
    bool loop = false;
    int depth = 0;  // parentheses open
    void NewStatement() { *this = {}; }
    VariableRole Take(bool array)
    {
        if (loop) {
            loop = false;
            return VariableRole::LoopStart;
        }
        if (next) return VariableRole::LoopEnd;
        if (dim && array && depth == 0) return VariableRole::Declared;
        return VariableRole::Use;
    }
};

class ApplesoftNames {
public:
    ApplesoftNames(const ParsedLine& line, int textLine, std::vector<VariableUse>& out)
        : t_(line.tokens), line_(line), textLine_(textLine), out_(out)
    {
    }

    void Scan()
    {
        Roles roles;
        for (size_t k = 0; k < t_.size();) {
            const uint8_t b = t_[k];
            if (b == kTokenRem) return;
            if (b == '"' || b == kTokenData) {
                k = Skip(k, b == '"' ? '"' : ':');
                continue;
            }
            if (IsLetter(b)) {
                k = Name(k, roles);
                continue;
            }
            if (IsDigit(b) || b == '.') {
                k = Number(k);
                continue;
            }
            ++k;
            if (b == kTokenFn) {
                while (k < t_.size() && (IsLetter(t_[k]) || IsDigit(t_[k]))) ++k;
            } else if (b == ':') {
                roles.NewStatement();
            } else if (b == kTokenDim) {
                roles.dim = true;
            } else if (b == kTokenFor) {
                roles.loop = true;
            } else if (b == kTokenNext) {
                roles.next = true;
            } else if (b == '(' || OneOf(b, kApplesoftOpening)) {
                ++roles.depth;
            } else if (b == ')') {
                roles.depth = std::max(roles.depth - 1, 0);
            }
        }
    }

private:
    // Past the closing quote, or up to the colon that ends DATA (a quoted
    // colon does not).
    size_t Skip(size_t k, uint8_t until) const
    {
        bool quoted = false;
        for (++k; k < t_.size(); ++k) {
            if (t_[k] == '"') {
                if (until == '"') return k + 1;
                quoted = !quoted;
            } else if (t_[k] == until && !quoted) {
                return k;
            }
        }
        return k;
    }

    size_t Number(size_t k) const
    {
        while (k < t_.size() && (IsDigit(t_[k]) || t_[k] == '.')) ++k;
        if (k < t_.size() && t_[k] == 'E') {
            ++k;
            if (k < t_.size() && (t_[k] == kTokenPlus || t_[k] == kTokenMinus)) ++k;
            while (k < t_.size() && IsDigit(t_[k])) ++k;
        }
        return k;
    }

    size_t Name(size_t k, Roles& roles) const
    {
        const size_t start = k;
        while (k < t_.size() && (IsLetter(t_[k]) || IsDigit(t_[k]))) ++k;
        VariableUse use{std::string(t_.begin() + static_cast<std::ptrdiff_t>(start), t_.begin() + static_cast<std::ptrdiff_t>(k)),
                        VariableType::Real, false, VariableRole::Use, textLine_, line_.number,
                        line_.base + line_.typedAt[start], -1};
        if (k < t_.size() && (t_[k] == '$' || t_[k] == '%'))
            use.type = t_[k++] == '$' ? VariableType::String : VariableType::Integer;
        use.array = k < t_.size() && t_[k] == '(';
        use.role = roles.Take(use.array);
        if (use.array) use.largestIndex = LargestConstant(k + 1);
        out_.push_back(std::move(use));
        return k;
    }

    // Of the subscripts from `k` to the closing parenthesis, the largest
    // that is a plain number.
    long LargestConstant(size_t k) const
    {
        long largest = -1;
        int depth = 0;
        size_t item = k;
        for (; k < t_.size() && t_[k] != ':'; ++k) {
            const uint8_t b = t_[k];
            if (b == '(' || OneOf(b, kApplesoftOpening)) ++depth;
            if ((b == ',' || b == ')') && depth == 0) {
                const auto first = t_.begin() + static_cast<std::ptrdiff_t>(item);
                const auto last = t_.begin() + static_cast<std::ptrdiff_t>(k);
                if (first != last && std::all_of(first, last, [](uint8_t c) { return IsDigit(c) || c == '.'; })) {
                    long value = 0;
                    for (auto c = first; c != last && *c != '.'; ++c) value = std::min(value * 10 + (*c - '0'), 1L << 30);
                    largest = std::max(largest, value);
                }
                item = k + 1;
                if (b == ')') break;
            }
            if (b == ')') --depth;
        }
        return largest;
    }

    std::span<const uint8_t> t_;
    const ParsedLine& line_;
    int textLine_;
    std::vector<VariableUse>& out_;
};

void IntegerNames(const ParsedLine& line, int textLine, std::vector<VariableUse>& out)
{
    const std::span<const uint8_t> t = line.tokens;
    const std::vector<IntegerItem> items = IntegerItems(t);
    const auto character = [&](size_t i) -> uint8_t {
        return i < items.size() && !items[i].token && !items[i].constant ? static_cast<uint8_t>(t[items[i].index] & 0x7F) : 0;
    };
    const auto token = [&](size_t i) -> int { return i < items.size() && items[i].token ? t[items[i].index] : -1; };
    Roles roles;
    for (size_t i = 0; i < items.size();) {
        const int b = token(i);
        if (b == kRem) return;
        if (b == kOpenQuote) {
            while (i < items.size() && token(i) != kCloseQuote) ++i;
            continue;
        }
        if (b >= 0) {
            if (b == kColon) roles.NewStatement();
            roles.dim = OneOf(static_cast<uint8_t>(b), kIntegerDims);
            roles.loop = b == kFor;
            roles.next = b == kNext || b == kNextComma;
            ++i;
            continue;
        }
        if (!IsLetter(character(i))) {
            ++i;
            continue;
        }
        VariableUse use{{}, VariableType::Integer, false, VariableRole::Use, textLine, line.number,
                        line.base + line.typedAt[items[i].index], -1};
        for (; IsLetter(character(i)) || IsDigit(character(i)); ++i) use.name += static_cast<char>(character(i));
        if (token(i) == kDollar) {
            use.type = VariableType::String;
        } else if (token(i) >= 0 && OneOf(static_cast<uint8_t>(token(i)), kIntegerArrayOpens)) {
            use.array = true;
            if (i + 2 < items.size() && items[i + 1].constant && token(i + 2) == kClose) {
                const size_t k = items[i + 1].index;
                use.largestIndex = t[k + 1] | (t[k + 2] << 8);
            }
        }
        use.role = roles.Take(use.array);
        out.push_back(std::move(use));
    }
}

}  // namespace

std::vector<VariableUse> FindVariables(std::string_view text, BasicLanguage language)
{
    std::vector<VariableUse> uses;
    ParsedLine line;
    for (ProgramLines lines(text); lines.Next();) {
        if (lines.Blank()) continue;
        ParseProgramLine(lines, language, line);
        if (language == BasicLanguage::Applesoft)
            ApplesoftNames(line, lines.TextLine(), uses).Scan();
        else
            IntegerNames(line, lines.TextLine(), uses);
    }
    return uses;
}

std::string SpelledName(const VariableUse& use, BasicLanguage language)
{
    if (use.type == VariableType::String) return use.name + "$";
    if (use.type == VariableType::Integer && language == BasicLanguage::Applesoft) return use.name + "%";
    return use.name;
}

std::string ApplesoftIdentity(const VariableUse& use)
{
    return SpelledName({use.name.substr(0, 2), use.type, use.array, use.role, 0, 0, 0, 0}, BasicLanguage::Applesoft) +
           (use.array ? "(" : "");
}
