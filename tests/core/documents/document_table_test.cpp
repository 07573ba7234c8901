// The document table: slots from 1, growth by four.
#include "core/documents/document_table.h"

#include <gtest/gtest.h>

TEST(DocumentTable, ElevenSlotsThenGrowth)
{
    DocumentTable table;
    ASSERT_TRUE(AllocateDocumentTable(table));
    EXPECT_EQ(table.capacity, 12u);
    for (size_t expected = 1; expected <= 11; ++expected) {
        size_t slot = TakeFreeSlot(table);
        ASSERT_EQ(slot, expected);
        table.directory[slot] = "C:\\docs";
    }
    // The twelfth document finds no free slot: it takes slot 12 and the table grows.
    size_t slot = TakeFreeSlot(table);
    EXPECT_EQ(slot, 12u);
    EXPECT_EQ(table.capacity, 16u);
    EXPECT_EQ(table.browserSelection.size(), 16u);
    EXPECT_TRUE(table.directory[15].empty());
}

TEST(DocumentTable, ClosedSlotsAreReusedAndSlotZeroNever)
{
    DocumentTable table;
    ASSERT_TRUE(AllocateDocumentTable(table));
    table.directory[1] = "a";
    table.name[1] = "A.TXT";
    table.applePath[1] = "/V/A";
    table.fileEntry[1].layout = 2;
    table.directory[2] = "b";
    ClearDocumentSlot(table, 1);
    EXPECT_TRUE(table.name[1].empty());
    EXPECT_TRUE(table.applePath[1].empty());
    EXPECT_EQ(table.fileEntry[1].layout, 0);  // Properties must not show a closed document's file
    EXPECT_EQ(TakeFreeSlot(table), 1u);
    ClearDocumentSlot(table, 0);    // never used: nothing to clear
    ClearDocumentSlot(table, 500);  // out of range: ignored
    FreeDocumentTable(table);
    EXPECT_EQ(table.capacity, 0u);
    EXPECT_EQ(TakeFreeSlot(table), 0u);  // no table, no slot
}
