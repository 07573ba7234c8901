// The colouring scanner's spans applied to a program's editor, in the
// scanner of its BASIC. Each change selects a
// range and gives it its colour, so every attribute other than colour stays
// as it was. Wine's rich edit lays a whole line out again on each change of
// format, so the editor keeps a record of the colours it has set and a
// recolouring changes only the characters that differ from the scan.
// Around the changes the control neither redraws, notifies its window nor
// records undo steps.
#include "shell/editor_colouring.h"

#include <richedit.h>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/colouring/colour_record.h"
#include "core/colouring/coloured_rtf.h"
#include "shell/document_windows.h"
#include "shell/editor_text.h"
#include "shell/rich_text_copy.h"
#include "shell/settings.h"
#include "shell/quiet_editor.h"

namespace {

constexpr UINT_PTR kColouringTimer = 0x7C01;  // on the editor, with a procedure of its own
constexpr UINT kColouringTimerPeriodMs = 10;   // the shortest a timer waits anyway
constexpr double kIdleSliceMs = 12;            // colouring at one time, input waiting or not
constexpr LRESULT kFallbackScreenLines = 60;  // when the editor cannot tell
constexpr size_t kChangesDrawnAsTheyGo = 4;     // more are drawn at once when all are made
constexpr int kBandLines = 12;                 // lines streamed at once: input waits at most one band

std::unordered_map<HWND, ColourRecord> g_records;

bool ColouringOn() { return g_settings.syntaxColor == 1; }

ColourPalette SettingsPalette()
{
    return {g_settings.fontColor, g_settings.tokenColor, g_settings.singleColor, g_settings.quoteColor,
            g_settings.remColor};
}

CHARFORMATA ColourFormat(COLORREF colour)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = 0;  // no automatic colour
    format.crTextColor = colour;
    return format;
}

void Select(HWND editor, LONG from, LONG to)
{
    CHARRANGE range = {from, to};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void ColourSelection(HWND editor, COLORREF colour)
{
    CHARFORMATA format = ColourFormat(colour);
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// True when every character of the selection already shows `colour`.
bool SelectionHasColour(HWND editor, COLORREF colour)
{
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_COLOR) && !(format.dwEffects & CFE_AUTOCOLOR) && format.crTextColor == colour;
}

BasicLanguage LanguageOf(HWND editor)
{
    return ProgramLanguageOf(GetParent(editor)).value_or(BasicLanguage::Applesoft);
}

std::string WholeText(HWND editor) { return EditorTextRange(editor, 0, EditorTextLength(editor)); }

// Brings `lines` of the recorded text to the scanner's colours.
void ColourLines(HWND editor, ColourRecord& record, TextRange lines)
{
    const std::vector<uint32_t> wanted = WantedColours(record.text, lines, SettingsPalette(), LanguageOf(editor));
    const std::vector<ColourChange> changes = ChangesToColour(record, lines.from, wanted);
    if (changes.empty()) return;
    // Turning redraw back on makes Wine's control lay out and paint all it
    // shows, which costs more than the few changes a keystroke brings.
    QuietEditor quiet(editor, changes.front().range.from, changes.back().range.to,
                      changes.size() > kChangesDrawnAsTheyGo);
    for (const ColourChange& change : changes) {
        Select(editor, change.range.from, change.range.to);
        if (change.unsure && SelectionHasColour(editor, change.colour)) continue;
        ColourSelection(editor, change.colour);
    }
}

// The record of `editor`, brought up to its present text; `changed` is
// where that text differs from what was last seen, if it does.
ColourRecord& FollowedRecord(HWND editor, std::optional<TextRange>& changed)
{
    ColourRecord& record = g_records[editor];
    std::string text = WholeText(editor);
    changed.reset();
    if (text != record.text) changed = FollowText(record, text);
    return record;
}

// The font of the selection's first character.
RtfFont FirstCharacterFont(HWND editor)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    Select(editor, selection.cpMin, selection.cpMin + 1);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    RtfFont font;
    font.face = format.szFaceName;
    font.charset = format.bCharSet;
    font.halfPoints = static_cast<int>(format.yHeight / 10);  // twips to half points
    font.bold = format.dwEffects & CFE_BOLD;
    font.italic = format.dwEffects & CFE_ITALIC;
    font.underline = format.dwEffects & CFE_UNDERLINE;
    return font;
}

// The tab stops of the selection's paragraph, in twips.
std::vector<long> TabStops(HWND editor)
{
    PARAFORMAT format = {};
    format.cbSize = sizeof format;
    SendMessageA(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    const int count = std::clamp<int>(format.cTabCount, 0, MAX_TAB_STOPS);
    return std::vector<long>(format.rgxTabs, format.rgxTabs + count);
}

// True when every line break of `text` is a carriage return and line feed,
// the pair a paragraph mark of the stream becomes: any other would change.
bool OnlyParagraphBreaks(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    }
    return true;
}

