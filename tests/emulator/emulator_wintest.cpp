// The emulator link in-process: which window is found, what goes on the
// clipboard, that the document is never altered, List Programs Running.
// Stand-in emulator windows are top-level windows of this test program.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "desktop.h"
#include "emulator/emulator_window.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"
#include "support/front_taken.h"

namespace {

constexpr char kEmulatorTitle[] = "Stand-in Apple //e";
constexpr char kOtherTitle[] = "Stand-in Apple ][";

constexpr UINT kTakeFrontBack = WM_APP;

// An emulator that will not stay in front: once active, it hands the front
// back to TAVO's frame. It runs its own thread, so it does so while TAVO waits.
LRESULT CALLBACK StealFront(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(window, kTakeFrontBack, 0, 0);
        break;
    case kTakeFrontBack: SetForegroundWindow(g_app.frame); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND TitledWindow(const char* title, WNDPROC procedure = DefWindowProcA)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = procedure == DefWindowProcA ? "TavoTestTitled" : "TavoTestFrontStealer";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    PumpMessages();
    return window;
}

// Pumps until the clipboard holds `text` again, or gives up after `ms`.
bool ClipboardBecomes(const std::string& text, DWORD ms = 5000)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20)) {
        PumpMessages();
        if (ClipboardText() == text) return true;
    }
    return false;
}

class EmulatorTest : public AppTest {
protected:
    void SetUp() override
    {
        lock_ = std::make_unique<DesktopLock>();
        AppTest::SetUp();
    }
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), std::string("[Prompts]\r\nQuitPrompt=FALSE\r\n[Emulators]\r\nNumber=3\r\nName[1]=") +
                                     kEmulatorTitle + "\r\nName[2]=\r\nName[3]=" + kOtherTitle + "\r\n");
    }
    void TearDown() override
    {
        for (HWND w : windows_) DestroyWindow(w);
        if (stealer_.joinable()) {
            PostMessageA(stealerWindow_, WM_CLOSE, 0, 0);
            stealer_.join();
        }
        AppTest::TearDown();
        lock_.reset();
    }
    HWND Emulator(const char* title)
    {
        windows_.push_back(TitledWindow(title));
        return windows_.back();
    }
    void FrontStealer(const char* title)
    {
        std::atomic<HWND> made{nullptr};
        stealer_ = std::thread([&made, title] {
            made = TitledWindow(title, StealFront);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        });
        while (!made) Sleep(10);
        stealerWindow_ = made;
    }
    // Runs a command that types into the emulator.
    LRESULT Typed(UINT id)
    {
        LRESULT result = 0;
        RetryWhileFrontTaken([&] { result = Command(id); });
        return result;
    }
    void ExpectNoEmulatorBox()
    {
        ASSERT_TRUE(boxes_->WaitAnswered(5000));
        ASSERT_FALSE(boxes_->Answered().empty());
        EXPECT_EQ(boxes_->Answered().back().text, "No Emulator Running!");
    }
    std::vector<HWND> windows_;
    std::thread stealer_;
    HWND stealerWindow_ = nullptr;
    std::unique_ptr<DesktopLock> lock_;
};

TEST_F(EmulatorTest, WithoutAnEmulatorNothingIsTypedAndTheClipboardIsUntouched)
{
    HWND editor = UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "10 END");
    Emulator("Stand-in Apple //e ");  // a trailing space
    Emulator("stand-in apple //e");   // other letter case
    Emulator("");                     // Name[2] is empty and must not find untitled windows
    ASSERT_TRUE(PutOnClipboard("the user's text"));
    DWORD sequence = GetClipboardSequenceNumber();
    for (UINT id : {IDM_RUN_PROGRAM, IDM_INJECT_TEXT, IDM_KEYWORD_FIRST}) {
        SCOPED_TRACE(id);
        boxes_->Expect(kErrorCaption, IDOK);
        EXPECT_EQ(Command(id), 0);
        ExpectNoEmulatorBox();
    }
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    EXPECT_EQ(ClipboardText(), "the user's text");
    EXPECT_EQ(EditorText(editor), "10 END");
}

TEST_F(EmulatorTest, TheFirstConfiguredNameWinsWhateverTheWindowOrder)
{
    HWND other = Emulator(kOtherTitle);
    EXPECT_EQ(FindEmulatorWindow(), other);
    HWND first = Emulator(kEmulatorTitle);
    EXPECT_EQ(FindEmulatorWindow(), first);
    EXPECT_TRUE(boxes_->Answered().empty());
}

