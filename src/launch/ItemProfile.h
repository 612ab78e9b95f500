// Reading and writing one launch item in the profile's "Menu" and "Exec" sections.
#pragma once

#include <string>

class WinApp;

// The stored texts, cut to the 259 bytes of an item field.
std::string readItemName(const WinApp& app, int item);
std::string readItemCommand(const WinApp& app, int item);
// "Menu" before "Exec", always both keys, empty texts included.
void writeItem(const WinApp& app, int item, const std::string& name, const std::string& command);
