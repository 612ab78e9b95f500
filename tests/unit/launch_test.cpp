// What a command starts, the arguments a drop adds and a batch file gets, and the values the profile keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ProfileValue.h"
#include "launch/CommandResolver.h"
#include "launch/LaunchTexts.h"
#include "../fuzz/fuzz_support.h"

namespace {

bool noLead(unsigned char) { return false; }

// A small disk, looked up as the system looks ("." and ".." as steps): the programs a
// command may mean, and the ones planted where a guess would find them first.
std::vector<std::string> asked;
PathKind onDisk(const std::string& written)
{
    asked.push_back(written);
    std::string path = systemPath(written, cp932Lead);
    for (const char* file : {"C:\\my app\\tool.exe", "C:\\my.exe", "C:\\Program.exe", "C:\\Program Files\\App\\app.exe",
                             "C:\\zel test\\rec.exe", "C:\\zel.exe", "C:\\e2e\\R&D\\run.bat", "C:\\notes.txt",
                             "C:\\a b\\run now.exe", "C:\\a b\\run.exe", "C:\\\x95\x5C\\\x83\x5C.exe", "C:\\tools\\x.com",
                             "C:\\tools\\x.cmd", "C:\\dots\\app.exe", "C:\\Downloads\\pkg.exe", "C:\\unz\\README",
                             "C:\\unz\\README.com", "C:\\Downloads\\ZEL32\\notepad.exe", "C:\\Downloads\\ZEL32\\winver.exe",
                             "C:\\Downloads\\ZEL32\\tools\\x.exe", "C:\\windows\\system32\\notepad.exe",
                             "C:\\windows\\system32\\winver.exe", "C:\\windows\\explorer.exe", "C:\\work\\tools\\x.exe",
                             "C:\\work\\tools\\y.exe", "C:\\Users\\Public\\evil.exe", "C:\\work\\tools\\tool.exe",
                             "C:\\work\\tools\\tool.exe build.exe", "C:\\work\\y.exe", "C:\\work\\m.scr"})
        if (path == file)
            return PathKind::file;
    for (const char* folder : {"C:\\my app", "C:\\My Documents", "C:\\tool.exe", "C:\\Program Files", "C:\\zel test",
                               "C:\\e2e", "C:\\", "C:\\tools", "C:\\Downloads", "C:\\Downloads\\pkg", "C:\\unz",
                               "C:\\Downloads\\ZEL32", "C:\\Downloads\\ZEL32\\tools", "C:\\windows",
                               "C:\\windows\\system32", "C:\\work", "C:\\work\\tools", "C:\\Users", "C:\\Users\\Public"})
        if (path == folder)
            return PathKind::folder;
    return PathKind::missing;
}

// Shortcuts' expansion: known names replaced, unknown ones left as written.
std::string expandKnown(const std::string& text)
{
    std::string result = text;
    for (std::size_t at; (at = result.find("%windir%")) != std::string::npos;)
        result.replace(at, 8, "C:\\windows");
    return result;
}

// The bar in a Downloads folder, as the portable zip invites.
const FileLookup kDisk{onDisk, {"C:\\windows\\system32", "C:\\windows"}, "C:\\Downloads\\ZEL32", expandKnown};

TEST(Resolver, EachCommandStartsWhatTheUserNamedAndNeverAPlantedProgram)
{
    struct Case {
        const char* command;
        StartKind kind;
        const char* file;
        const char* line; // program part and arguments as the program receives them
    };
    using K = StartKind;
    const Case cases[] = {
        // A planted C:\my.exe or C:\Program.exe never starts.
        {"C:\\my app\\tool.exe /min", K::program, "C:\\my app\\tool.exe", "\"C:\\my app\\tool.exe\" /min"},
        {"C:\\Program Files\\App\\app", K::program, "C:\\Program Files\\App\\app.exe", "\"C:\\Program Files\\App\\app\""},
        {"C:\\a b\\run now.exe x", K::program, "C:\\a b\\run now.exe", "\"C:\\a b\\run now.exe\" x"},
        {"C:\\a b\\run later.exe x", K::program, "C:\\a b\\run.exe", "\"C:\\a b\\run\" later.exe x"},
        {"C:\\my app\\tool.exe\t/min", K::program, "C:\\my app\\tool.exe", "\"C:\\my app\\tool.exe\"\t/min"},
        // A hand-written quoted line after the profile took its outer pair: the program ends at the quote.
        {"C:\\my app\\tool.exe\" \"x y", K::program, "C:\\my app\\tool.exe", "\"C:\\my app\\tool.exe\" \"x y\""},
        // Quoted as typed, or without a blank: the line as stored.
        {"\"C:\\my app\\tool.exe\" \"two words\"", K::program, "C:\\my app\\tool.exe", "\"C:\\my app\\tool.exe\" \"two words\""},
        {"\"C:\\zel test\\rec\" /x", K::program, "C:\\zel test\\rec.exe", "\"C:\\zel test\\rec\" /x"},
        {"C:\\tools\\x", K::program, "C:\\tools\\x.com", "C:\\tools\\x"},
        // The path as written names a folder or a file: an extension is never added past it.
        {"C:\\Downloads\\pkg", K::document, "C:\\Downloads\\pkg", "C:\\Downloads\\pkg"},
        {"C:\\unz\\README", K::document, "C:\\unz\\README", "C:\\unz\\README"},
        {"\"C:\\unz\\README\"", K::document, "C:\\unz\\README", "\"C:\\unz\\README\""},
        // An own extension as written wins, the shortest first; ".." in an argument never moves the program.
        {"C:\\work\\tools\\tool.exe build.exe", K::program, "C:\\work\\tools\\tool.exe",
         "C:\\work\\tools\\tool.exe build.exe"},
        {"C:\\work\\tools\\x.exe -o ..\\..\\y", K::program, "C:\\work\\tools\\x.exe", "C:\\work\\tools\\x.exe -o ..\\..\\y"},
        {"C:\\work\\tools\\x -o ..\\..\\y", K::program, "C:\\work\\tools\\x.exe", "C:\\work\\tools\\x -o ..\\..\\y"},
        {"C:\\work\\tools\\x ..\\..\\..\\..\\Users\\Public\\evil", K::program, "C:\\work\\tools\\x.exe",
         "C:\\work\\tools\\x ..\\..\\..\\..\\Users\\Public\\evil"},
        {"C:\\work\\tools\\..\\tools\\x.exe a", K::program, "C:\\work\\tools\\..\\tools\\x.exe",
         "C:\\work\\tools\\..\\tools\\x.exe a"},
        {"C:\\work\\tools\\x y\\..\\..\\y", K::program, "C:\\work\\tools\\x.exe", "C:\\work\\tools\\x y\\..\\..\\y"},
        {"C:\\work\\m.scr /c extra", K::document, "C:\\work\\m.scr", "C:\\work\\m.scr /c extra"},
        // Bare names only where the system's programs live, never beside the program or in the current folder.
        {"notepad.exe", K::program, "C:\\windows\\system32\\notepad.exe", "notepad.exe"},
        {"winver", K::program, "C:\\windows\\system32\\winver.exe", "winver"},
        {"\"notepad.exe\" a.txt", K::program, "C:\\windows\\system32\\notepad.exe", "\"notepad.exe\" a.txt"},
        {"explorer.exe .", K::program, "C:\\windows\\explorer.exe", "explorer.exe ."},
        {"explorer /e,C:\\", K::program, "C:\\windows\\explorer.exe", "explorer /e,C:\\"},
        // A folder part makes it the program's own neighbour; variables are expanded as shortcuts expand them.
        {"tools\\x.exe /q", K::program, "C:\\Downloads\\ZEL32\\tools\\x.exe", "tools\\x.exe /q"},
        {"\\Downloads\\pkg.exe", K::program, "C:\\Downloads\\pkg.exe", "\\Downloads\\pkg.exe"},
        {"%windir%\\explorer.exe %TEMP%", K::program, "C:\\windows\\explorer.exe", "C:\\windows\\explorer.exe %TEMP%"},
        {"\"%windir%\\explorer.exe\"", K::program, "C:\\windows\\explorer.exe", "\"%windir%\\explorer.exe\""},
        {"C:tools\\x.exe", K::missing, "", "C:tools\\x.exe"},
        // Names ending in a dot or a blank never name a file (the system would drop them).
        {"C:\\dots\\app.exe.", K::missing, "", "C:\\dots\\app.exe."},
        {"C:\\dots\\app.exe. x", K::missing, "", "C:\\dots\\app.exe. x"},
        // Batch files, documents and folders.
        {"C:\\e2e\\R&D\\run.bat", K::batch, "C:\\e2e\\R&D\\run.bat", "C:\\e2e\\R&D\\run.bat"},
        {"C:\\tools\\x.cmd a", K::batch, "C:\\tools\\x.cmd", "C:\\tools\\x.cmd a"},
        {"C:\\notes.txt", K::document, "C:\\notes.txt", "C:\\notes.txt"},
        {"C:\\My Documents", K::document, "C:\\My Documents", "\"C:\\My Documents\""},
        {"\"C:\\My Documents\"", K::document, "C:\\My Documents", "\"C:\\My Documents\""},
        // A folder named like a program is no program; double-byte names keep their 5C bytes.
        {"C:\\tool.exe", K::document, "C:\\tool.exe", "C:\\tool.exe"},
        {"C:\\\x95\x5C\\\x83\x5C /a", K::program, "C:\\\x95\x5C\\\x83\x5C.exe", "C:\\\x95\x5C\\\x83\x5C /a"},
        // Nothing there: 2, or 3 when the folder is missing too.
        {"C:\\zel test\\missing.exe", K::missing, "", "C:\\zel test\\missing.exe"},
        {"C:\\zel-nowhere\\missing.exe", K::missing, "", "C:\\zel-nowhere\\missing.exe"},
        {"nowhere.exe x", K::missing, "", "nowhere.exe x"},
    };
    for (const Case& c : cases) {
        ResolvedCommand r = resolveCommand(c.command, kDisk, cp932Lead);
        EXPECT_EQ(r.kind, c.kind) << c.command;
        EXPECT_EQ(r.file, c.file) << c.command;
        EXPECT_EQ(r.programPart + r.arguments, c.line) << c.command;
    }
    EXPECT_EQ(resolveCommand("C:\\zel test\\missing.exe", kDisk, cp932Lead).failure, 2u);
    EXPECT_EQ(resolveCommand("C:\\zel-nowhere\\missing.exe", kDisk, cp932Lead).failure, 3u);
    EXPECT_EQ(resolveCommand("nowhere.exe", kDisk, cp932Lead).failure, 2u);

    // "表" ends in 5C and is no separator: the name is looked up whole, as written first.
    asked.clear();
    resolveCommand("C:\\\x95\x5C", kDisk, cp932Lead);
    auto at = [](const std::string& path) { return std::find(asked.begin(), asked.end(), path) - asked.begin(); };
    EXPECT_LT(at("C:\\\x95\x5C"), at("C:\\\x95\x5C.exe"));
    EXPECT_LT(at("C:\\\x95\x5C.exe"), static_cast<std::ptrdiff_t>(asked.size()));
    for (const std::string& path : asked)
        EXPECT_NE(path, "C:\\\x95") << "split inside a character";

    // Where bare names are looked for: the system's folders and PATH's absolute entries, once each.
    EXPECT_EQ(bareNameFolders("C:\\WINDOWS\\system32", "C:\\WINDOWS\\",
                              ".;C:\\Tools;;tools;\"C:\\Program Files\\Git\\cmd\";C:\\windows\\System32;\\\\srv\\bin\\"),
              (std::vector<std::string>{"C:\\WINDOWS\\system32", "C:\\WINDOWS", "C:\\Tools", "C:\\Program Files\\Git\\cmd",
                                        "\\\\srv\\bin"}));
}

TEST(Resolver, BatchFilesGetOnlyArgumentsCmdPassesOnAsTheyStand)
{
    struct Case {
        const char* arguments;
        const char* line; // empty: refused
    };
    const Case cases[] = {
        {"", "cmd.exe /d /v:off /s /c \"\"C:\\R&D\\run.bat\"\""},
        {" a b", "cmd.exe /d /v:off /s /c \"\"C:\\R&D\\run.bat\" a b\""},
        // Special characters are quoted, typed quotes kept as one argument.
        {" C:\\drop\\report&pwned.exe", "cmd.exe /d /v:off /s /c \"\"C:\\R&D\\run.bat\" \"C:\\drop\\report&pwned.exe\"\""},
        {" \"two words\" (x)", "cmd.exe /d /v:off /s /c \"\"C:\\R&D\\run.bat\" \"two words\" \"(x)\"\""},
        {" a|b ^c >d", "cmd.exe /d /v:off /s /c \"\"C:\\R&D\\run.bat\" \"a|b\" \"^c\" \">d\"\""},
        {" 50%", "cmd.exe /d /v:off /s /c \"\"C:\\R&D\\run.bat\" 50%\""},
        // What cmd.exe would change or cut: refused.
        {" %PATH%", ""},
        {" 50% 60%", ""},
        {" a\"b", ""},
        {" \"open", ""},
        {" \"x\"y", ""},
        {" a\rb", ""},
        {" a\nb", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(batchCommandLine("C:\\R&D\\run.bat", c.arguments), c.line) << c.arguments;
    EXPECT_EQ(batchCommandLine("C:\\100%\\x%.bat", ""), "");
}

TEST(DroppedArgument, TheDotRuleAndQuotesForBlanksAndCmdCharacters)
{
    struct Case {
        const char* path;
        const char* argument;
    };
    const Case cases[] = {
        {"C:\\DOC\\A.TXT", "C:\\DOC\\A.TXT"},
        {"C:\\DOC\\README", "C:\\DOC\\README."},
        // The extension is the dot alone; a dot in the directory is no extension; a folder gets the dot.
        {"C:\\DOC\\B.", "C:\\DOC\\B."},
        {"C:\\DOC.OLD\\NOTES", "C:\\DOC.OLD\\NOTES."},
        {"C:\\WORK", "C:\\WORK."},
        {"C:\\WORK\\", "C:\\WORK\\"},
        {"\\\\server\\share\\LOG", "\\\\server\\share\\LOG."},
        // Blanks and cmd.exe's special characters are quoted, with the dot inside.
        {"C:\\My Documents\\README", "\"C:\\My Documents\\README.\""},
        {"C:\\DOC\\tab\there", "\"C:\\DOC\\tab\there.\""},
        {"C:\\e2e\\drop\\report&pwned.exe", "\"C:\\e2e\\drop\\report&pwned.exe\""},
        {"C:\\R&D\\plan", "\"C:\\R&D\\plan.\""},
        {"C:\\PROGRA~1\\x(1).txt", "\"C:\\PROGRA~1\\x(1).txt\""},
        // "表" is 95 5C: one character, no separator; a lead byte takes the dot after it.
        {"C:\\DOC\\\x95\x5C", "C:\\DOC\\\x95\x5C."},
        {"C:\\DOC\\A\x95\x2E", "C:\\DOC\\A\x95\x2E."},
        {"C:\\DOC\\\x95\x5C.\x95\x5C", "C:\\DOC\\\x95\x5C.\x95\x5C"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(droppedArgument(c.path, cp932Lead), c.argument) << c.path;
    // Read byte by byte, 5C would end the directory and leave no name to dot.
    EXPECT_EQ(droppedArgument("C:\\DOC\\\x95\x5C", noLead), "C:\\DOC\\\x95\x5C");
    // A path longer than any field comes out whole.
    std::string longPath = "C:\\" + std::string(200, 'd') + "\\" + std::string(296, 'n');
    EXPECT_EQ(droppedArgument(longPath, cp932Lead), longPath + ".");

    // Names that would break a profile line or an argument are refused.
    for (const char* name : {"C:\\a\nExecItem3=x.exe", "C:\\a\rb.txt", "C:\\q\" -inject \"z.txt", "C:\\x\x01y", " C:\\a.txt",
                             "C:\\a.txt ", ""})
        EXPECT_FALSE(isUsableDroppedName(name)) << name;
    for (const char* name : {"C:\\a b.txt", "C:\\R&D\\x.txt", "C:\\\x95\x5C.txt", "C:\\tab\there"})
        EXPECT_TRUE(isUsableDroppedName(name)) << name;
    // A short name stands in for a name the code page cannot hold only where it keeps the extension.
    EXPECT_TRUE(shortNameKeepsExtension(L"C:\\d\\caf\u00e9.exe", "C:\\d\\CAF~1.EXE", cp932Lead));
    EXPECT_TRUE(shortNameKeepsExtension(L"C:\\d\\na\u00efve", "C:\\d\\NAVE~1", cp932Lead));
    EXPECT_FALSE(shortNameKeepsExtension(L"C:\\d\\r\u00e9sum\u00e9.exe_", "C:\\d\\R_SU~5VZ.EXE", cp932Lead));
    EXPECT_FALSE(shortNameKeepsExtension(L"C:\\d\\\uD55C\uAE00.batch", "C:\\d\\__~~~5BH.BAT", cp932Lead));
    EXPECT_FALSE(shortNameKeepsExtension(L"C:\\d\\x.\u00e9xe", "C:\\d\\X~1.EXE", cp932Lead));
}

TEST(ProfileValue, QuotesThatTheProfileWouldStripAreKept)
{
    struct Case {
        const char* value;
        const char* written;
    };
    const Case cases[] = {
        {"\"C:\\my tools\\tool.exe\" \"two words\"", "\"\"C:\\my tools\\tool.exe\" \"two words\"\""},
        {"\"a b\"", "\"\"a b\"\""},
        {"'x'", "\"'x'\""},
        {"'x\"", "\"'x\"\""},
        {"\"", "\"\"\""},
        {"\"C:\\my tools\\tool.exe\" /min", "\"C:\\my tools\\tool.exe\" /min"},
        {"C:\\TOOLS\\EDIT.EXE", "C:\\TOOLS\\EDIT.EXE"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(profileValueToWrite(c.value), c.written) << c.value;
    // Typed values lose their surrounding blanks first, as the profile would take them.
    EXPECT_EQ(trimBlanks(" \t\"C:\\my app\\tool.exe\" \"arg\" "), "\"C:\\my app\\tool.exe\" \"arg\"");
    EXPECT_EQ(trimBlanks("  "), "");

    // Blanks at either end would be stripped too: such a value gets the pair of quotes.
    EXPECT_EQ(profileValueToWrite("  spaced name  "), "\"  spaced name  \"");
    EXPECT_EQ(profileValueToWrite("\tx"), "\"\tx\"");
    EXPECT_EQ(profileValueToWrite(" \"a\""), "\" \"a\"\"");

    // The read-back: lines another program added are no loss; a line gone (a cut file) is,
    // the action's own keys aside, whatever their case; repeated sections count twice.
    ProfileContents before{{"Env", {"MenuSize=4", "menupos=0"}}, {"Menu", {"; note", "MenuItem0=A"}}, {"Env", {"X=1"}}};
    std::vector<ProfileKey> written{{"env", "MenuPos"}, {"Menu", "MenuItem7"}};
    ProfileContents added{{"Env", {"MenuSize=4", "MenuPos=1"}}, {"Menu", {"; note", "MenuItem0=A", "MenuItem7=", "Y=2"}},
                          {"Env", {"X=1"}}, {"Other", {"Z=3"}}};
    EXPECT_TRUE(keepsEveryOtherLine(before, added, written));
    ProfileContents cut{{"Env", {"MenuSize=4", "MenuPos=1"}}, {"Menu", {"; note", "MenuItem0=A", "MenuItem7="}}};
    EXPECT_FALSE(keepsEveryOtherLine(before, cut, written));
    ProfileContents changed{{"Env", {"MenuSize=4", "MenuPos=1"}}, {"Menu", {"; note", "MenuItem0=B"}}, {"Env", {"X=1"}}};
    EXPECT_FALSE(keepsEveryOtherLine(before, changed, written));
    // Keys are found in the first section of their name only, as the profile functions find them.
    EXPECT_TRUE(holdsKey(before, "ENV", "MENUSIZE"));
    EXPECT_FALSE(holdsKey(before, "Env", "X"));
    EXPECT_FALSE(holdsKey(before, "Menu", "; note"));
    EXPECT_FALSE(holdsKey(before, "Exec", "ExecItem0"));
}

TEST(StartReport, OnlyTwoThreeAndElevenAreReported)
{
    EXPECT_EQ(startFailureText(2), kFileNotFoundText);
    EXPECT_EQ(startFailureText(3), kPathNotFoundText);
    EXPECT_EQ(startFailureText(11), kBadFormatText);
    for (unsigned result : {0u, 1u, 4u, 5u, 8u, 10u, 12u, 31u, 32u, 33u, 0xFFFFFFFFu})
        EXPECT_EQ(startFailureText(result), nullptr) << result;
    EXPECT_STREQ(kStartFailedCaption, "Error message");
}

} // namespace
