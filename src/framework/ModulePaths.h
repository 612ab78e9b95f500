// Names derived from the executable's path: the application name, the profile file and the help file.
#pragma once

#include <string>
#include <string_view>

#include "PathParts.h"

// The executable's base name, in the letter case the system reports it.
inline std::string applicationNameFor(std::string_view modulePath, LeadByteTest isLead)
{
    return splitPath(modulePath, isLead).baseName;
}

// No directory: the profile functions then keep the file in the Windows directory.
inline std::string profileNameFor(std::string_view modulePath, LeadByteTest isLead)
{
    return applicationNameFor(modulePath, isLead) + ".INI";
}

// The executable's full path with another extension in place of its own.
inline std::string withExtension(std::string_view modulePath, LeadByteTest isLead, std::string_view extension)
{
    // When there is an extension, its dot is the path's last dot (0x2E is
    // never the second byte of a double-byte character).
    bool hasExtension = !splitPath(modulePath, isLead).extension.empty();
    std::size_t extLength = hasExtension ? modulePath.size() - modulePath.rfind('.') : 0;
    return std::string(modulePath.substr(0, modulePath.size() - extLength)) + std::string(extension);
}

inline std::string helpPathFor(std::string_view modulePath, LeadByteTest isLead)
{
    return withExtension(modulePath, isLead, ".HLP");
}

// The profile beside the executable, which makes an install portable.
inline std::string portableProfileFor(std::string_view modulePath, LeadByteTest isLead)
{
    return withExtension(modulePath, isLead, ".INI");
}
