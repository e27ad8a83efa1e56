#pragma once
// The service without windows: every terminal it is asked to serve gets a
// thread and a data module of its own; SIGHUP reads the settings files
// again, SIGINT or SIGTERM stops them all. Under the service manager it
// reports readiness, its status and the watchdog through sd_notify.
#include <string>
#include <vector>

// Runs the service until SIGINT or SIGTERM and returns the exit status:
// 0 after a clean stop, 1 when the database cannot be reached or the
// terminal library cannot be loaded, 2 for a command line or terminal
// settings it cannot run with (an unknown argument, a terminal position not
// in the list, "BemaSB32.ini" missing or unreadable, a port or protocol the
// library cannot take).
// arguments: the command line without the program name.
int RunHeadlessService(const std::vector<std::string>& arguments);
