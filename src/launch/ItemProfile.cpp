// Launch items in the profile.
#include "ItemProfile.h"

#include "ItemKeys.h"
#include "framework/WinApp.h"

std::string readItemName(const WinApp& app, int item)
{
    return app.profileString(kMenuSection, menuItemKey(item).c_str(), "", kFieldBytes);
}

std::string readItemCommand(const WinApp& app, int item)
{
    return app.profileString(kExecSection, execItemKey(item).c_str(), "", kFieldBytes);
}

void writeItem(const WinApp& app, int item, const std::string& name, const std::string& command)
{
    app.writeProfileString(kMenuSection, menuItemKey(item).c_str(), name.c_str());
    app.writeProfileString(kExecSection, execItemKey(item).c_str(), command.c_str());
}