// Streams `lines` in again as rich text carrying their colours: a whole
// band costs the control one layout, where colours set range by range cost
// one each. The band's last line break stays out of the stream (a stream
// over a selection that ends with one would add a line), its colour set
// as a range; so does a band with line breaks of other kinds.
void StreamColouredLines(HWND editor, ColourRecord& record, TextRange lines)
{
    int streamTo = lines.to;
    while (streamTo > lines.from && (record.text[static_cast<size_t>(streamTo - 1)] == '\r' ||
                                     record.text[static_cast<size_t>(streamTo - 1)] == '\n'))
        --streamTo;
    const std::vector<uint32_t> wanted = WantedColours(record.text, lines, SettingsPalette(), LanguageOf(editor));
    const std::string_view text = std::string_view(record.text).substr(static_cast<size_t>(lines.from),
                                                                       static_cast<size_t>(streamTo - lines.from));
    if (streamTo > lines.from && OnlyParagraphBreaks(text)) {
        QuietEditor quiet(editor, lines.from, lines.to);
        Select(editor, lines.from, lines.from);
        const std::string rtf = ColouredRtf(text, wanted, FirstCharacterFont(editor), TabStops(editor));
        Select(editor, lines.from, streamTo);
        ReplaceSelectionWithRtf(editor, rtf);
        std::copy_n(wanted.begin(), streamTo - lines.from, record.colours.begin() + lines.from);
    }
    ColourLines(editor, record, lines);
}

double NowMs()
{
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The first line at or after `from` with a character of unknown colour,
// with the lines after it up to a band's worth; empty when there is none
// before `to`.
TextRange NextUncolouredBand(const ColourRecord& record, int from, int to)
{
    const auto begin = record.colours.begin();
    const auto found = std::find(begin + from, begin + std::max(from, to), kUnknownColour);
    if (found == begin + std::max(from, to)) return {};
    const int at = static_cast<int>(found - begin);
    TextRange band = LinesAround(record.text, {at, at});
    for (int lines = 1; lines < kBandLines && band.to < static_cast<int>(record.text.size()); ++lines)
        band.to = LinesAround(record.text, {band.to, band.to}).to;
    return band;
}

// How many lines the editor shows, from the height of its first line (a
// hidden editor, as an opened one is until it is filled, can still tell).
LRESULT ScreenLines(HWND editor)
{
    RECT client = {};
    GetClientRect(editor, &client);
    POINTL first = {}, second = {};
    SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), SendMessageA(editor, EM_LINEINDEX, 0, 0));
    SendMessageA(editor, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), SendMessageA(editor, EM_LINEINDEX, 1, 0));
    const LONG lineHeight = second.y - first.y;
    return lineHeight > 0 ? client.bottom / lineHeight + 1 : kFallbackScreenLines;
}

// Colours bands of uncoloured lines, those on screen first, for about
// `budgetMs` or until input waits (0: the lines on screen, whatever it costs).
void ColourPendingLines(HWND editor, double budgetMs)
{
    auto found = g_records.find(editor);
    if (found == g_records.end()) return;
    ColourRecord& record = found->second;
    const int size = static_cast<int>(record.text.size());
    const LRESULT firstLine = SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int screenFrom = static_cast<int>(SendMessageA(editor, EM_LINEINDEX, firstLine, 0));
    const LRESULT afterScreen = SendMessageA(editor, EM_LINEINDEX, firstLine + ScreenLines(editor), 0);
    const int screenTo = afterScreen < 0 ? size : std::clamp(static_cast<int>(afterScreen), 0, size);
    const double start = NowMs();
    for (;;) {
        TextRange band = NextUncolouredBand(record, std::clamp(screenFrom, 0, size), screenTo);
        if (band.to == band.from) {
            if (budgetMs <= 0) return;
            band = NextUncolouredBand(record, 0, size);
        }
        if (band.to == band.from) return;
        // A text changed behind the record's back is followed first.
        if (EditorTextRange(editor, band.from, band.to) != std::string_view(record.text).substr(
                static_cast<size_t>(band.from), static_cast<size_t>(band.to - band.from))) {
            FollowText(record, WholeText(editor));
            return;
        }
        StreamColouredLines(editor, record, band);
        if (EditorTextLength(editor) != size) {  // the control wrote some line break its own way
            FollowText(record, WholeText(editor));
            return;
        }
        if (budgetMs > 0 && (NowMs() - start >= budgetMs || HIWORD(GetQueueStatus(QS_INPUT)) != 0)) return;
    }
}

void CALLBACK ColourInIdleTime(HWND editor, UINT, UINT_PTR, DWORD)
{
    ColourPendingLines(editor, kIdleSliceMs);
    if (!ColouringPending(editor)) KillTimer(editor, kColouringTimer);
}

}  // namespace

