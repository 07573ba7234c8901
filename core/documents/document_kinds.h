// The kinds of document. Each kind is a window class of its own (commands
// tell the kind of a document by its window's class name), with its icon and
// the New command that creates an empty one. Portable: opening a file from a
// disk image chooses the kind, and the tools name it too.
#pragma once
#include <string_view>

enum class DocumentKind { Edit, Applesoft, Integer, Text, Bin };

struct DocumentKindRow {
    DocumentKind kind;
    const char* className;
    const char* iconName;  // the icon resource's name, or null to use `iconId`
    int iconId;
    int newCommand;        // 0: no New command makes this kind
};

extern const DocumentKindRow kDocumentKinds[5];

const DocumentKindRow& DocumentKindInfo(DocumentKind kind);
// The row of a window class name, or null when the class is no document's.
const DocumentKindRow* DocumentKindOfClass(std::string_view className);
// The row the New command `command` creates, or null.
const DocumentKindRow* DocumentKindOfNewCommand(int command);
