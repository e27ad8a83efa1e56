#pragma once
// The service without windows: every terminal it is asked to serve gets a
// thread and a data module of its own; SIGINT or SIGTERM stops them all.
#include <string>
#include <vector>

// Runs the service until SIGINT or SIGTERM and returns the exit status:
// 0 after a clean stop, 1 when the database cannot be reached or the
// terminal library cannot be loaded, 2 for a command line it cannot run
// (an unknown argument, a terminal position not in the list).
// arguments: the command line without the program name.
int RunHeadlessService(const std::vector<std::string>& arguments);
