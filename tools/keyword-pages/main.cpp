// keyword-pages: writes the help file's two keyword pages, Applesoft's and
// Integer BASIC's, from the keyword table, so the help and the editor's
// keyword help say the same. The pages are kept in help/; a test checks
// they are what this writes.
//   keyword-pages FOLDER
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "core/basic/keyword_help.h"

namespace {

std::string Escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

struct Page {
    BasicLanguage language;
    const char* file;
    const char* title;
    const char* introduction;
    const char* other;  // the other page's link
};

const Page kPages[] = {
    {BasicLanguage::Applesoft, "keywords_applesoft.html", "Applesoft BASIC keywords",
     "Every Applesoft keyword in the order of its token, the byte the Apple II stores for it in place of its\n"
     "letters. The Apple finds keywords wherever their letters stand, even inside a name: <code>SCORE</code>\n"
     "is stored as <code>SC OR E</code> (Check Program, in <a href=\"menu_tools.html\">The Tools menu</a>,\n"
     "names such lines).",
     "<a href=\"keywords_integer.html\">Integer BASIC keywords</a>"},
    {BasicLanguage::Integer, "keywords_integer.html", "Integer BASIC keywords",
     "Every Integer BASIC keyword, in alphabetical order. Integer BASIC checks each line as it is typed and\n"
     "gives one word a different token in each place it may stand, so no single token belongs to a word.\n"
     "It knows whole numbers only, from -32767 to 32767.",
     "<a href=\"keywords_applesoft.html\">Applesoft BASIC keywords</a>"},
};

std::string PageText(const Page& page)
{
    const bool tokens = page.language == BasicLanguage::Applesoft;
    std::string html = std::string("<html>\n<head><title>") + page.title +
                       "</title><link rel=\"stylesheet\" href=\"tavo.css\"></head>\n<body>\n"
                       "<!-- Written by tools/keyword-pages from the keyword table, core/basic/keyword_help.cpp:"
                       " change the table, not this page. -->\n<h1>" +
                       page.title + "</h1>\n<p>" + page.introduction +
                       "</p>\n<p>In a form, <code>[ ]</code> holds what may be left out and <code>|</code> stands"
                       " between choices.\nSee also " +
                       page.other + ".</p>\n<table>\n<tr><th>Keyword</th>" + (tokens ? "<th>Token</th>" : "") +
                       "<th>Form</th><th>What it does</th></tr>\n";
    for (const KeywordHelp& row : KeywordHelpTable()) {
        if (row.language != page.language) continue;
        char token[8];
        std::snprintf(token, sizeof token, "$%02X", static_cast<unsigned>(row.token));
        html += "<tr><td><code>" + Escaped(row.keyword) + "</code></td>" +
                (tokens ? std::string("<td>") + token + "</td>" : std::string()) + "<td><code>" +
                Escaped(row.syntax) + "</code></td><td>" + Escaped(row.summary) + "</td></tr>\n";
    }
    return html + "</table>\n</body>\n</html>\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: keyword-pages FOLDER\n", stderr);
        return 2;
    }
    for (const Page& page : kPages) {
        const std::string path = std::string(argv[1]) + "/" + page.file;
        const std::string text = PageText(page);
        std::ofstream out(path, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out) {
            std::fprintf(stderr, "Could not write file, %s!\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
