#include "shell/text_document.h"

#include <richedit.h>

namespace {

// ITextDocument's interface id, which MinGW's import libraries do not carry.
constexpr GUID kTextDocumentId = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

}  // namespace

ITextDocument* TextDocumentOf(HWND editor)
{
    IRichEditOle* ole = nullptr;
    if (!SendMessageA(editor, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole) return nullptr;
    void* document = nullptr;
    if (FAILED(ole->QueryInterface(kTextDocumentId, &document))) document = nullptr;
    ole->Release();
    return static_cast<ITextDocument*>(document);
}
