#include "editing/basic_program.h"

#include "shell/documents.h"
#include "shell/editor_text.h"

std::optional<BasicProgram> ActiveBasicProgram()
{
    HWND document = GetActiveDocument();
    const std::optional<BasicLanguage> language = LanguageOf(document);
    if (!language) return std::nullopt;
    HWND editor = EditorOf(document);
    return BasicProgram{editor, *language, EditorTextRange(editor, 0, EditorTextLength(editor))};
}
