// The Integer BASIC line parser. The ROM checks a line's syntax as it is typed
// and gives one word or mark a different token in each place it may stand
// ("=" comparing numbers, comparing strings, assigning either, in FOR), so
// this parser follows the grammar: it tries each form of a statement in turn
// and goes back when one does not fit, as the ROM's syntax table does.
#include "core/basic/integer_tokenizer.h"

#include <algorithm>
#include <span>
#include <string>

#include "core/basic/applesoft_tokenizer.h"  // ReadTypedLineNumber: both BASICs read a number alike
#include "core/basic/integer_tokens.h"
#include "core/text/typed_lines.h"

namespace {

constexpr size_t kMostLineBytes = 255;  // the length byte counts the whole line
constexpr size_t kLineOverhead = 4;     // length byte, line number, end token

// The tokens whose choice depends on their place.
constexpr uint8_t kThenStatement = 0x25;
constexpr uint8_t kInputStringComma = 0x26;
constexpr uint8_t kInputNumberComma = 0x27;
constexpr uint8_t kSliceOpen = 0x2A;
constexpr uint8_t kSliceComma = 0x23;
constexpr uint8_t kParenthesis = 0x38;
constexpr uint8_t kArgumentOpen = 0x3F;
constexpr uint8_t kStringEqual = 0x39;
constexpr uint8_t kStringNotEqual = 0x3A;
constexpr uint8_t kStringTargetOpen = 0x42;
constexpr uint8_t kDimStringOpen = 0x22;
constexpr uint8_t kInputString = 0x52;
constexpr uint8_t kInputPrompt = 0x53;
constexpr uint8_t kInputNumber = 0x54;
constexpr uint8_t kPrintString = 0x61;
constexpr uint8_t kPrintNumber = 0x62;
constexpr uint8_t kPrintAlone = 0x63;
constexpr uint8_t kStringAssign = 0x70;
constexpr uint8_t kNumberAssign = 0x71;

// PRINT's separators, by what follows them.
struct Separator {
    char mark;
    uint8_t beforeString, beforeNumber, beforeNothing;
};
constexpr Separator kSemicolon = {';', 0x45, 0x46, 0x47};
constexpr Separator kComma = {',', 0x48, 0x49, 0x4A};

struct Word {
    const char* text;
    uint8_t token;
};

// Two-character operators before the one-character ones they begin with.
constexpr Word kBinaryOperators[] = {
    {">=", 0x18}, {"<=", 0x1A}, {"<>", 0x1B}, {"+", 0x12}, {"-", 0x13}, {"*", 0x14},   {"/", 0x15}, {"=", 0x16},
    {"#", 0x17},  {">", 0x19},  {"<", 0x1C},  {"AND", 0x1D}, {"OR", 0x1E}, {"MOD", 0x1F}, {"^", 0x20},
};
constexpr Word kUnaryOperators[] = {{"+", 0x35}, {"-", 0x36}, {"NOT", 0x37}};
constexpr Word kFunctions[] = {{"PEEK", 0x2E}, {"RND", 0x2F}, {"SGN", 0x30}, {"ABS", 0x31}, {"PDL", 0x32}};
// The words that may follow an operand. Blanks count for nothing, so these
// are what ends a name: IF X THEN, FOR I=A TO B.
constexpr const char* kAfterOperand[] = {"THEN", "AND", "OR", "MOD", "TO", "STEP", "AT"};

enum class Shape {
    Alone,     // the word alone
    One,       // an expression
    OneOrTwo,  // an expression, or two with the comma
    Two,       // two expressions with the comma
    TwoAt,     // two with the comma, then AT and a third
};

// The statements whose tokens their words alone decide; a word with several
// forms has one row for each, the longest first.
struct Form {
    const char* word;
    uint8_t token;
    Shape shape = Shape::Alone;
    uint8_t comma = 0;
    uint8_t at = 0;
};
constexpr Form kForms[] = {
    {"LIST", kListRange, Shape::OneOrTwo, kListComma}, {"LIST", 0x76},
    {"RUN", kRunLine, Shape::One},             {"RUN", 0x08},
    {"DEL", kDel, Shape::OneOrTwo, kDelComma},  {"AUTO", 0x0D, Shape::OneOrTwo, 0x0E},
    {"LOAD", 0x04},                        {"SAVE", 0x05},
    {"CON", 0x06},                         {"NEW", 0x0B},
    {"CLR", 0x0C},                         {"MAN", 0x0F},
    {"HIMEM:", 0x10, Shape::One},          {"LOMEM:", 0x11, Shape::One},
    {"TEXT", 0x4B},                        {"GR", 0x4C},
    {"CALL", 0x4D, Shape::One},            {"TAB", 0x50, Shape::One},
    {"END", 0x51},                         {"RETURN", 0x5B},
    {"GOSUB", kGosub, Shape::One},         {"GOTO", kGoto, Shape::One},
    {"POKE", 0x64, Shape::Two, 0x65},      {"COLOR=", 0x66, Shape::One},
    {"PLOT", 0x67, Shape::Two, 0x68},      {"HLIN", 0x69, Shape::TwoAt, 0x6A, 0x6B},
    {"VLIN", 0x6C, Shape::TwoAt, 0x6D, 0x6E}, {"VTAB", 0x6F, Shape::One},
    {"POP", 0x77},                         {"NOTRACE", 0x7A},
    {"TRACE", 0x7D},                       {"PR#", 0x7E, Shape::One},
    {"IN#", 0x7F, Shape::One},
};

// DSP and NODSP: the token for a string variable, then for a number.
struct Watch {
    const char* word;
    uint8_t forString, forNumber;
};
constexpr Watch kWatches[] = {{"DSP", 0x7B, 0x7C}, {"NODSP", 0x78, 0x79}};

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
uint8_t High(char c) { return static_cast<uint8_t>(c | kHighBit); }

// One line's contents, after its number, to tokens. A function that answers
// false may leave the position and the output anywhere: every alternative
// runs through Try, which puts both back. With `typedAt`, each token byte
// gets the index of the character it came from (a word's first letter).
class LineParser {
public:
    LineParser(std::string_view text, std::vector<uint8_t>& out, std::vector<uint32_t>* typedAt = nullptr)
        : text_(text), out_(out), typedAt_(typedAt)
    {
    }

