// The Properties sheet (command 19): the active document's Apple file and
// the disk image it came from, as its slot recorded them when it was
// opened. Nothing is read from the image again.
#include "disk_browser/properties_sheet.h"

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <new>

#include "core/disk/file_types.h"
#include "core/disk/image.h"
#include "core/disk/properties_text.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/report_error.h"

namespace {

constexpr int kIconLeft = 9;  // pixels inside the General page
constexpr int kIconTop = 12;

void ShowFields(HWND page, const std::vector<PropertyField>& fields)
{
    for (const PropertyField& field : fields) SetDlgItemTextA(page, field.controlId, field.value.c_str());
}

const PropertyTexts& TextsOf(LPARAM initParam)
{
    return *reinterpret_cast<const PropertyTexts*>(reinterpret_cast<const PROPSHEETPAGEA*>(initParam)->lParam);
}

void PaintFileIcon(HWND page)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(page, &paint);
    int icon = static_cast<int>(GetWindowLongPtrA(page, DWLP_USER));
    if (HICON handle = LoadIconA(g_app.instance, MAKEINTRESOURCEA(kIconResourceBase + icon)))
        DrawIcon(dc, kIconLeft, kIconTop, handle);
    EndPaint(page, &paint);
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const PropertyTexts& texts = TextsOf(lParam);
        ShowFields(page, texts.general);
        for (const AccessBox& box : texts.access)
            CheckDlgButton(page, box.controlId, box.checked ? BST_CHECKED : BST_UNCHECKED);
        SetWindowLongPtrA(page, DWLP_USER, texts.icon);
        return TRUE;
    }
    case WM_PAINT: PaintFileIcon(page); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ImagePageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;
    ShowFields(page, TextsOf(lParam).image);
    return TRUE;
}

PROPSHEETPAGEA Page(const char* templateName, DLGPROC procedure, const PropertyTexts& texts)
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.hInstance = g_app.instance;
    page.pszTemplate = templateName;
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(&texts);
    return page;
}

}  // namespace

LRESULT ShowProperties(HWND frame)
{
    // Only a document from a disk image has an entry to show; the command
    // is greyed for others, but a stray command id must not read past the table.
    size_t slot = ImageSlotOf(GetActiveEditor());
    if (!slot) return 0;
    PropertyTexts texts;
    try {
        // The medium follows the document's own image, not the one picked last.
        const std::string& image = g_documents.name[slot];
        texts = ComposePropertyTexts(g_documents.fileEntry[slot], g_documents.applePath[slot], image,
                                     g_documents.directory[slot], ImageExtensionIndexOf(image));
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
        return 0;
    }
    PROPSHEETPAGEA pages[] = {Page("GENERAL", GeneralPageProc, texts), Page("IMAGE", ImagePageProc, texts)};
    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    sheet.hwndParent = frame;
    sheet.hInstance = g_app.instance;
    sheet.pszCaption = "Properties";
    sheet.nPages = 2;
    sheet.ppsp = pages;
    PropertySheetA(&sheet);
    return 1;
}
