#pragma once
// The login the terminal service is meant to run as: made once by
// prepare-test-server.sh, given the terminal's rights on one test database by
// scripts/grant-terminal-user.sh, run as that database's owner.
#include "StoreTestDatabase.h"

#include <string>

struct DatabaseLogin {
    std::string user;
    std::string password;
};

// Grants the terminal user its rights on `store` and returns its login.
// Throws std::runtime_error when the script fails.
DatabaseLogin GrantTerminalUser(const StoreTestDatabase& store);