    bool Line()
    {
        if (!Statement())
            return false;
        while (Accept(":", kColon))
            if (!Statement())
                return false;
        return Peek() == '\0';
    }

    bool numberTooLarge = false;  // a constant above 32767 was met

private:
    struct Mark {
        size_t at;
        size_t size;
    };
    Mark Here() const { return {at_, out_.size()}; }
    void Back(const Mark& mark)
    {
        at_ = mark.at;
        out_.resize(mark.size);
        if (typedAt_ != nullptr)
            typedAt_->resize(mark.size);
    }
    void Put(uint8_t byte, size_t from)
    {
        out_.push_back(byte);
        if (typedAt_ != nullptr)
            typedAt_->push_back(static_cast<uint32_t>(from));
    }

    size_t Skip(size_t i) const
    {
        while (i < text_.size() && text_[i] == ' ')
            ++i;
        return i;
    }
    char Peek()
    {
        at_ = Skip(at_);
        return at_ < text_.size() ? text_[at_] : '\0';
    }
    bool AtStatementEnd() { return Peek() == '\0' || Peek() == ':'; }
    bool AtItemEnd() { return AtStatementEnd() || Peek() == ';' || Peek() == ','; }

    // Whether `word` is spelled from `i` on, blanks among its letters
    // ignored; `end` gets where it ends.
    bool Spells(size_t i, std::string_view word, size_t& end) const
    {
        for (char c : word) {
            i = Skip(i);
            if (i >= text_.size() || text_[i] != c)
                return false;
            ++i;
        }
        end = i;
        return true;
    }
    bool Accept(std::string_view word)
    {
        size_t end = 0;
        if (!Spells(at_, word, end))
            return false;
        at_ = end;
        return true;
    }
    bool Accept(std::string_view word, uint8_t token)
    {
        const size_t from = Skip(at_);
        if (!Accept(word))
            return false;
        Put(token, from);
        return true;
    }
    bool AcceptAny(std::span<const Word> words)
    {
        for (const Word& word : words)
            if (Accept(word.text, word.token))
                return true;
        return false;
    }
    template <class Parse>
    bool Try(Parse&& parse)
    {
        const Mark mark = Here();
        if (parse())
            return true;
        Back(mark);
        return false;
    }
    bool Emit(uint8_t token, size_t from)
    {
        Put(token, from);
        return true;
    }
    // A token whose value waits for what follows it.
    size_t Placeholder(size_t from)
    {
        Put(0, from);
        return out_.size() - 1;
    }
    // A word whose token its place decides: where it starts, or npos.
    size_t AcceptWord(std::string_view word)
    {
        const size_t from = Skip(at_);
        return Accept(word) ? from : std::string_view::npos;
    }

