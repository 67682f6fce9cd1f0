#pragma once

#include "wire/codes.h"

#include <vector>

// The names of codes.h as data: for tools that print or decode the protocol (the command-line
// client, the generated packet dissector), so that they say what the code says.
namespace wire {

struct NamedCode
{
    Code code;
    const char* name;
};

struct NamedGroup
{
    Group group;
    const char* name;
};

// Every named code, ordered by Code::key().
const std::vector<NamedCode>& vocabulary();
// Every named group, in the order of codes.h.
const std::vector<NamedGroup>& groups();
// Null for a code or group without a name.
const char* nameOf(Code code);
const char* nameOf(Group group);

} // namespace wire
