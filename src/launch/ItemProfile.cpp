// Launch items in the profile.
#include "ItemProfile.h"

#include "ItemKeys.h"
#include "framework/WinApp.h"

std::string readItemName(const WinApp& app, int item, std::size_t maxBytes)
{
    return app.profileString(kMenuSection, menuItemKey(item).c_str(), "", maxBytes);
}

std::string readItemCommand(const WinApp& app, int item, std::size_t maxBytes)
{
    return app.profileString(kExecSection, execItemKey(item).c_str(), "", maxBytes);
}

void writeItem(ProfileWrites& writes, int item, const std::string& name, const std::string& command)
{
    writes.write(kMenuSection, menuItemKey(item).c_str(), name);
    writes.write(kExecSection, execItemKey(item).c_str(), command);
}
