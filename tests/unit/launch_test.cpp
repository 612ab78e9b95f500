// What a command starts, the arguments a drop adds and a batch file gets, and the values the profile keeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ProfileValue.h"
#include "launch/CommandResolver.h"
#include "launch/LaunchTexts.h"

namespace {

bool cp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool noLead(unsigned char) { return false; }

// A small disk: the programs a command may mean, and the ones planted where
// the system's own shortest-first search would find them first.
std::vector<std::string> asked;
PathKind onDisk(const std::string& path)
{
    asked.push_back(path);
    for (const char* file : {"C:\\my app\\tool.exe", "C:\\my.exe", "C:\\Program.exe", "C:\\Program Files\\App\\app.exe",
                             "C:\\zel test\\rec.exe", "C:\\zel.exe", "C:\\e2e\\R&D\\run.bat", "C:\\notes.txt",
                             "C:\\a b\\run now.exe", "C:\\a b\\run.exe", "C:\\\x95\x5C\\\x83\x5C.exe", "C:\\tools\\x.com",
                             "C:\\tools\\x.cmd", "C:\\dots\\app.exe"})
        if (path == file)
            return PathKind::file;
    for (const char* folder : {"C:\\my app", "C:\\My Documents", "C:\\tool.exe", "C:\\Program Files", "C:\\zel test",
                               "C:\\e2e", "C:\\", "C:\\tools"})
        if (path == folder)
            return PathKind::folder;
    return PathKind::missing;
}

std::string onPath(const std::string& name)
{
    if (name == "explorer.exe" || name == "explorer")
        return "C:\\windows\\explorer.exe";
    return {};
}

const FileLookup kDisk{onDisk, onPath};

TEST(Resolver, EachCommandStartsWhatItMeansAndNeverAPlantedProgram)
{
    struct Case {
        const char* command;
        StartKind kind;
        const char* file;
        const char* line; // program part and arguments as the program receives them
    };
    using K = StartKind;
    const Case cases[] = {
        // Longest first: a planted C:\my.exe or C:\Program.exe never starts.
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
        // A bare name is found as Windows finds it; an argument of dots stays an argument.
        {"explorer.exe .", K::program, "C:\\windows\\explorer.exe", "explorer.exe ."},
        {"explorer /e,C:\\", K::program, "C:\\windows\\explorer.exe", "explorer /e,C:\\"},
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

    // A command without a blank is looked up as one name; "表" ends in 5C and is no separator.
    asked.clear();
    resolveCommand("C:\\\x95\x5C", kDisk, cp932Lead);
    EXPECT_EQ(asked.front(), "C:\\\x95\x5C.exe");
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

    // What the file must read after writes: the first line of a key (in any case) changes,
    // a new key ends its section, a new section ends the file, and nothing else moves.
    ProfileContents contents{{"Env", {"MenuSize=4", "menupos=0"}}, {"Menu", {"; note", "MenuItem0=A", "MenuItem0=B"}}};
    applyWrite(contents, "ENV", "MenuPos", "1");
    applyWrite(contents, "Menu", "MenuItem0", "\"a b\"");
    applyWrite(contents, "Menu", "MenuItem7", "");
    applyWrite(contents, "Exec", "ExecItem7", "x.exe");
    EXPECT_EQ(contents, (ProfileContents{{"Env", {"MenuSize=4", "menupos=1"}},
                                         {"Menu", {"; note", "MenuItem0=\"\"a b\"\"", "MenuItem0=B", "MenuItem7="}},
                                         {"Exec", {"ExecItem7=x.exe"}}}));
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
