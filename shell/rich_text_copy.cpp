#include "shell/rich_text_copy.h"

#include <algorithm>
#include <cstring>

#include "shell/app.h"

namespace {

struct MemoryStream {
    std::string text;
    size_t read = 0;
};

DWORD CALLBACK WriteToMemory(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* written)
{
    reinterpret_cast<MemoryStream*>(cookie)->text.append(reinterpret_cast<const char*>(bytes), count);
    *written = count;
    return 0;
}

DWORD CALLBACK ReadFromMemory(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* read)
{
    auto* stream = reinterpret_cast<MemoryStream*>(cookie);
    size_t n = std::min(static_cast<size_t>(count), stream->text.size() - stream->read);
    std::memcpy(bytes, stream->text.data() + stream->read, n);
    stream->read += n;
    *read = static_cast<LONG>(n);
    return 0;
}

std::string StreamOut(HWND editor, DWORD format)
{
    MemoryStream stream;
    EDITSTREAM edit = {reinterpret_cast<DWORD_PTR>(&stream), 0, WriteToMemory};
    SendMessageA(editor, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&edit));
    return stream.text;
}

}  // namespace

std::string EditorAsRtf(HWND editor, bool selectionOnly)
{
    return StreamOut(editor, selectionOnly ? SF_RTF | SFF_SELECTION : SF_RTF);
}

std::string SelectionAsRtf(HWND editor, CHARRANGE range)
{
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return StreamOut(editor, SF_RTF | SFF_SELECTION);
}

void ReplaceSelectionWithRtf(HWND editor, std::string rtf)
{
    MemoryStream stream{std::move(rtf)};
    EDITSTREAM edit = {reinterpret_cast<DWORD_PTR>(&stream), 0, ReadFromMemory};
    SendMessageA(editor, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&edit));
}

HWND CreateScratchEditor()
{
    HWND scratch = CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 0, 0, nullptr, nullptr,
                                   g_app.instance, nullptr);
    if (!scratch) return nullptr;
    SendMessageA(scratch, EM_EXLIMITTEXT, 0, 0x7FFFFFF);
    // Rich text states the effects it turns on, not those it leaves off:
    // streamed in, it would take the rest from this control's bold System
    // font and come back bold.
    CHARFORMATA plain = {};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    SendMessageA(scratch, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
    return scratch;
}
