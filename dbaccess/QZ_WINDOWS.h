#pragma once
// Starting another program beside this one.
#include <string>
#include <vector>

// Starts `file` with these arguments, detached from this program: returns at
// once, does not wait for it and does not look at the outcome (a program
// that fails to start goes unreported).
void RunProgram(const std::string& file, const std::vector<std::string>& arguments);
