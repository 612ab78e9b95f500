// Field cutting, the path split with its double-byte rule, and the names derived from the module path.
#include <gtest/gtest.h>

#include "framework/ModulePaths.h"
#include "framework/PathParts.h"
#include "framework/TextCut.h"

namespace {

// Code page 932 lead bytes.
bool cp932Lead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool noLead(unsigned char) { return false; }

TEST(TextCut, CutsAtACharacterBoundaryNeverInsideADoubleByteCharacter)
{
    EXPECT_EQ(cutToField("abc", cp932Lead, 259), "abc");
    EXPECT_EQ(cutToField(std::string(300, 'x'), cp932Lead).size(), 259u);
    // 258 single bytes then a two-byte character: the character does not fit.
    std::string text = std::string(258, 'x') + "\x95\x5C" + "y";
    EXPECT_EQ(cutToField(text, cp932Lead), std::string(258, 'x'));
    EXPECT_EQ(cutToField(text, noLead).size(), 259u);
    // 257 then the character: it fits exactly.
    std::string exact = std::string(257, 'x') + "\x95\x5C" + "y";
    EXPECT_EQ(cutToField(exact, cp932Lead), std::string(257, 'x') + "\x95\x5C");
    // A lone lead byte at the end counts as one byte.
    EXPECT_EQ(cutToField("ab\x95", cp932Lead, 3), "ab\x95");
    EXPECT_EQ(cutToField("", cp932Lead), "");
}

TEST(PathSplit, SplitsDriveDirectoryBaseNameAndExtension)
{
    PathParts p = splitPath("C:\\DOC\\A.TXT", cp932Lead);
    EXPECT_EQ(p.drive, "C:");
    EXPECT_EQ(p.directory, "\\DOC\\");
    EXPECT_EQ(p.baseName, "A");
    EXPECT_EQ(p.extension, ".TXT");

    p = splitPath("C:\\DOC\\README", cp932Lead);
    EXPECT_EQ(p.baseName, "README");
    EXPECT_EQ(p.extension, "");

    p = splitPath("C:\\DOC\\B.", cp932Lead);
    EXPECT_EQ(p.baseName, "B");
    EXPECT_EQ(p.extension, ".");

    p = splitPath("C:\\DOC.OLD\\NOTES", cp932Lead);
    EXPECT_EQ(p.directory, "\\DOC.OLD\\");
    EXPECT_EQ(p.baseName, "NOTES");
    EXPECT_EQ(p.extension, "");

    p = splitPath("C:/a/b.tar.gz", cp932Lead);
    EXPECT_EQ(p.directory, "/a/");
    EXPECT_EQ(p.baseName, "b.tar");
    EXPECT_EQ(p.extension, ".gz");

    p = splitPath("C:\\WORK", cp932Lead);
    EXPECT_EQ(p.directory, "\\");
    EXPECT_EQ(p.baseName, "WORK");

    p = splitPath("\\\\server\\share\\My Tool.exe", cp932Lead);
    EXPECT_EQ(p.drive, "");
    EXPECT_EQ(p.directory, "\\\\server\\share\\");
    EXPECT_EQ(p.baseName, "My Tool");
    EXPECT_EQ(p.extension, ".exe");
}

TEST(PathSplit, ASecondByteOfBackslashStaysInsideItsCharacter)
{
    // "表" is 95 5C; "ソ" is 83 5C.
    PathParts p = splitPath("C:\\\x95\x5C\\\x83\x5C\x95\x5C.txt", cp932Lead);
    EXPECT_EQ(p.directory, "\\\x95\x5C\\");
    EXPECT_EQ(p.baseName, "\x83\x5C\x95\x5C");
    EXPECT_EQ(p.extension, ".txt");

    // A name ending in such a character has no directory part after it.
    p = splitPath("C:\\DOC\\\x95\x5C", cp932Lead);
    EXPECT_EQ(p.directory, "\\DOC\\");
    EXPECT_EQ(p.baseName, "\x95\x5C");

    // Without the double-byte rule the same bytes would split.
    p = splitPath("C:\\DOC\\\x95\x5C", noLead);
    EXPECT_EQ(p.baseName, "");
}

TEST(PathSplit, PartsAreCutTo255Bytes)
{
    std::string longName(300, 'n');
    PathParts p = splitPath("C:\\d\\" + longName + ".ext", cp932Lead);
    EXPECT_EQ(p.baseName, std::string(255, 'n'));
    EXPECT_EQ(p.extension, ".ext");
}

TEST(ModulePaths, ProfileAndHelpNamesFollowTheModule)
{
    EXPECT_EQ(profileNameFor("C:\\Tools\\ZEL32.EXE", cp932Lead), "ZEL32.INI");
    EXPECT_EQ(profileNameFor("C:\\Tools\\Zel32.exe", cp932Lead), "Zel32.INI");
    EXPECT_EQ(profileNameFor("C:\\My Tools.v2\\LAUNCH", cp932Lead), "LAUNCH.INI");
    EXPECT_EQ(profileNameFor("C:\\\x95\x5C\\\x95\x5C.EXE", cp932Lead), "\x95\x5C.INI");
    EXPECT_EQ(applicationNameFor("C:\\Tools\\ZEL32.EXE", cp932Lead), "ZEL32");

    EXPECT_EQ(helpPathFor("C:\\Tools\\ZEL32.EXE", cp932Lead), "C:\\Tools\\ZEL32.HLP");
    EXPECT_EQ(helpPathFor("C:\\Tools.v2\\ZEL32", cp932Lead), "C:\\Tools.v2\\ZEL32.HLP");
    EXPECT_EQ(helpPathFor("C:\\a\\b.c.exe", cp932Lead), "C:\\a\\b.c.HLP");
    // A profile beside the program, for a portable install.
    EXPECT_EQ(portableProfileFor("C:\\Tools\\ZEL32.EXE", cp932Lead), "C:\\Tools\\ZEL32.INI");
    EXPECT_EQ(portableProfileFor("D:\\\x95\x5C.v2\\zel", cp932Lead), "D:\\\x95\x5C.v2\\zel.INI");
}

} // namespace
