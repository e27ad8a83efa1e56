#include "TerminalUserLogin.h"

#include <cstdlib>
#include <stdexcept>

DatabaseLogin GrantTerminalUser(const StoreTestDatabase& store) {
    const DatabaseLogin login{"QUORVEL_TERMINAL_TEST", "qzterminal"};  // as prepare-test-server.sh makes it
    const std::string command = "ISC_USER='" + store.User() + "' ISC_PASSWORD='" + store.Password() + "' '" +
                                QUORVEL_GRANT_TERMINAL_USER + "' '" + store.ConnectionString() + "' '" + login.user +
                                "' '" + login.password + "' >/dev/null";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("command failed: " + command);
    return login;
}