int ColourApplesoft(HWND editor, LONG end, LONG start)
{
    if (!ColouringOn()) return 0;
    std::optional<TextRange> changed;
    ColourRecord& record = FollowedRecord(editor, changed);
    ColourLines(editor, record, LinesAround(record.text, {std::max<LONG>(start, 0), end}));
    return 0;
}

int ColourLineToCaret(HWND editor, LONG lineStart, LONG caret)
{
    if (caret - lineStart < 1) return 0;
    std::optional<TextRange> changed;
    ColourRecord& record = FollowedRecord(editor, changed);
    TextRange lines = LinesAround(record.text, {lineStart, caret});
    if (changed) {
        const TextRange edited = LinesAround(record.text, *changed);
        lines = {std::min(lines.from, edited.from), std::max(lines.to, edited.to)};
    }
    ColourLines(editor, record, lines);
    return 0;
}

void RecolourChangedText(HWND editor)
{
    // While colouring is off the text is not even read: characters keep
    // their colours through edits, so the record stays good for all but
    // what differs when it is next compared.
    if (!ColouringOn()) return;
    if (!g_records.contains(editor)) {
        // Nothing seen before: the line being edited is all there is to go by.
        FollowEditorText(editor);
        CHARRANGE selection = {};
        SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        ColourRecord& record = g_records[editor];
        ColourLines(editor, record, LinesAround(record.text, {selection.cpMin, selection.cpMax}));
        return;
    }
    std::optional<TextRange> changed;
    ColourRecord& record = FollowedRecord(editor, changed);
    if (changed) ColourLines(editor, record, LinesAround(record.text, *changed));
}

void ColourOpenedProgram(HWND editor)
{
    FollowEditorText(editor);
    if (!ColouringOn() || g_records[editor].text.empty()) return;
    ColourPendingLines(editor, 0);
    if (ColouringPending(editor)) SetTimer(editor, kColouringTimer, kColouringTimerPeriodMs, ColourInIdleTime);
}

bool ColouringPending(HWND editor)
{
    auto found = g_records.find(editor);
    return ColouringOn() && found != g_records.end() &&
           std::find(found->second.colours.begin(), found->second.colours.end(), kUnknownColour) !=
               found->second.colours.end();
}

void FollowEditorText(HWND editor)
{
    ColourRecord& record = g_records[editor];
    record.text = WholeText(editor);
    record.colours.assign(record.text.size(), kUnknownColour);
}

void ForgetColours(HWND editor, LONG from, LONG to)
{
    auto found = g_records.find(editor);
    if (found == g_records.end()) return;
    std::vector<uint32_t>& colours = found->second.colours;
    const LONG end = std::min<LONG>(to, static_cast<LONG>(colours.size()));
    for (LONG i = std::max<LONG>(from, 0); i < end; ++i) colours[static_cast<size_t>(i)] = kUnknownColour;
}

void StopFollowingEditor(HWND editor)
{
    KillTimer(editor, kColouringTimer);
    g_records.erase(editor);
}

void ReplaceSelectionColoured(HWND editor, std::string_view lineBefore, const std::string& text)
{
    if (!ColouringOn()) {
        SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    // Colours applied afterwards would cost a layout each: the new text
    // comes in with them, as rich text, in the one step Undo takes back.
    const std::string line = std::string(lineBefore) + text;
    const std::vector<uint32_t> colours =
        WantedColours(line, {0, static_cast<int>(line.size())}, SettingsPalette(), LanguageOf(editor));
    const std::string rtf =
        ColouredRtf(text, std::span(colours).subspan(lineBefore.size()), FirstCharacterFont(editor), TabStops(editor));
    CHARRANGE before = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&before));
    const LRESULT events = SendMessageA(editor, EM_SETEVENTMASK, 0, 0);
    ReplaceSelectionWithRtf(editor, rtf);
    SendMessageA(editor, EM_SETEVENTMASK, 0, events);
    CHARRANGE after = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));

    // What the stream brought shows the scanner's colours; the rest of its
    // last line may not.
    std::optional<TextRange> changed;
    ColourRecord& record = FollowedRecord(editor, changed);
    if (!changed) return;
    const TextRange lines = LinesAround(record.text, *changed);
    const std::vector<uint32_t> wanted = WantedColours(record.text, lines, SettingsPalette(), LanguageOf(editor));
    for (LONG i = std::max<LONG>(before.cpMin, lines.from); i < std::min<LONG>(after.cpMax, lines.to); ++i)
        if (record.colours[static_cast<size_t>(i)] == kUnknownColour)
            record.colours[static_cast<size_t>(i)] = wanted[static_cast<size_t>(i - lines.from)];
    ColourLines(editor, record, lines);
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&after));
}
