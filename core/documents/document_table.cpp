// The document table's life: allocation, growth by four slots, release.
#include "core/documents/document_table.h"

#include <new>

namespace {

bool Resize(DocumentTable& table, size_t capacity)
{
    try {
        table.directory.resize(capacity);
        table.name.resize(capacity);
        table.applePath.resize(capacity);
        table.fileEntry.resize(capacity);
        table.hexDump.resize(capacity);
        table.browserSelection.resize(capacity);
    } catch (const std::bad_alloc&) {
        return false;
    }
    table.capacity = capacity;
    return true;
}

}  // namespace

bool AllocateDocumentTable(DocumentTable& table, size_t capacity)
{
    FreeDocumentTable(table);
    if (Resize(table, capacity)) return true;
    FreeDocumentTable(table);
    return false;
}

bool GrowDocumentTable(DocumentTable& table)
{
    return Resize(table, table.capacity + kDocumentCapacityStep);
}

void FreeDocumentTable(DocumentTable& table)
{
    table = DocumentTable{};
}

void ClearDocumentSlot(DocumentTable& table, size_t slot)
{
    if (slot == 0 || slot >= table.capacity) return;
    table.directory[slot].clear();
    table.name[slot].clear();
    table.applePath[slot].clear();
    table.fileEntry[slot] = FileEntry{};
    table.hexDump[slot] = 0;
}

size_t TakeFreeSlot(DocumentTable& table)
{
    if (table.capacity == 0) return 0;
    for (size_t slot = 1; slot < table.capacity; ++slot)
        if (table.directory[slot].empty()) return slot;
    size_t slot = table.capacity;
    return GrowDocumentTable(table) ? slot : 0;
}