// Run types from a copy: text, colours, selection, scroll, modified flag and
// undo history of the document are as before, and the typed text is framed.
TEST_F(EmulatorTest, RunLeavesTheDocumentAsItWas)
{
    Emulator(kEmulatorTitle);
    ASSERT_TRUE(PutOnClipboard("the user's text"));
    HWND editor = UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "10 PRINT \"HI\"\r\n20 GOTO 10\r\n");
    std::string beforeEdit = EditorText(editor);
    CHARRANGE end = {-1, -1};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("30 END"));  // the user's last edit
    SetColour(editor, 3, 8, RGB(200, 0, 0));
    std::string text = EditorText(editor);
    LRESULT firstLine = SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_TRUE(SendMessageA(editor, EM_GETMODIFY, 0, 0));

    EXPECT_EQ(Typed(IDM_RUN_PROGRAM), 1);
    EXPECT_EQ(ClipboardText(), "NEW\r10 PRINT \"HI\"\r20 GOTO 10\r30 END\rRUN\r\n");

    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, 3);
    EXPECT_EQ(selection.cpMax, 8);
    EXPECT_EQ(SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine);
    EXPECT_TRUE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(EditorText(editor), text);
    EXPECT_EQ(ColourAt(editor, 5), RGB(200, 0, 0));
    EXPECT_NE(ColourAt(editor, 9), RGB(200, 0, 0));
    SendMessageA(editor, EM_UNDO, 0, 0);  // Ctrl+Z: the colour change, then the user's typing
    SendMessageA(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(EditorText(editor), beforeEdit);
    EXPECT_TRUE(ClipboardBecomes("the user's text"));
}

TEST_F(EmulatorTest, SaveThroughTheEmulatorTypesSaveOnceAndOnlyThenCountsAsSaved)
{
    HWND editor = UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "10 END");
    LONG_PTR slot = 1;
    SetEditorSlot(editor, slot);
    g_documents.applePath[slot] = "/DISK/HELLO";
    SendMessageA(editor, EM_SETMODIFY, TRUE, 0);

    boxes_->Expect(kErrorCaption, IDOK);
    EXPECT_EQ(Command(IDM_SAVE), 0);  // no emulator
    ExpectNoEmulatorBox();
    EXPECT_TRUE(SendMessageA(editor, EM_GETMODIFY, 0, 0));

    Emulator(kEmulatorTitle);
    EXPECT_EQ(Typed(IDM_RUN_PROGRAM), 1);  // the failed Save left no SAVE behind
    EXPECT_EQ(ClipboardText(), "NEW\r10 END\rRUN\r\n");
    EXPECT_EQ(Typed(IDM_SAVE), 1);
    EXPECT_EQ(ClipboardText(), "NEW\r10 END\rSAVE /DISK/HELLO\r\n");
    EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
}

TEST_F(EmulatorTest, AnEmulatorThatWillNotComeToTheFrontGetsNothing)
{
    FrontStealer(kEmulatorTitle);
    ASSERT_TRUE(PutOnClipboard("the user's text"));
    boxes_->Expect(kErrorCaption, IDOK);
    EXPECT_EQ(Command(IDM_KEYWORD_FIRST + 1), 0);
    ASSERT_TRUE(boxes_->WaitAnswered(5000));
    EXPECT_EQ(boxes_->Answered().back().text, kNotInFront);
    EXPECT_EQ(ClipboardText(), "the user's text");
}

TEST_F(EmulatorTest, ListProgramsRunningOpensAnUnmodifiedListEachTime)
{
    Emulator("");
    Emulator(kOtherTitle);
    Command(IDM_LIST_PROGRAMS);
    HWND first = GetActiveDocument();
    Command(IDM_LIST_PROGRAMS);
    HWND second = GetActiveDocument();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(CountDocuments(), 2);
    std::string text = EditorText(EditorOf(second));
    for (char& c : text)
        if (c == '\r') c = '\n';
    EXPECT_EQ(text.rfind("The following is a list of all the programs running at this time.\n"
                         "A ? denotes a program with an unknown name.\n" + std::string(65, '-') + "\n\n", 0), 0u);
    EXPECT_NE(text.find("\nTAVO - Untitled\n"), std::string::npos);
    EXPECT_NE(text.find(std::string("\n") + kOtherTitle + "\n"), std::string::npos);
    EXPECT_NE(text.find("\n?\n"), std::string::npos);
    EXPECT_FALSE(SendMessageA(EditorOf(second), EM_GETMODIFY, 0, 0));
    EXPECT_TRUE(CloseFrame());  // no save question for either list
    EXPECT_TRUE(boxes_->Answered().empty());
}

}  // namespace