    bool Name()
    {
        if (!IsLetter(Peek()))
            return false;
        Put(High(text_[at_]), at_);
        ++at_;
        for (;;) {
            const size_t i = Skip(at_);
            if (i >= text_.size() || !(IsLetter(text_[i]) || IsDigit(text_[i])))
                return true;
            size_t end = 0;
            for (const char* word : kAfterOperand)
                if (Spells(i, word, end))
                    return true;
            Put(High(text_[i]), i);
            at_ = i + 1;
        }
    }
    bool StringName()
    {
        return Try([&] { return Name() && Accept("$", kDollar); });
    }
    bool NumericName()
    {
        return Try([&] { return Name() && Peek() != '$'; });
    }
    bool Closed() { return Expression() && Accept(")", kClose); }
    bool NumericVariable()
    {
        return NumericName() && (Peek() != '(' || (Accept("(", kSubscriptOpen) && Closed()));
    }

    // A constant: the first digit as typed with the high bit, then the value.
    bool Number()
    {
        const char first = Peek();
        if (!IsDigit(first))
            return false;
        const size_t from = at_;
        long value = 0;
        for (size_t i = at_; i < text_.size() && IsDigit(text_[i]); i = Skip(at_)) {
            value = std::min(value * 10 + (text_[i] - '0'), long{kIntegerHighestNumber} + 1);
            at_ = i + 1;
        }
        if (value > kIntegerHighestNumber) {
            numberTooLarge = true;
            return false;
        }
        Put(High(first), from);
        Put(static_cast<uint8_t>(value & 0xFF), from);
        Put(static_cast<uint8_t>(value >> 8), from);
        return true;
    }

    bool StringLiteral()
    {
        if (Peek() != '"')
            return false;
        const size_t close = text_.find('"', at_ + 1);
        if (close == std::string_view::npos)
            return false;
        Put(kOpenQuote, at_);
        for (size_t i = at_ + 1; i < close; ++i)
            Put(High(text_[i]), i);
        Put(kCloseQuote, close);
        at_ = close + 1;
        return true;
    }

    bool StringExpression()
    {
        if (Peek() == '"')
            return StringLiteral();
        if (!StringName())
            return false;
        if (Peek() != '(')
            return true;
        return Accept("(", kSliceOpen) && Expression() && (!Accept(",", kSliceComma) || Expression()) &&
               Accept(")", kClose);
    }

    bool Expression()
    {
        do {
            while (AcceptAny(kUnaryOperators)) {
            }
            if (!Primary())
                return false;
        } while (AcceptAny(kBinaryOperators));
        return true;
    }

    bool Primary()
    {
        const char c = Peek();
        if (IsDigit(c))
            return Number();
        if (c == '(')
            return Accept("(", kParenthesis) && Closed();
        // Once a function's word and its parenthesis are read, nothing else
        // can fit there: going back would only read the same text again.
        for (const Word& function : kFunctions) {
            const Mark mark = Here();
            if (Accept(function.text, function.token) && Accept("(", kArgumentOpen))
                return Closed();
            Back(mark);
        }
        if (Accept("LEN(", kLen) || Accept("ASC(", 0x3C))
            return StringExpression() && Accept(")", kClose);
        if (Accept("SCRN(", 0x3D))
            return Expression() && Accept(",", 0x3E) && Closed();
        if (Try([&] {
                return StringExpression() && (Accept("=", kStringEqual) || Accept("#", kStringNotEqual)) &&
                       StringExpression();
            }))
            return true;
        return NumericVariable();
    }

    bool Statement()
    {
        if (Accept("REM", kRem)) {
            // The listing's blank after the word.
            if (at_ < text_.size() && text_[at_] == ' ')
                ++at_;
            for (; at_ < text_.size(); ++at_)
                Put(High(text_[at_]), at_);
            return true;
        }
        for (const Form& form : kForms)
            if (Try([&] { return Accept(form.word, form.token) && Arguments(form) && AtStatementEnd(); }))
                return true;
        for (const Watch& watch : kWatches)
            if (Try([&] { return Watched(watch) && AtStatementEnd(); }))
                return true;
        return Try([&] { return Print(); }) || Try([&] { return Input(); }) || Try([&] { return Dim(); }) ||
               Try([&] { return For(); }) || Try([&] { return Next(); }) || Try([&] { return If(); }) ||
               Try([&] { return Accept("LET", 0x5E) && Assignment(); }) || Assignment();
    }

