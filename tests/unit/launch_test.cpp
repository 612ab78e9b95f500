// The command lines of clicks and drops: the dot rule, quoting of blanks, double-byte names, long paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/DropCommand.h"
#include "launch/LaunchTexts.h"

namespace {

bool cp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool noLead(unsigned char) { return false; }

bool nothingExists(const std::string&) { return false; }
bool everythingExists(const std::string&) { return true; }

// The paths the tests treat as existing files, and every path asked about.
std::vector<std::string> asked;
bool someExist(const std::string& path)
{
    asked.push_back(path);
    return path == "C:\\Program Files\\Ed\\ED.EXE" || path == "C:\\TOOLS\\EDIT.EXE" || path == "C:\\zel test\\rec.exe";
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

TEST(ClickCommand, QuotesOnlyAWholeExistingPathWithABlank)
{
    asked.clear();
    EXPECT_EQ(clickCommandLine("C:\\zel test\\rec.exe", someExist), "\"C:\\zel test\\rec.exe\"");
    // A command with arguments is asked about as a whole, which names no file.
    EXPECT_EQ(clickCommandLine("C:\\zel test\\rec.exe -a", someExist), "C:\\zel test\\rec.exe -a");
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\zel test\\rec.exe", "C:\\zel test\\rec.exe -a"}));
    EXPECT_EQ(clickCommandLine("C:\\zel test\\missing.exe", someExist), "C:\\zel test\\missing.exe");
    EXPECT_EQ(clickCommandLine(kEdit, everythingExists), kEdit);
    EXPECT_EQ(clickCommandLine("NOTEPAD.EXE README.TXT", nothingExists), "NOTEPAD.EXE README.TXT");
    // The empty command goes out empty.
    EXPECT_EQ(clickCommandLine("", everythingExists), "");
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
