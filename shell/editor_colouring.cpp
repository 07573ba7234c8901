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
#include <unordered_set>
#include <vector>

#include "core/colouring/colour_record.h"
#include "core/colouring/coloured_rtf.h"
#include "core/text/line_ends.h"
#include "shell/document_windows.h"
#include "shell/editor_text.h"
#include "shell/rich_text_copy.h"
#include "shell/settings.h"
#include "shell/text_document.h"
#include "shell/quiet_editor.h"
#include "shell/undo_pause.h"

namespace {

constexpr UINT_PTR kColouringTimer = 0x7C01;  // on the editor, with a procedure of its own
constexpr UINT kColouringTimerPeriodMs = 10;   // the shortest a timer waits anyway
constexpr double kIdleSliceMs = 12;            // colouring at one time, input waiting or not
constexpr LRESULT kFallbackScreenLines = 60;  // when the editor cannot tell
constexpr size_t kChangesDrawnAsTheyGo = 4;     // more are drawn at once when all are made
constexpr size_t kChangesMadeAtOnce = 500;      // more wait for the screen's drawing and idle time
constexpr int kBandLines = 12;                 // lines streamed at once: input waits at most one band
constexpr long kUnknownReadInOneStream = 256;   // characters of unknown colour read back at once, not run by run
// What a character in the control's automatic colour is taken to show: no
// colour the scanner gives, so it is surely changed.
constexpr uint32_t kAutomaticColour = 0xFE000000;

// Each watched editor's procedure before ours, kept until the editor is gone.
std::unordered_map<HWND, WNDPROC> g_editorProcs;

std::unordered_map<HWND, ColourRecord> g_records;

// A key the control is handling, which changes the text at the selection.
struct KeyEdit {
    CHARRANGE before = {};
    LONG length = 0;                 // of the text before the key
    std::optional<char> typed;       // the character it types, given its colour beforehand
    uint32_t typedColour = kUnknownColour;
};
std::unordered_map<HWND, KeyEdit> g_keyEdits;
std::unordered_set<HWND> g_colouringInIdleTime;  // opened programs whose colours are still coming

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

BasicLanguage EditorLanguage(HWND editor)
{
    return LanguageOf(GetParent(editor)).value_or(BasicLanguage::Applesoft);
}

std::string WholeText(HWND editor) { return EditorTextRange(editor, 0, EditorTextLength(editor)); }

LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam);
void ColourScreenAsDrawnTheRestLater(HWND editor);

// The editor's record, made on first use; from then on its keys and its
// painting are watched.
ColourRecord& RecordOf(HWND editor)
{
    auto [found, made] = g_records.try_emplace(editor);
    // Taken over once, without the window property each message of a common
    // controls subclass looks up: Wine asks its server for each one, and a
    // key in the editor brings a dozen messages.
    if (made && !g_editorProcs.contains(editor))
        g_editorProcs[editor] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProc)));
    return found->second;
}

// Characters whose colours the record lost (an undo, a drop, anything it
// found only by comparing the text) are read back from the control in one
// stream when there are many: asked run by run, Wine's control walks its
// text from the top for each run, seconds over a whole program, where the
// stream takes tens of milliseconds.
void LearnColoursShown(HWND editor, ColourRecord& record, TextRange lines)
{
    const auto first = record.colours.begin() + lines.from;
    if (std::count(first, record.colours.begin() + lines.to, kUnknownColour) < kUnknownReadInOneStream) return;
    std::string rtf;
    {
        QuietEditor quiet(editor, lines.from, lines.to);
        rtf = SelectionAsRtf(editor, {lines.from, lines.to});
    }
    const std::string_view text = std::string_view(record.text).substr(static_cast<size_t>(lines.from),
                                                                       static_cast<size_t>(lines.to - lines.from));
    const std::vector<uint32_t> shown = ColoursShownInRtf(rtf, text, kAutomaticColour);
    for (size_t i = 0; i < shown.size(); ++i)
        if (first[static_cast<ptrdiff_t>(i)] == kUnknownColour) first[static_cast<ptrdiff_t>(i)] = shown[i];
}