    bool Arguments(const Form& form)
    {
        switch (form.shape) {
        case Shape::Alone: return true;
        case Shape::One: return Expression();
        case Shape::OneOrTwo: return Expression() && (!Accept(",", form.comma) || Expression());
        case Shape::Two: return Expression() && Accept(",", form.comma) && Expression();
        case Shape::TwoAt:
            return Expression() && Accept(",", form.comma) && Expression() && Accept("AT", form.at) && Expression();
        }
        return false;
    }

    bool Watched(const Watch& watch)
    {
        const size_t word = AcceptWord(watch.word);
        if (word == std::string_view::npos)
            return false;
        const size_t token = Placeholder(word);
        out_[token] = watch.forString;
        if (StringName())
            return true;
        out_[token] = watch.forNumber;
        return NumericName();
    }

    bool Assignment()
    {
        return Try([&] {
                   return StringName() &&
                          (Peek() != '(' || (Accept("(", kStringTargetOpen) && Closed())) &&
                          Accept("=", kStringAssign) && StringExpression() && AtStatementEnd();
               }) ||
               Try([&] { return NumericVariable() && Accept("=", kNumberAssign) && Expression() && AtStatementEnd(); });
    }

    bool Print()
    {
        const size_t word = AcceptWord("PRINT");
        if (word == std::string_view::npos)
            return false;
        if (AtStatementEnd())
            return Emit(kPrintAlone, word);
        return Try([&] { return Emit(kPrintString, word) && StringExpression() && PrintRest(); }) ||
               (Emit(kPrintNumber, word) && Expression() && PrintRest());
    }
    bool PrintRest()
    {
        while (Peek() == kSemicolon.mark || Peek() == kComma.mark) {
            const Separator& separator = Peek() == kSemicolon.mark ? kSemicolon : kComma;
            const size_t token = Placeholder(at_++);
            if (Try([&] { return StringExpression() && AtItemEnd(); }))
                out_[token] = separator.beforeString;
            else if (AtItemEnd())
                out_[token] = separator.beforeNothing;
            else if (Expression())
                out_[token] = separator.beforeNumber;
            else
                return false;
        }
        return AtStatementEnd();
    }

    bool Input()
    {
        const size_t word = AcceptWord("INPUT");
        if (word == std::string_view::npos)
            return false;
        if (Peek() == '"')
            return Emit(kInputPrompt, word) && StringLiteral() && Peek() == ',' && InputRest();
        const size_t token = Placeholder(word);
        out_[token] = kInputString;
        if (!StringName()) {
            out_[token] = kInputNumber;
            if (!NumericVariable())
                return false;
        }
        return InputRest();
    }
    bool InputRest()
    {
        for (size_t comma = AcceptWord(","); comma != std::string_view::npos; comma = AcceptWord(",")) {
            const size_t token = Placeholder(comma);
            out_[token] = kInputStringComma;
            if (StringName())
                continue;
            out_[token] = kInputNumberComma;
            if (!NumericVariable())
                return false;
        }
        return AtStatementEnd();
    }

    bool Dim()
    {
        const size_t word = AcceptWord("DIM");
        if (word == std::string_view::npos || !Dimension(kDimString, kDimNumber, word))
            return false;
        for (size_t comma = AcceptWord(","); comma != std::string_view::npos; comma = AcceptWord(","))
            if (!Dimension(kDimStringComma, kDimNumberComma, comma))
                return false;
        return AtStatementEnd();
    }
    bool Dimension(uint8_t forString, uint8_t forNumber, size_t from)
    {
        const size_t token = Placeholder(from);
        out_[token] = forString;
        if (StringName())
            return Accept("(", kDimStringOpen) && Closed();
        out_[token] = forNumber;
        return NumericName() && Accept("(", kDimNumberOpen) && Closed();
    }

    bool For()
    {
        return Accept("FOR", kFor) && NumericName() && Accept("=", 0x56) && Expression() && Accept("TO", 0x57) &&
               Expression() && (!Accept("STEP", 0x58) || Expression()) && AtStatementEnd();
    }
    bool Next()
    {
        if (!Accept("NEXT", kNext) || !NumericName())
            return false;
        while (Accept(",", kNextComma))
            if (!NumericName())
                return false;
        return AtStatementEnd();
    }

