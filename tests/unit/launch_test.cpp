// The command lines of clicks and drops: the dot rule, quoting of blanks, double-byte names, long paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ProfileValue.h"
#include "launch/DropCommand.h"
#include "launch/LaunchTexts.h"

namespace {

bool cp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool noLead(unsigned char) { return false; }

PathKind nothingExists(const std::string&) { return PathKind::missing; }
PathKind everythingExists(const std::string&) { return PathKind::file; }

// The files and folders the tests treat as existing, and every path asked about.
std::vector<std::string> asked;
PathKind someExist(const std::string& path)
{
    asked.push_back(path);
    for (const char* file : {"C:\\Program Files\\Ed\\ED.EXE", "C:\\TOOLS\\EDIT.EXE", "C:\\zel test\\rec.exe",
                             "C:\\my tools\\tool.exe", "C:\\my.exe", "C:\\a b\\run.exe", "C:\\a b\\run now.exe",
                             "C:\\My Apps\\ed", "C:\\My Apps\\ed.exe.exe"})
        if (path == file)
            return PathKind::file;
    for (const char* folder : {"C:\\my tools", "C:\\My Documents", "C:\\my"})
        if (path == folder)
            return PathKind::folder;
    return PathKind::missing;
}

const std::string kEdit = "C:\\TOOLS\\EDIT.EXE";

std::string drop(const std::string& path, LeadByteTest lead = cp932Lead)
{
    return dropCommandLine(kEdit, path, lead, someExist);
}

TEST(DropCommand, ExamplesOfTheDotRule)
{
    EXPECT_EQ(drop("C:\\DOC\\A.TXT"), "C:\\TOOLS\\EDIT.EXE C:\\DOC\\A.TXT");
    EXPECT_EQ(drop("C:\\DOC\\README"), "C:\\TOOLS\\EDIT.EXE C:\\DOC\\README.");
    // The extension is the dot alone: no second dot.
    EXPECT_EQ(drop("C:\\DOC\\B."), "C:\\TOOLS\\EDIT.EXE C:\\DOC\\B.");
    // A dot in the directory is no extension.
    EXPECT_EQ(drop("C:\\DOC.OLD\\NOTES"), "C:\\TOOLS\\EDIT.EXE C:\\DOC.OLD\\NOTES.");
    // A folder gets the dot too.
    EXPECT_EQ(drop("C:\\WORK"), "C:\\TOOLS\\EDIT.EXE C:\\WORK.");
    // Slashes separate like backslashes; a trailing one leaves no name, so no dot.
    EXPECT_EQ(drop("C:/DOC.OLD/NOTES"), "C:\\TOOLS\\EDIT.EXE C:/DOC.OLD/NOTES.");
    EXPECT_EQ(drop("C:\\WORK\\"), "C:\\TOOLS\\EDIT.EXE C:\\WORK\\");
    EXPECT_EQ(drop("\\\\server\\share\\LOG"), "C:\\TOOLS\\EDIT.EXE \\\\server\\share\\LOG.");
}

TEST(DropCommand, DoubleByteSecondBytesNeverSplitTheName)
{
    // "表" is 95 5C: the name is one character, without extension.
    EXPECT_EQ(drop("C:\\DOC\\\x95\x5C"), kEdit + " C:\\DOC\\\x95\x5C.");
    // Read byte by byte, 5C would end the directory and leave no name.
    EXPECT_EQ(drop("C:\\DOC\\\x95\x5C", noLead), kEdit + " C:\\DOC\\\x95\x5C");
    EXPECT_EQ(drop("C:\\\x95\x5C\\README"), kEdit + " C:\\\x95\x5C\\README.");
    EXPECT_EQ(drop("C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67.TXT"), kEdit + " C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67.TXT");
    // A lead byte takes the dot after it as its second byte, so the name has no extension.
    EXPECT_EQ(drop("C:\\DOC\\A\x95\x2E"), kEdit + " C:\\DOC\\A\x95\x2E.");
    EXPECT_EQ(drop("C:\\DOC\\A\x95\x2E", noLead), kEdit + " C:\\DOC\\A\x95\x2E");
    // A real dot after a double-byte character is an extension.
    EXPECT_EQ(drop("C:\\DOC\\\x95\x5C.\x95\x5C"), kEdit + " C:\\DOC\\\x95\x5C.\x95\x5C");
}

TEST(DropCommand, BlanksAreQuotedWithTheDotInside)
{
    EXPECT_EQ(drop("C:\\My Documents\\A.TXT"), kEdit + " \"C:\\My Documents\\A.TXT\"");
    EXPECT_EQ(drop("C:\\My Documents\\README"), kEdit + " \"C:\\My Documents\\README.\"");
    EXPECT_EQ(drop("C:\\Program Files"), kEdit + " \"C:\\Program Files.\"");
    EXPECT_EQ(drop("C:\\DOC\\tab\there"), kEdit + " \"C:\\DOC\\tab\there.\"");

    // The command is quoted only when it holds a blank and names an existing file as a whole.
    EXPECT_EQ(dropCommandLine("C:\\Program Files\\Ed\\ED.EXE", "C:\\DOC\\A.TXT", cp932Lead, someExist),
              "\"C:\\Program Files\\Ed\\ED.EXE\" C:\\DOC\\A.TXT");
    EXPECT_EQ(dropCommandLine("C:\\Program Files\\Ed\\ED.EXE", "C:\\DOC\\A.TXT", cp932Lead, nothingExists),
              "C:\\Program Files\\Ed\\ED.EXE C:\\DOC\\A.TXT");
    // An existing command without a blank stays bare.
    EXPECT_EQ(dropCommandLine(kEdit, "C:\\A B\\C", cp932Lead, everythingExists), kEdit + " \"C:\\A B\\C.\"");
}

TEST(ClickCommand, TheProgramPartIsQuotedSoNoPlantedPrefixStarts)
{
    struct Case {
        const char* command;
        const char* line;
    };
    const Case cases[] = {
        // Whole paths that name a file or a folder are quoted whole.
        {"C:\\zel test\\rec.exe", "\"C:\\zel test\\rec.exe\""},
        {"C:\\My Documents", "\"C:\\My Documents\""},
        // Arguments: the longest prefix naming a file is the program, never the planted C:\my.exe.
        {"C:\\my tools\\tool.exe /min", "\"C:\\my tools\\tool.exe\" /min"},
        {"C:\\zel test\\rec.exe -a  b", "\"C:\\zel test\\rec.exe\" -a  b"},
        {"C:\\a b\\run now.exe x", "\"C:\\a b\\run now.exe\" x"},
        {"C:\\a b\\run later.exe x", "\"C:\\a b\\run\" later.exe x"},
        {"C:\\my tools\\tool.exe\t/min", "\"C:\\my tools\\tool.exe\"\t/min"},
        // A prefix without extension counts when it names a program with ".exe" added.
        {"C:\\a b\\run /x", "\"C:\\a b\\run\" /x"},
        // With an extension nothing is added; a folder prefix is no program.
        {"C:\\My Apps\\ed.exe /x", "C:\\My Apps\\ed.exe /x"},
        {"C:\\My Documents x", "C:\\My Documents x"},
        // Nothing matches, or the matching prefix has no blank: as stored.
        {"C:\\zel test\\missing.exe", "C:\\zel test\\missing.exe"},
        {"C:\\TOOLS\\EDIT.EXE README.TXT", "C:\\TOOLS\\EDIT.EXE README.TXT"},
        {"NOTEPAD.EXE README.TXT", "NOTEPAD.EXE README.TXT"},
        // Quoted as typed, or without a blank: untouched.
        {"\"C:\\my tools\\tool.exe\" \"two words\"", "\"C:\\my tools\\tool.exe\" \"two words\""},
        {"C:\\TOOLS\\EDIT.EXE", "C:\\TOOLS\\EDIT.EXE"},
        {"", ""},
        {" ", " "},
        {"C:\\my tools\\tool.exe ", "\"C:\\my tools\\tool.exe\" "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clickCommandLine(c.command, someExist, cp932Lead), c.line) << c.command;

    // A command without a blank is never looked up at all.
    asked.clear();
    clickCommandLine("C:\\TOOLS\\EDIT.EXE", someExist, cp932Lead);
    EXPECT_TRUE(asked.empty());
    // Double-byte names: "表" ends in 5C and is no separator, so "表 x" has no extension and gets ".exe".
    asked.clear();
    clickCommandLine("C:\\\x95\x5C x", someExist, cp932Lead);
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\\x95\x5C x", "C:\\\x95\x5C", "C:\\\x95\x5C.exe"}));
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
}

TEST(DropCommand, LongPathsComeOutWhole)
{
    // 300 bytes, no extension: nothing cut, the dot added.
    std::string folder = "C:\\" + std::string(200, 'd') + "\\";
    std::string path = folder + std::string(300 - folder.size(), 'n');
    ASSERT_EQ(path.size(), 300u);
    EXPECT_EQ(drop(path), kEdit + " " + path + ".");
    // A name longer than a path part (255) still counts as a name.
    std::string longName = "C:\\" + std::string(297, 'n');
    EXPECT_EQ(drop(longName), kEdit + " " + longName + ".");
    EXPECT_EQ(drop(folder + "x.txt"), kEdit + " " + folder + "x.txt");

    // A command of 259 bytes and a path of 259 bytes without extension need 521 bytes and more.
    std::string command = "C:\\" + std::string(252, 'c') + ".EXE";
    std::string dropped = "C:\\" + std::string(256, 'p');
    ASSERT_EQ(command.size(), 259u);
    ASSERT_EQ(dropped.size(), 259u);
    std::string line = dropCommandLine(command, dropped, cp932Lead, nothingExists);
    EXPECT_EQ(line.size(), 520u);
    EXPECT_EQ(line, command + " " + dropped + ".");
    std::string withBlank = "C:\\a b\\" + std::string(252, 'p');
    EXPECT_EQ(dropCommandLine(command, withBlank, cp932Lead, nothingExists).size(), 259u + 1 + 259 + 1 + 2);
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