// Brings `lines` of the recorded text to the scanner's colours; with
// `manyWait`, more changes than a key brings are left for later.
void ColourLines(HWND editor, ColourRecord& record, TextRange lines, bool manyWait = false)
{
    LearnColoursShown(editor, record, lines);
    const std::vector<uint32_t> wanted = WantedColours(record.text, lines, SettingsPalette(), EditorLanguage(editor));
    const std::vector<ColourChange> changes = ChangesToColour(record, lines.from, wanted);
    if (changes.empty()) return;
    // Many changes (a program's undone renumbering, a large paste) would
    // hold the window up for seconds: they come as an opened program's
    // colours come, the screen first.
    if (manyWait && changes.size() > kChangesMadeAtOnce) {
        for (const ColourChange& change : changes)
            std::fill(record.colours.begin() + change.range.from, record.colours.begin() + change.range.to,
                      kUnknownColour);
        ColourScreenAsDrawnTheRestLater(editor);
        return;
    }
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
    ColourRecord& record = RecordOf(editor);
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

// Streams `lines` in again as rich text carrying their colours: a whole
// band costs the control one layout, where colours set range by range cost
// one each. The band's last line break stays out of the stream (a stream
// over a selection that ends with one would add a line). A line break shows
// no colour, and what is typed after it is coloured as it comes, so its
// colour is taken as it is: set as a range, right after the stream, it
// would cost Wine's control more than the stream itself. A band with line
// breaks of other kinds is coloured range by range.
void StreamColouredLines(HWND editor, ColourRecord& record, TextRange lines)
{
    int streamTo = lines.to;
    while (streamTo > lines.from && (record.text[static_cast<size_t>(streamTo - 1)] == '\r' ||
                                     record.text[static_cast<size_t>(streamTo - 1)] == '\n'))
        --streamTo;
    const std::vector<uint32_t> wanted = WantedColours(record.text, lines, SettingsPalette(), EditorLanguage(editor));
    const std::string_view text = std::string_view(record.text).substr(static_cast<size_t>(lines.from),
                                                                       static_cast<size_t>(streamTo - lines.from));
    if (streamTo > lines.from && OnlyCrLfLineEnds(text)) {
        QuietEditor quiet(editor, lines.from, lines.to);
        Select(editor, lines.from, lines.from);
        const std::string rtf = ColouredRtf(text, wanted, FirstCharacterFont(editor), TabStops(editor));
        Select(editor, lines.from, streamTo);
        ReplaceSelectionWithRtf(editor, rtf);
        std::copy_n(wanted.begin(), lines.to - lines.from, record.colours.begin() + lines.from);
        return;
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
// with the lines after it up to a band's worth, or with `whole`, up to `to`;
// empty when there is none before `to`.
TextRange NextUncolouredBand(const ColourRecord& record, int from, int to, bool whole = false)
{
    const auto begin = record.colours.begin();
    const auto found = std::find(begin + from, begin + std::max(from, to), kUnknownColour);
    if (found == begin + std::max(from, to)) return {};
    const int at = static_cast<int>(found - begin);
    TextRange band = LinesAround(record.text, {at, at});
    if (whole) return LinesAround(record.text, {at, to});
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
        // The screen in one stream when nothing waits for it: each stream
        // costs the control a layout and a drawing of its own.
        TextRange band = NextUncolouredBand(record, std::clamp(screenFrom, 0, size), screenTo, budgetMs <= 0);
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
    if (!ColouringPending(editor)) {
        KillTimer(editor, kColouringTimer);
        g_colouringInIdleTime.erase(editor);
    }
}

CHARRANGE SelectionOf(HWND editor)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection;
}

// Keys the control turns into an edit at the selection.
bool EditsAtSelection(UINT message, WPARAM key)
{
    return message == WM_CHAR || (message == WM_KEYDOWN && (key == VK_BACK || key == VK_DELETE));
}

// The characters of the caret's line that `typed` will give another colour
// (the I of IF when F comes) take it before the key goes in, through a range
// of the text object model: unlike a selection it moves nothing, and Wine's
// control lays the line out and draws it once, for the key.
void RecolourLineBeforeTyping(HWND editor, ColourRecord& record, int at, char typed)
{
    const TextRange line = LinesAround(record.text, {at, at});
    std::string typedLine = record.text.substr(static_cast<size_t>(line.from), static_cast<size_t>(line.to - line.from));
    typedLine.insert(static_cast<size_t>(at - line.from), 1, typed);
    std::vector<uint32_t> wanted = WantedColours(typedLine, {0, static_cast<int>(typedLine.size())}, SettingsPalette(),
                                                 EditorLanguage(editor));
    wanted.erase(wanted.begin() + (at - line.from));  // the typed character itself goes in with its colour
    ColourRecord lineRecord = {record.text.substr(static_cast<size_t>(line.from), wanted.size()),
                               {record.colours.begin() + line.from, record.colours.begin() + line.to}};
    std::vector<ColourChange> changes = ChangesToColour(lineRecord, 0, wanted);
    std::erase_if(changes, [](const ColourChange& change) { return change.unsure; });
    if (changes.empty()) return;
    ITextDocument* document = TextDocumentOf(editor);
    ITextRange* range = nullptr;
    ITextFont* font = nullptr;
    if (document && SUCCEEDED(document->Range(line.from, line.from, &range)) && range &&
        SUCCEEDED(range->GetFont(&font)) && font) {
        UndoPause pause(editor);
        const bool modified = SendMessageA(editor, EM_GETMODIFY, 0, 0) != 0;
        for (const ColourChange& change : changes) {
            range->SetRange(line.from + change.range.from, line.from + change.range.to);
            if (FAILED(font->SetForeColor(static_cast<long>(change.colour)))) continue;
            std::fill(record.colours.begin() + line.from + change.range.from,
                      record.colours.begin() + line.from + change.range.to, change.colour);
        }
        SendMessageA(editor, EM_SETMODIFY, modified, 0);
    }
    if (font) font->Release();
    if (range) range->Release();
    if (document) document->Release();
}

// A printable character typed at the caret goes in with the colour its
// line will give it: the format of the insertion point is only remembered by
// the control, where a change of format after the key would lay the line
// out and draw it again.
void GiveTypedCharacterItsColour(HWND editor, ColourRecord& record, KeyEdit& edit, char typed)
{
    if (typed < ' ' || typed > '~' || edit.before.cpMin != edit.before.cpMax ||
        record.text.size() != static_cast<size_t>(edit.length))
        return;
    const size_t at = static_cast<size_t>(edit.before.cpMin);
    edit.typed = typed;
    edit.typedColour = ColourOfTyped(record.text, edit.before.cpMin, typed, SettingsPalette(), EditorLanguage(editor));
    RecolourLineBeforeTyping(editor, record, edit.before.cpMin, typed);
    // A character typed after another takes that one's format: most keys
    // in a word need nothing more.
    const bool inherits = at > 0 && record.text[at - 1] != '\r' && record.text[at - 1] != '\n';
    if (inherits && record.colours[at - 1] == edit.typedColour) return;
    UndoPause pause(editor);
    CHARFORMATA format = ColourFormat(edit.typedColour);
    SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto own = g_editorProcs.find(editor);
    const WNDPROC previous = own != g_editorProcs.end() ? own->second : DefWindowProcA;
    if (message == WM_NCDESTROY) {
        g_editorProcs.erase(own);
        return CallWindowProcA(previous, editor, message, wParam, lParam);
    }
    // Lines scrolled into view (Ctrl+End, the scroll bar, a search) before
    // the idle-time colouring reached them are coloured before they are
    // drawn, so they never show plain first.
    if (message == WM_PAINT && g_colouringInIdleTime.contains(editor)) ColourPendingLines(editor, 0);
    auto found = g_records.find(editor);
    if (!EditsAtSelection(message, wParam) || !ColouringOn() || found == g_records.end() || g_keyEdits.contains(editor))
        return CallWindowProcA(previous, editor, message, wParam, lParam);
    KeyEdit edit = {SelectionOf(editor), EditorTextLength(editor), std::nullopt, kUnknownColour};
    if (message == WM_CHAR) GiveTypedCharacterItsColour(editor, found->second, edit, static_cast<char>(wParam));
    g_keyEdits[editor] = edit;
    const LRESULT result = CallWindowProcA(previous, editor, message, wParam, lParam);
    g_keyEdits.erase(editor);
    return result;
}

// Follows a key's edit from the selections and lengths around it, reading
// only the characters it put in. False when the record cannot be sure of
// it that way.
bool FollowKeyEdit(HWND editor, ColourRecord& record, const KeyEdit& key)
{
    if (record.text.size() != static_cast<size_t>(key.length)) return false;
    const CHARRANGE after = SelectionOf(editor);
    const std::optional<SelectionEdit> edit = EditAtSelection({key.before.cpMin, key.before.cpMax},
                                                              {after.cpMin, after.cpMax}, key.length,
                                                              EditorTextLength(editor));
    if (!edit) return false;
    const std::optional<TextRange> added = FollowEdit(record, *edit, EditorTextRange(editor, edit->from, edit->newTo));
    if (!added) return false;
    if (key.typed && added->to - added->from == 1 && record.text[static_cast<size_t>(added->from)] == *key.typed)
        record.colours[static_cast<size_t>(added->from)] = key.typedColour;
    ColourLines(editor, record, LinesAround(record.text, *added));
    return true;
}

// The lines on screen that wait for colours are coloured as they are next
// drawn, the rest in idle time: of several programs opened at once, those
// that stay hidden behind the last cost nothing until they are seen.
void ColourScreenAsDrawnTheRestLater(HWND editor)
{
    if (!ColouringOn() || RecordOf(editor).text.empty()) return;
    if (SetTimer(editor, kColouringTimer, kColouringTimerPeriodMs, ColourInIdleTime))
        g_colouringInIdleTime.insert(editor);
    else
        ColourPendingLines(editor, 0);
    InvalidateRect(editor, nullptr, FALSE);
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
        ColourRecord& record = RecordOf(editor);
        ColourLines(editor, record, LinesAround(record.text, {selection.cpMin, selection.cpMax}));
        return;
    }
    // A key's edit is found from where it happened; anything else (undo,
    // drag and drop, a replacement) by comparing the whole text.
    if (auto key = g_keyEdits.find(editor); key != g_keyEdits.end()) {
        const KeyEdit edit = key->second;
        g_keyEdits.erase(key);
        if (FollowKeyEdit(editor, g_records[editor], edit)) return;
    }
    std::optional<TextRange> changed;
    ColourRecord& record = FollowedRecord(editor, changed);
    if (changed) ColourLines(editor, record, LinesAround(record.text, *changed), true);
}

void ColourOpenedProgram(HWND editor)
{
    FollowEditorText(editor);
    ColourScreenAsDrawnTheRestLater(editor);
}

void ColourPlainText(HWND editor, LONG from, LONG to)
{
    std::optional<TextRange> changed;
    FollowedRecord(editor, changed);
    ForgetColours(editor, from, to);
    ColourScreenAsDrawnTheRestLater(editor);
}

void UncolourBeforeReplacing(HWND editor, LONG from, LONG to)
{
    if (!ColouringOn() || !g_records.contains(editor)) return;
    QuietEditor quiet(editor, from, to);
    Select(editor, from, to);
    ColourSelection(editor, SettingsPalette().plain);
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
    ColourRecord& record = RecordOf(editor);
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

void FollowEdits(HWND editor, std::string_view text, std::span<const TextEdit> edits)
{
    auto found = g_records.find(editor);
    // A record behind the text is left to find the change itself.
    if (found != g_records.end() && found->second.text == text) FollowEdits(found->second, edits);
}

void StopFollowingEditor(HWND editor)
{
    KillTimer(editor, kColouringTimer);
    g_colouringInIdleTime.erase(editor);
    g_records.erase(editor);
    g_keyEdits.erase(editor);
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
        WantedColours(line, {0, static_cast<int>(line.size())}, SettingsPalette(), EditorLanguage(editor));
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
    const std::vector<uint32_t> wanted = WantedColours(record.text, lines, SettingsPalette(), EditorLanguage(editor));
    for (LONG i = std::max<LONG>(before.cpMin, lines.from); i < std::min<LONG>(after.cpMax, lines.to); ++i)
        if (record.colours[static_cast<size_t>(i)] == kUnknownColour)
            record.colours[static_cast<size_t>(i)] = wanted[static_cast<size_t>(i - lines.from)];
    ColourLines(editor, record, lines);
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&after));
}
