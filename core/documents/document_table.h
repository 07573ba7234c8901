// Where each open document came from: parallel arrays indexed by slot.
// Slot 0 is never used; a document without a place has slot -1.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/disk/file_entry.h"

inline constexpr size_t kInitialDocumentCapacity = 12;
inline constexpr size_t kDocumentCapacityStep = 4;

struct DocumentTable {
    size_t capacity = 0;
    std::vector<std::string> directory;  // "" marks a free slot
    std::vector<std::string> name;
    std::vector<std::string> applePath;
    std::vector<FileEntry> fileEntry;        // the directory entry of a document opened from a disk image
    std::vector<uint8_t> hexDump;            // 1: the document shows the file's bytes and is never written back
    std::vector<uint32_t> browserSelection;  // the Apple file browser's picks, not per document
};

// False when memory could not be had; the table is then left empty.
bool AllocateDocumentTable(DocumentTable& table, size_t capacity = kInitialDocumentCapacity);
bool GrowDocumentTable(DocumentTable& table);
void FreeDocumentTable(DocumentTable& table);
void ClearDocumentSlot(DocumentTable& table, size_t slot);
// The first free slot from 1 upwards; grows the table when none is free.
// Returns 0 when the table could not grow.
size_t TakeFreeSlot(DocumentTable& table);
