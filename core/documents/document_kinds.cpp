// The table of document kinds.
#include "core/documents/document_kinds.h"

#include "resources/resource.h"

const DocumentKindRow kDocumentKinds[5] = {
    {DocumentKind::Edit, "MDIChildClass", "XEdit", 0, IDM_NEW_EDIT},
    {DocumentKind::Applesoft, "Applesoft", nullptr, IDI_APPLESOFT_DOC, IDM_NEW_APPLESOFT},
    {DocumentKind::Integer, "Integer", "XIntBAS", 0, IDM_NEW_INTEGER},
    {DocumentKind::Text, "Text", "XText", 0, IDM_NEW_TEXT},
    {DocumentKind::Bin, "Bin", "XBin", 0, 0},
};

const DocumentKindRow& DocumentKindInfo(DocumentKind kind)
{
    for (const DocumentKindRow& row : kDocumentKinds)
        if (row.kind == kind) return row;
    return kDocumentKinds[0];
}

const DocumentKindRow* DocumentKindOfClass(std::string_view className)
{
    for (const DocumentKindRow& row : kDocumentKinds)
        if (className == row.className) return &row;
    return nullptr;
}

const DocumentKindRow* DocumentKindOfNewCommand(int command)
{
    if (command == 0) return nullptr;
    for (const DocumentKindRow& row : kDocumentKinds)
        if (row.newCommand == command) return &row;
    return nullptr;
}