    // THEN before a statement, else before the number of a line to go to.
    bool If()
    {
        if (!Accept("IF", kIf) || !Expression())
            return false;
        const size_t then = AcceptWord("THEN");
        if (then == std::string_view::npos)
            return false;
        return Try([&] { return Emit(kThenStatement, then) && Statement(); }) ||
               (Emit(kThenLine, then) && Expression() && AtStatementEnd());
    }

    std::string_view text_;
    std::vector<uint8_t>& out_;
    std::vector<uint32_t>* typedAt_;
    size_t at_ = 0;
};


struct Entered {
    int number;
    size_t offset;  // of the tokens in the shared buffer
    size_t length;  // 0: the number alone, which deletes the line
};

}  // namespace

IntegerParse ParseIntegerContents(std::string_view contents, std::vector<uint8_t>& out,
                                  std::vector<uint32_t>* typedAt)
{
    const size_t size = out.size();
    LineParser parser(contents, out, typedAt);
    if (parser.Line())
        return IntegerParse::Stored;
    out.resize(size);
    if (typedAt != nullptr)
        typedAt->resize(std::min(typedAt->size(), size));
    return parser.numberTooLarge ? IntegerParse::NumberTooLarge : IntegerParse::SyntaxError;
}

std::vector<uint8_t> TokenizeIntegerBasic(std::string_view text, std::vector<IntegerNote>* notes)
{
    std::vector<Entered> entered;
    std::vector<uint8_t> parsed;
    parsed.reserve(text.size());
    std::string buffer;
    int lineIndex = 0;
    for (size_t start = 0; start <= text.size(); ++lineIndex) {
        const std::string_view typed = NextTypedLine(text, start);
        buffer.clear();
        for (char c : typed) {
            if (SevenBit(c) == '\0')
                break;
            buffer += SevenBit(c);
        }
        const TypedLineNumber number = ReadTypedLineNumber(buffer);
        const auto note = [&](IntegerNoteKind kind) {
            if (notes != nullptr)
                notes->push_back({lineIndex, static_cast<int>(number.value), kind});
        };
        if (number.blank)
            continue;
        if (number.value < 0) {
            note(IntegerNoteKind::NoLineNumber);
            continue;
        }
        if (number.value > kIntegerHighestNumber) {
            note(IntegerNoteKind::NumberTooLarge);
            continue;
        }
        const std::string_view contents = std::string_view(buffer).substr(number.contentsAt);
        const size_t offset = parsed.size();
        if (contents.find_first_not_of(' ') != std::string_view::npos) {
            const IntegerParse parse = ParseIntegerContents(contents, parsed);
            if (parse != IntegerParse::Stored) {
                note(parse == IntegerParse::NumberTooLarge ? IntegerNoteKind::NumberTooLarge
                                                           : IntegerNoteKind::SyntaxError);
                continue;
            }
            if (parsed.size() - offset + kLineOverhead > kMostLineBytes) {
                parsed.resize(offset);
                note(IntegerNoteKind::LineTooLong);
                continue;
            }
        }
        entered.push_back({static_cast<int>(number.value), offset, parsed.size() - offset});
    }

    std::stable_sort(entered.begin(), entered.end(),
                     [](const Entered& a, const Entered& b) { return a.number < b.number; });
    std::vector<uint8_t> program;
    program.reserve(parsed.size() + kLineOverhead * entered.size());
    for (size_t k = 0; k < entered.size(); ++k) {
        const Entered& line = entered[k];
        if ((k + 1 < entered.size() && entered[k + 1].number == line.number) || line.length == 0)
            continue;  // replaced by a later line, or deleted
        program.push_back(static_cast<uint8_t>(line.length + kLineOverhead));
        program.push_back(static_cast<uint8_t>(line.number & 0xFF));
        program.push_back(static_cast<uint8_t>(line.number >> 8));
        program.insert(program.end(), parsed.begin() + static_cast<std::ptrdiff_t>(line.offset),
                       parsed.begin() + static_cast<std::ptrdiff_t>(line.offset + line.length));
        program.push_back(kIntegerLineEnd);
    }
    return program;
}

size_t SpelledEnd(std::string_view line, size_t at, std::string_view word)
{
    for (char c : word) {
        while (at < line.size() && line[at] == ' ') ++at;
        if (at >= line.size() || line[at] != c) return at;
        ++at;
    }
    return at;
}
