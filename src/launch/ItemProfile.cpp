// Launch items in the profile.
#include "ItemProfile.h"

#include "ItemKeys.h"
#include "framework/Profile.h"

std::string readItemName(const Profile& profile, int item, std::size_t maxBytes)
{
    return profile.readString(kMenuSection, menuItemKey(item).c_str(), "", maxBytes);
}

std::string readItemCommand(const Profile& profile, int item, std::size_t maxBytes)
{
    return profile.readString(kExecSection, execItemKey(item).c_str(), "", maxBytes);
}

void writeItem(ProfileWrites& writes, int item, const std::string& name, const std::string& command)
{
    writes.write(kMenuSection, menuItemKey(item).c_str(), name);
    writes.write(kExecSection, execItemKey(item).c_str(), command);
}
