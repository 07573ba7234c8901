#include "shell/document_windows.h"

#include "core/disk/image.h"
#include "shell/app.h"

DocumentTable g_documents;

HWND EditorOf(HWND document) { return document ? GetWindow(document, GW_CHILD) : nullptr; }

std::string WindowTitle(HWND window, int maxChars)
{
    std::string title(static_cast<size_t>(maxChars) + 1, '\0');
    title.resize(static_cast<size_t>(GetWindowTextA(window, title.data(), maxChars + 1)));
    return title;
}

LONG_PTR EditorSlot(HWND editor) { return GetWindowLongPtrA(editor, GWLP_USERDATA); }

void SetEditorSlot(HWND editor, LONG_PTR slot) { SetWindowLongPtrA(editor, GWLP_USERDATA, slot); }

size_t TableSlotOf(HWND editor)
{
    LONG_PTR slot = editor ? EditorSlot(editor) : 0;
    return slot > 0 && static_cast<size_t>(slot) < g_documents.capacity ? static_cast<size_t>(slot) : 0;
}

size_t ImageSlotOf(HWND editor)
{
    size_t slot = TableSlotOf(editor);
    int layout = slot ? g_documents.fileEntry[slot].layout : LayoutNone;
    bool fromImage = IsDosLayout(layout) || layout == LayoutProdos || layout == LayoutProdosDosOrder;
    return fromImage ? slot : 0;
}

const DocumentKindRow* DocumentKindOf(HWND window)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return DocumentKindOfClass(name);
}

bool IsDocumentWindow(HWND window) { return DocumentKindOf(window) != nullptr; }

bool IsDocumentOfKind(HWND window, DocumentKind kind)
{
    const DocumentKindRow* row = DocumentKindOf(window);
    return row && row->kind == kind;
}

std::optional<BasicLanguage> ProgramLanguageOf(HWND window)
{
    if (IsDocumentOfKind(window, DocumentKind::Applesoft)) return BasicLanguage::Applesoft;
    if (IsDocumentOfKind(window, DocumentKind::Integer)) return BasicLanguage::Integer;
    return std::nullopt;
}

int CountDocuments()
{
    int count = 0;
    if (!g_app.mdiClient) return 0;
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDocumentWindow(child)) ++count;
    return count;
}

HWND GetActiveDocument()
{
    if (!g_app.mdiClient) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(g_app.mdiClient, WM_MDIGETACTIVE, 0, 0));
}

HWND GetActiveEditor() { return EditorOf(GetActiveDocument()); }

void FreeDocumentTable() { FreeDocumentTable(g_documents); }
