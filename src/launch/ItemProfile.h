// Reading and writing one launch item in the profile's "Menu" and "Exec" sections.
#pragma once

#include <string>

#include "framework/TextCut.h"

class Profile;
class ProfileWrites;

// The stored name, cut to the 259 bytes of an item field for showing unless asked
// for whole; the command whole, however long, since a cut one would start another.
std::string readItemName(const Profile& profile, int item, std::size_t maxBytes = kFieldBytes);
std::string readItemCommand(const Profile& profile, int item, std::size_t maxBytes = std::string::npos);
// "Menu" before "Exec", always both keys, empty texts included.
void writeItem(ProfileWrites& writes, int item, const std::string& name, const std::string& command);
